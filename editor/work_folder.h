// The pack import's work folder: a fresh folder of its own under the user's
// temporary folder ("Face\Brackmere-<process id>-<n>\"), so that files of an
// earlier import are never mixed in, removed with everything in it when the
// import ends.
#pragma once
#include <string>

namespace editor {

class WorkFolder {
 public:
  WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  ~WorkFolder();

  // The folder with a trailing "\", or "" when none could be made.
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
};

// Removes the work folders an editor left when it was ended during an import:
// those whose process is gone or is no editor any more. The work folders of
// running editors, and anything else in the temporary folder, stay.
void RemoveStaleWorkFolders();

}  // namespace editor
