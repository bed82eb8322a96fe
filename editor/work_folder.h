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
// those whose process number no running process holds. The work folders of
// running editors (whatever their program's file is called), those whose
// number has passed on to another program, and anything else in the
// temporary folder stay.
void RemoveStaleWorkFolders();

}  // namespace editor
