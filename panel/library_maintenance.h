// The panel's own changes to the emoticon library: add one picture to the
// current category (AddFace), delete the emoticon last pressed (KillFace), and
// import the pictures of a folder (LoadDir, then LoadFile). Every change is
// followed by a reload of the grids; a copy replaces an existing file only
// once the new copy exists, and failures are reported, never passed off as
// success.
#pragma once
#include <string>
#include <vector>

#include "panel/library_host.h"
#include "panel/library_prompts.h"

namespace panel {

// The folder of a category listed by the panel or a dialog (one folder
// directly inside the library, reached literally, see LiteralPath), or ""
// when the name names no such folder.
std::wstring CategoryFolderOf(const LibraryHost& host, const std::wstring& name);
// The folder of a category to be made under a typed name (with allowNesting,
// "x\y" inside the library, but never inside a category that is a link), or
// "" when the name is refused.
std::wstring NewCategoryFolderOf(const LibraryHost& host, const std::wstring& name, bool allowNesting = false);
// The folder of a listed category, made first when it does not exist yet
// (the default category is listed without one); "" when there is none.
std::wstring EnsureCategoryFolder(const LibraryHost& host, const std::wstring& name);

class LibraryMaintenance {
 public:
  LibraryMaintenance(LibraryHost& host, LibraryPrompts prompts) : host_(host), prompts_(std::move(prompts)) {}

  void AddFace();
  void KillFace();
  void LoadDir();
  // Copies every file into the current category (an existing file of the same
  // name is replaced without asking), reloads the grids and reports.
  void LoadFile(const std::vector<std::wstring>& files);

 private:
  // The current category's folder (EnsureCategoryFolder).
  std::wstring CurrentFolder() const;

  LibraryHost& host_;
  LibraryPrompts prompts_;
};

}  // namespace panel
