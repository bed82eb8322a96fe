// The pack import's work folder: a fresh folder of its own under the user's
// temporary folder ("Face\Brackmere-<n>\"), so that files of an earlier
// import are never mixed in, removed with everything in it when the import ends.
#pragma once
#include <string>

namespace editor {

// The user's temporary folder with one trailing "\".
std::wstring GetTempDir();

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

}  // namespace editor
