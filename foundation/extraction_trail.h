// What one extraction created on disk, so that an extraction refused or
// failed halfway takes away exactly that: files and folders that were there
// before, or that someone else put there meanwhile, stay as they are.
#pragma once
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
  // After the entry: of the paths noted, those that exist now were made by it.
  void Settle();
  // Deletes the files the extraction wrote and removes the folders it made
  // that are empty by then, the latest first.
  void Undo();

 private:
  std::vector<std::wstring> expected_;
  std::vector<std::wstring> created_;
};

}  // namespace foundation
