#include "foundation/library_ops.h"

#include "foundation/core/literal_path.h"
#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "foundation/message_box.h"
#include "foundation/path_fields.h"
#include "foundation/thumbnail_cache.h"

namespace foundation {
namespace {

bool FileSize(const std::wstring& path, ULONGLONG& size) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

std::wstring SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring out = n && text ? std::wstring(text, n) : L"错误 " + std::to_wstring(code);
  if (text) ::LocalFree(text);
  while (!out.empty() && (out.back() == L'\n' || out.back() == L'\r' || out.back() == L' ')) out.pop_back();
  return out;
}

// A path as a message shows it: without the literal form's "\\?\".
std::wstring Shown(const std::wstring& path) {
  if (!IsLiteralPath(path)) return path;
  constexpr std::wstring_view kUnc = L"\\\\?\\UNC\\";
  return path.compare(0, kUnc.size(), kUnc) == 0 ? L"\\\\" + path.substr(kUnc.size()) : path.substr(4);
}

// Removes a link itself, never what it points at. A link to a folder goes
// with RemoveDirectoryW, which takes the link away on Windows; Wine 8 follows
// a host-side link instead and refuses while its target holds anything.
bool RemoveLink(const std::wstring& path, DWORD attributes) {
  return ((attributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(path.c_str()) : ::DeleteFileW(path.c_str())) !=
         FALSE;
}

// Deletes what is inside folder (with a trailing "\"), depth first; false
// when an entry stays, with error saying which (the first one). A library
// folder stops there and keeps read-only entries (the user marked them to be
// kept); a scratch folder of our own goes as far as it can. Every path is
// taken literally, so that an entry whose name ends in a dot or blank is
// deleted itself, not the entry its trimmed name would open.
bool DeleteContents(const std::wstring& folder, bool scratch, std::wstring& error) {
  WIN32_FIND_DATAW fd;
  UniqueFind find(::FindFirstFileW((folder + L"*").c_str(), &fd));
  if (!find) {
    const DWORD code = ::GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return true;
    error = Shown(folder) + L": " + SystemMessage(code);
    return false;
  }
  bool ok = true;
  do {
    const std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = LiteralPath(folder + name);
    const bool isFolder = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool isLink = IsLinkEntry(fd);
    if (scratch && (fd.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
      ::SetFileAttributesW(path.c_str(), fd.dwFileAttributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    }
    bool gone = false;
    if (isLink) {
      gone = RemoveLink(path, fd.dwFileAttributes);
    } else if (!isFolder || DeleteContents(path + L'\\', scratch, error)) {
      gone = (isFolder ? ::RemoveDirectoryW(path.c_str()) : ::DeleteFileW(path.c_str())) != FALSE;
    }
    if (!gone && error.empty()) error = Shown(path) + L": " + SystemMessage(::GetLastError());
    if (!gone) {
      ok = false;
      if (!scratch) return false;
    }
  } while (::FindNextFileW(find.get(), &fd));
  return ok;
}

// A folder that is itself a link goes as a link: it is never entered, so
// what it points at stays whole.
bool RemoveTree(const std::wstring& folder, bool scratch, std::wstring& reason) {
  std::wstring bare = folder;
  while (bare.size() > 1 && bare.back() == L'\\') bare.pop_back();
  bare = LiteralPath(bare);
  const DWORD attributes = ::GetFileAttributesW(bare.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    reason = Shown(bare) + L": " + SystemMessage(ERROR_PATH_NOT_FOUND);
    return false;
  }
  if (IsLink(bare)) {
    if (RemoveLink(bare, attributes)) return true;
    reason = Shown(bare) + L": " + SystemMessage(::GetLastError());
    return false;
  }
  if (scratch) ::SetFileAttributesW(bare.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!DeleteContents(bare + L'\\', scratch, reason)) return false;
  if (::RemoveDirectoryW(bare.c_str())) return true;
  reason = Shown(bare) + L": " + SystemMessage(::GetLastError());
  return false;
}

// The copy behind CopyFaceVerified and CopyFaceAsking.
CopyOutcome CopyFace(HWND owner, const std::wstring& source, const std::wstring& targetFolder, bool ask) {
  ULONGLONG sourceSize = 0;
  if (!FileSize(source, sourceSize)) return CopyOutcome::kFailed;
  const std::wstring folder = WithTrailingBackslash(targetFolder);
  // A category that is a link leads out of the library.
  if (IsLink(folder)) return CopyOutcome::kFailed;
  const std::wstring name = GetFileName(source);
  const std::wstring target = LiteralPath(folder + name);
  // The shell would copy a file onto itself as a renamed duplicate.
  if (IsSameFile(source, target)) return CopyOutcome::kFailed;
  // The file's own name as the target, so that a file already there is set
  // aside by CopyFileTo (and put back when the copy fails) instead of the
  // shell raising its own question; ours comes first.
  if (ask && FileExists(target) &&
      ShowMessage(owner, kAskReplaceFaceStart + name + kAskReplaceFaceEnd, kMessageTitle, kBoxQuestion) != IDYES) {
    return CopyOutcome::kDeclined;
  }
  if (!CopyFileTo(owner, source, target)) return CopyOutcome::kFailed;
  ULONGLONG targetSize = 0;
  return FileSize(target, targetSize) && targetSize == sourceSize ? CopyOutcome::kCopied : CopyOutcome::kFailed;
}

}  // namespace

bool CopyFaceVerified(HWND owner, const std::wstring& source, const std::wstring& targetFolder) {
  return CopyFace(owner, source, targetFolder, false) == CopyOutcome::kCopied;
}

CopyOutcome CopyFaceAsking(HWND owner, const std::wstring& source, const std::wstring& targetFolder) {
  return CopyFace(owner, source, targetFolder, true);
}

MoveOutcome MoveFace(HWND owner, const std::wstring& source, const std::wstring& targetFolder) {
  switch (CopyFaceAsking(owner, source, targetFolder)) {
    case CopyOutcome::kCopied:
      break;
    case CopyOutcome::kDeclined:
      return MoveOutcome::kDeclined;
    case CopyOutcome::kFailed:
      return MoveOutcome::kCopyFailed;
  }
  return DeleteFace(source) ? MoveOutcome::kMoved : MoveOutcome::kSourceNotDeleted;
}

bool DeleteFace(const std::wstring& path) {
  if (!FileExists(path) || !::DeleteFileW(path.c_str())) return false;
  // A picture put under this name soon would take over this one's creation
  // time (see CopyFileTo), and with it its thumbnail.
  ForgetThumbnails(path);
  return true;
}

bool DeleteCategoryFolder(const std::wstring& folder, std::wstring* error) {
  std::wstring reason;
  const bool ok = RemoveTree(folder, false, reason);
  // Also after a deletion that stopped part way: what went took its
  // pictures' names along (see DeleteFace).
  ForgetFolderThumbnails(folder);
  if (!ok && error) *error = reason;
  return ok;
}

bool RemoveScratchFolder(const std::wstring& folder) {
  std::wstring reason;
  const bool ok = RemoveTree(folder, true, reason);
  ForgetFolderThumbnails(folder);
  return ok;
}

}  // namespace foundation
