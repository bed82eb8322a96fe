#include "editor/frm_new.h"

#include "editor/core/control_ids.h"
#include "editor/core/editor_texts.h"
#include "editor/editor_library.h"
#include "editor/frm_main.h"
#include "editor/reload_notice.h"
#include "foundation/core/category_name.h"
#include "foundation/file_ops.h"
#include "foundation/message_box.h"

namespace editor {

void FrmNew::Show() {
  if (!CreateFrame(main_.hwnd(), kAddCategoryCaption, 250, 100)) return;
  AddLabel(kIdDialogLabel, kNewCategoryLabel, 15, 15, 220, 14);
  text1_ = AddEdit(kIdDialogText1, 15, 35, 220, 20);
  AddButtons(66);
  Finish(text1_);
}

void FrmNew::Retry(bool clear) {
  if (clear) ::SetWindowTextW(text1_, L"");
  ::SetFocus(text1_);
}

void FrmNew::OnOk() {
  const std::wstring name = ControlText(text1_);
  switch (foundation::CheckCategoryName(name, false)) {
    case foundation::CategoryNameVerdict::kBlank:
      foundation::ShowMessage(hwnd(), kEnterCategoryName, foundation::kMessageTitle, foundation::kBoxStop);
      Retry(true);
      return;
    case foundation::CategoryNameVerdict::kInvalid:
      foundation::ShowMessage(hwnd(), foundation::kInvalidCategoryNameMessage, foundation::kMessageTitle,
                              foundation::kBoxWarning);
      Retry(false);
      return;
    case foundation::CategoryNameVerdict::kOk:
      break;
  }
  const std::wstring folder = CategoryFolder(name);
  if (foundation::FolderExists(folder)) {
    foundation::ShowMessage(hwnd(), kCategoryExists, foundation::kMessageTitle, foundation::kBoxWarning);
    Retry(true);
    return;
  }
  foundation::CreateFolder(folder);
  if (!foundation::FolderExists(folder)) {
    foundation::ShowMessage(hwnd(), kCategoryNotCreated, foundation::kMessageTitle, foundation::kBoxWarning);
    Retry(false);
    return;
  }
  main_.LoadType();
  foundation::ShowMessage(hwnd(), kCategoryAdded, foundation::kMessageTitle, foundation::kBoxInfo);
  RType();
  Close();
}

}  // namespace editor
