#include "editor/category_ops.h"

#include <windows.h>

#include <string>

#include "editor/core/editor_texts.h"
#include "editor/editor_library.h"
#include "editor/frm_main.h"
#include "foundation/file_ops.h"
#include "foundation/library_ops.h"
#include "foundation/message_box.h"

namespace editor {

void DeleteCurrentCategory(Frmmain& main) {
  const std::wstring category = main.CurrentCategory();
  if (category.empty()) return;
  const std::wstring question = kConfirmDeleteCategoryStart + category + kConfirmDeleteCategoryEnd;
  if (foundation::ShowMessage(main.hwnd(), question, foundation::kMessageTitle, foundation::kBoxQuestion) != IDYES)
    return;
  const std::wstring folder = CategoryFolder(category);
  if (!foundation::FolderExists(folder)) {
    foundation::ShowMessage(main.hwnd(), kCategoryGone, foundation::kMessageTitle, foundation::kBoxWarning);
    return;
  }
  // Through a link this would change the folder it points at, which stays untouched.
  if (!foundation::IsLink(folder)) ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::wstring error;
  if (!foundation::DeleteCategoryFolder(folder, &error)) {
    foundation::ShowMessage(main.hwnd(), error, kErrorTitle, foundation::kBoxStop);
    return;
  }
  main.LoadType();
}

}  // namespace editor
