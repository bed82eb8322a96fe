// What one extraction created on disk, so that an extraction refused or
// failed halfway takes away exactly that: files and folders that were there
// before, or that someone else put there meanwhile, stay as they are.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace foundation {

class ExtractionTrail {
 public:
  // Before an entry is written to target, a full path inside the full path
  // root (which ends in "\"): notes the paths from root down to target that
  // don't exist yet. False, noting nothing, when the entry can't be written
  // as something new: target exists already (a folder entry may find its
  // folder there), the way down leads through a link, which could point
  // anywhere, or a path on the way can't be looked up for any other reason
  // than that it is not there.
  bool Prepare(const std::wstring& root, const std::wstring& target, bool folderEntry);
  // After the entry: of the paths noted, those that exist now were made by
  // it; each is remembered by what makes it this file or folder.
  void Settle();
  // Deletes the files the extraction wrote and removes the folders it made
  // that are empty by then, the latest first; each only while it is still
  // the one that was there when its entry settled. A file the user put in
  // its place meanwhile (moved in, or written over) stays.
  void Undo();

 private:
  // A file or folder as GetFileInformationByHandle tells it apart. The file
  // number alone can't tell: a number freed by a deletion is handed to the
  // next new file at once (seen under Wine), so a file also keeps its size
  // and last-write time. A folder's time moves with what it holds, so a
  // folder is known by its number.
  struct Identity {
    DWORD volume = 0;
    uint64_t index = 0;
    bool folder = false;
    uint64_t size = 0;
    uint64_t lastWrite = 0;
    bool operator==(const Identity&) const = default;
  };
  struct Made {
    std::wstring path;
    Identity identity;
  };
  static Identity IdentityOf(const BY_HANDLE_FILE_INFORMATION& info);

  std::vector<std::wstring> expected_;
  std::vector<Made> created_;
};

}  // namespace foundation
