#include "foundation/extraction_trail.h"

#include <windows.h>

namespace foundation {

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
    } else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
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
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) created_.push_back(path);
  }
  expected_.clear();
}

void ExtractionTrail::Undo() {
  for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
    const DWORD attributes = ::GetFileAttributesW(it->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    // The archive's own attributes came with the entry: a read-only one
    // would refuse to go.
    if (attributes & FILE_ATTRIBUTE_READONLY) ::SetFileAttributesW(it->c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    // A folder holding anything it did not make stays, with what it holds.
    const BOOL gone = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(it->c_str())
                                                              : ::DeleteFileW(it->c_str());
    if (!gone && (attributes & FILE_ATTRIBUTE_READONLY)) ::SetFileAttributesW(it->c_str(), attributes);
  }
  created_.clear();
}

}  // namespace foundation
