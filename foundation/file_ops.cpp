#include "foundation/file_ops.h"

#include <shellapi.h>

#include "foundation/core/link_entry.h"
#include "foundation/core/literal_path.h"
#include "foundation/handles.h"
#include "foundation/path_fields.h"
#include "foundation/text_compare.h"
#include "foundation/thumbnail_cache.h"

namespace foundation {
namespace {

DWORD Attributes(const std::wstring& path) {
  if (path.empty()) return INVALID_FILE_ATTRIBUTES;
  return ::GetFileAttributesW(path.c_str());
}

// The "?" of the literal form's "\\?\" is no wildcard.
bool HasWildcard(const std::wstring& path) {
  return path.find_first_of(L"*?", IsLiteralPath(path) ? 4 : 0) != std::wstring::npos;
}

std::wstring FullPath(const std::wstring& path) {
  DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return path;
  std::wstring out(n, L'\0');
  n = ::GetFullPathNameW(path.c_str(), n, out.data(), nullptr);
  out.resize(n);
  return out;
}

struct FileIdentity {
  DWORD volume = 0, high = 0, low = 0;
};

bool Identity(const std::wstring& path, FileIdentity& id) {
  // Backup semantics open folders too; no access right is needed to read the identity.
  UniqueFile h(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!h || !::GetFileInformationByHandle(h.get(), &info)) return false;
  id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

// The shell's file operation on one source and one target; true when it
// reported success and was not aborted. The shell does not take the literal
// "\\?\" form (under Wine it even reports success for it and does nothing),
// so a path in that form is copied or renamed by the file functions instead,
// without the shell's windows.
bool ShellOperation(HWND owner, UINT func, const std::wstring& source, const std::wstring& target, FILEOP_FLAGS flags) {
  if (IsLiteralPath(source) || IsLiteralPath(target)) {
    if (func != FO_COPY) return ::MoveFileExW(source.c_str(), target.c_str(), 0) != FALSE;
    const std::wstring file = FolderExists(target) ? WithTrailingBackslash(target) + GetFileName(source) : target;
    return ::CopyFileW(source.c_str(), file.c_str(), FALSE) != FALSE;
  }
  // Each list is one path ending in two NULs.
  std::wstring from = source + L'\0';
  std::wstring to = target + L'\0';
  SHFILEOPSTRUCTW op{};
  op.hwnd = owner;
  op.wFunc = func;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = flags;
  return ::SHFileOperationW(&op) == 0 && !op.fAnyOperationsAborted;
}

// An existing target file set aside under a free name in its own folder, so
// that it can be put back when the new copy does not arrive.
class SetAside {
 public:
  explicit SetAside(const std::wstring& target) : target_(target) {
    for (int i = 0; i < 1000 && backup_.empty(); ++i) {
      std::wstring candidate = target + L".~old" + std::to_wstring(i);
      if (Attributes(candidate) == INVALID_FILE_ATTRIBUTES) backup_ = candidate;
    }
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (backup_.empty() || !::MoveFileExW(target.c_str(), backup_.c_str(), 0)) backup_.clear();
  }
  SetAside(const SetAside&) = delete;
  SetAside& operator=(const SetAside&) = delete;
  bool ok() const { return !backup_.empty(); }
  // The new file is in place: the old one can go.
  void Commit() {
    if (backup_.empty()) return;
    ::DeleteFileW(backup_.c_str());
    backup_.clear();
  }
  ~SetAside() {
    if (backup_.empty()) return;
    // The operation failed: remove whatever partial file it left and put the old one back.
    if (FileExists(target_)) {
      ::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(target_.c_str());
    }
    ::MoveFileExW(backup_.c_str(), target_.c_str(), 0);
  }

 private:
  std::wstring target_;
  std::wstring backup_;
};

// A rename frees one name and fills another: the cached drawings of both go
// (see CopyFileTo), and for a folder those of every path below both.
void ForgetRenamed(const std::wstring& source, const std::wstring& target) {
  ThumbnailDropBatch drops;
  ForgetThumbnails(source);
  ForgetThumbnails(target);
  if (FolderExists(target)) {
    ForgetFolderThumbnails(source);
    ForgetFolderThumbnails(target);
  }
}

}  // namespace

bool FileExists(const std::wstring& path) {
  if (HasWildcard(path)) return false;
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
  if (HasWildcard(path)) return false;
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsLink(const std::wstring& path) {
  // Through a trailing "\" the system looks at what the link points at.
  std::wstring bare = path;
  while (bare.size() > 1 && bare.back() == L'\\') bare.pop_back();
  if (HasWildcard(bare)) return false;
  const DWORD a = Attributes(bare);
  // Most entries are no reparse point at all: one attribute read tells.
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  // The tag is read from the entry in its folder, as a listing gives it:
  // that opens neither the entry (a file held open elsewhere, or one kept in
  // the cloud, which an open could fetch) nor what it points at. Wine shows
  // its links only this way; a handle opened on the link itself reads no
  // reparse point there. Without a readable entry the tag stays unknown.
  WIN32_FIND_DATAW entry{};
  UniqueFind find(::FindFirstFileW(bare.c_str(), &entry));
  return find ? IsLinkEntry(entry) : IsLinkEntry(a, 0);
}

bool IsLinkEntry(const WIN32_FIND_DATAW& entry) {
  // dwReserved0 holds the reparse tag when the entry is a reparse point.
  return IsLinkEntry(entry.dwFileAttributes, entry.dwReserved0);
}

void CreateFolder(const std::wstring& path) { CreateFolderTree(path); }

void CreateFolderTree(const std::wstring& path) {
  const std::wstring full = WithTrailingBackslash(path);
  for (size_t pos = full.find(L'\\'); pos != std::wstring::npos; pos = full.find(L'\\', pos + 1)) {
    ::CreateDirectoryW(full.substr(0, pos + 1).c_str(), nullptr);
  }
}

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  FileIdentity ia, ib;
  if (Identity(a, ia) && Identity(b, ib)) {
    return ia.volume == ib.volume && ia.high == ib.high && ia.low == ib.low;
  }
  return TextEquals(FullPath(a), FullPath(b));
}

bool IsInsideFolder(const std::wstring& path, const std::wstring& folder) {
  if (path.empty() || folder.empty()) return false;
  std::wstring root = FullPath(folder);
  if (root.back() != L'\\') root += L'\\';
  const std::wstring full = FullPath(path);
  return full.size() > root.size() && TextEquals(std::wstring_view(full).substr(0, root.size()), root);
}

bool CopyFileTo(HWND owner, const std::wstring& source, const std::wstring& target) {
  if (source.empty() || target.empty() || HasWildcard(source) || HasWildcard(target)) return false;
  if (!FileExists(target)) {
    // A new name, or a folder: the shell copies into the folder and keeps the name.
    const std::wstring made = FolderExists(target) ? WithTrailingBackslash(target) + GetFileName(source) : target;
    if (!ShellOperation(owner, FO_COPY, source, target, FOF_ALLOWUNDO) || !FileExists(made)) return false;
    ForgetThumbnails(made);
    return true;
  }
  if (IsSameFile(source, target)) return false;
  SetAside old(target);
  if (!old.ok()) return false;  // the target can't be replaced (in use, no rights)
  if (!ShellOperation(owner, FO_COPY, source, target, FOF_ALLOWUNDO) || !FileExists(target)) return false;
  old.Commit();
  ForgetThumbnails(target);
  return true;
}

bool RenamePath(HWND owner, const std::wstring& source, const std::wstring& target) {
  if (source.empty() || target.empty() || HasWildcard(source) || HasWildcard(target)) return false;
  if (IsSameFile(source, target)) {
    // Only the spelling changes (letter case): the shell refuses this as a
    // clash with an existing name, the file system does it in place.
    if (!::MoveFileExW(source.c_str(), target.c_str(), 0)) return false;
    ForgetRenamed(source, target);
    return true;
  }
  if (!FileExists(target)) {
    if (!ShellOperation(owner, FO_RENAME, source, target, 0) || Attributes(target) == INVALID_FILE_ATTRIBUTES)
      return false;
    ForgetRenamed(source, target);
    return true;
  }
  SetAside old(target);
  if (!old.ok()) return false;
  if (!ShellOperation(owner, FO_RENAME, source, target, 0) || Attributes(target) == INVALID_FILE_ATTRIBUTES) return false;
  old.Commit();
  ForgetRenamed(source, target);
  return true;
}

}  // namespace foundation
