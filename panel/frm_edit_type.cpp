#include "panel/frm_edit_type.h"

#include "foundation/core/category_name.h"
#include "foundation/file_ops.h"
#include "foundation/message_box.h"
#include "panel/core/library_texts.h"
#include "panel/library_maintenance.h"

namespace panel {

FrmEditType::FrmEditType(LibraryHost& host, FrmType& typeList)
    : LibraryDialog(host, L"TarnwickFrmEditType", kEditTypeCaption, 260, 140), typeList_(typeList) {}

void FrmEditType::ShowFor(const std::wstring& oldName) {
  Show();
  SetText(kDlgText1, oldName);
}

void FrmEditType::CreateControls() {
  AddLabel(kEditTypeOldLabel, 14, 16, 84);
  AddTextBox(kDlgText1, 100, 14, 146);
  AddLabel(kEditTypeNewLabel, 14, 46, 84);
  AddTextBox(kDlgText2, 100, 44, 146);
  AddTextBox(kDlgText3, 100, 74, 146, false);  // read by nothing
  AddButton(kDlgQQButton1, L"QQButton1", kEditTypeConfirm, 50, 104, [this] { QQButton1_Click(); });
  AddButton(kDlgQQButton2, L"QQButton2", kButtonBack, 135, 104, [this] { Unload(); });
}

void FrmEditType::QQButton1_Click() {
  const std::wstring oldName = Text(kDlgText1), newName = Text(kDlgText2);
  switch (foundation::CheckCategoryName(newName, false)) {
    case foundation::CategoryNameVerdict::kBlank:
      Tell(kEnterNewName, foundation::kBoxStop);
      return;
    case foundation::CategoryNameVerdict::kInvalid:
      Tell(foundation::kInvalidCategoryNameMessage, foundation::kBoxWarning);
      return;
    case foundation::CategoryNameVerdict::kOk:
      break;
  }
  const std::wstring oldFolder = CategoryFolderOf(host(), oldName);
  if (oldFolder.empty() || !foundation::FolderExists(oldFolder)) {
    Tell(kTypeFolderMissing, foundation::kBoxWarning);
    typeList_.GetList();
    Unload();
    return;
  }
  const std::wstring newFolder = NewCategoryFolderOf(host(), newName);
  // Another category of that name would be merged into, or a file replaced;
  // a change of letter case alone names the same folder.
  const bool taken = foundation::FolderExists(newFolder) || foundation::FileExists(newFolder);
  if (taken && !foundation::IsSameFile(oldFolder, newFolder)) {
    Tell(kTypeExists, foundation::kBoxWarning);
    return;
  }
  if (!foundation::RenamePath(hwnd(), oldFolder, newFolder)) {
    Tell(kTypeNotRenamed, foundation::kBoxWarning);
    return;
  }
  // The panel's lists would still offer the old name, whose folder is gone.
  host().LoadType();
  typeList_.GetList();
  Tell(kTypeRenamed, foundation::kBoxInfo);
  Unload();
}

}  // namespace panel
