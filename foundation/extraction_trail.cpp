#include "foundation/extraction_trail.h"

#include "foundation/file_ops.h"
#include "foundation/handles.h"

namespace foundation {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The path itself, never what a link there points to; folders open too.
UniqueFile OpenMade(const std::wstring& path, DWORD access) {
  return UniqueFile(::CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

uint64_t Join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

// attributes: without FILE_ATTRIBUTE_DIRECTORY, which is not set this way.
bool SetAttributes(HANDLE file, DWORD attributes) {
  FILE_BASIC_INFO basic{};  // times left at 0 stay as they are
  basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  return ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof(basic)) != FALSE;
}

}  // namespace

ExtractionTrail::Identity ExtractionTrail::IdentityOf(const BY_HANDLE_FILE_INFORMATION& info) {
  Identity id;
  id.volume = info.dwVolumeSerialNumber;
  id.index = Join(info.nFileIndexHigh, info.nFileIndexLow);
  id.folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (!id.folder) {
    id.size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    id.lastWrite = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
  }
  return id;
}

bool ExtractionTrail::Prepare(const std::wstring& root, const std::wstring& target, bool folderEntry) {
  expected_.clear();
  std::vector<std::wstring> missing;
  // root itself (without its "\"), then every folder on the way, then target.
  for (size_t end = root.size() - 1; end <= target.size();) {
    const std::wstring path = target.substr(0, end);
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool last = end >= target.size() || (end + 1 == target.size() && target.back() == L'\\');
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      // Only "not there" makes a path new: a name the system can't look up
      // (refused characters, say) is one the library would write elsewhere.
      const DWORD error = ::GetLastError();
      if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return false;
      missing.push_back(path);
    } else if (IsLink(path)) {
      return false;
    } else if (last && !(folderEntry && (attributes & FILE_ATTRIBUTE_DIRECTORY))) {
      return false;
    } else if (!last && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return false;
    }
    if (last) break;
    const size_t next = target.find(L'\\', end + 1);
    end = next == std::wstring::npos ? target.size() : next;
  }
  expected_ = std::move(missing);
  return true;
}

void ExtractionTrail::Settle() {
  for (const std::wstring& path : expected_) {
    // Attribute access alone: no sharing mode of another opener stands in the way.
    UniqueFile made = OpenMade(path, FILE_READ_ATTRIBUTES);
    BY_HANDLE_FILE_INFORMATION info{};
    if (made && ::GetFileInformationByHandle(made.get(), &info)) created_.push_back({path, IdentityOf(info)});
  }
  expected_.clear();
}

void ExtractionTrail::Undo() {
  for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
    // Checked and deleted through one handle: what goes is what was checked.
    UniqueFile made = OpenMade(it->path, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!made || !::GetFileInformationByHandle(made.get(), &info) || IdentityOf(info) != it->identity) continue;
    // The archive's own attributes came with the entry: a read-only one
    // would refuse to go.
    const DWORD attributes = info.dwFileAttributes & ~FILE_ATTRIBUTE_DIRECTORY;
    const bool readOnly =
        (attributes & FILE_ATTRIBUTE_READONLY) && SetAttributes(made.get(), attributes & ~FILE_ATTRIBUTE_READONLY);
    // Goes when the handle closes. A folder holding anything it did not
    // make is refused here, and stays with what it holds.
    FILE_DISPOSITION_INFO disposition{TRUE};
    const bool going = ::SetFileInformationByHandle(made.get(), FileDispositionInfo, &disposition, sizeof(disposition));
    if (!going && readOnly) SetAttributes(made.get(), attributes);
  }
  created_.clear();
}

}  // namespace foundation
