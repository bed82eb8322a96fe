#include "panel/frm_new_type.h"

#include "foundation/core/category_name.h"
#include "foundation/file_ops.h"
#include "foundation/message_box.h"
#include "panel/core/library_texts.h"
#include "panel/library_maintenance.h"

namespace panel {

FrmNewType::FrmNewType(LibraryHost& host) : LibraryDialog(host, L"TarnwickFrmNewType", kNewTypeCaption, 260, 100) {}

void FrmNewType::CreateControls() {
  AddLabel(kNewTypeLabel, 14, 14, 230);
  AddTextBox(kDlgText1, 14, 36, 230);
  AddButton(kDlgQQButton1, L"QQButton1", kNewTypeAdd, 50, 66, [this] { QQButton1_Click(); });
  AddButton(kDlgQQButton2, L"QQButton2", kButtonCancel, 135, 66, [this] { Unload(); });
}

void FrmNewType::Refuse(const std::wstring& text, UINT style, bool clear) {
  Tell(text, style);
  if (clear) SetText(kDlgText1, L"");
  Focus(kDlgText1);
}

void FrmNewType::QQButton1_Click() {
  const std::wstring name = Text(kDlgText1);
  switch (foundation::CheckCategoryName(name, true)) {
    case foundation::CategoryNameVerdict::kBlank:
      Refuse(kEnterNewTypeName, foundation::kBoxStop, true);
      return;
    case foundation::CategoryNameVerdict::kInvalid:
      Refuse(foundation::kInvalidCategoryNameMessage, foundation::kBoxWarning, false);
      return;
    case foundation::CategoryNameVerdict::kOk:
      break;
  }
  const std::wstring folder = NewCategoryFolderOf(host(), name, true);
  if (foundation::FolderExists(folder)) {
    Refuse(kTypeExists, foundation::kBoxWarning, true);
    return;
  }
  if (!folder.empty()) foundation::CreateFolder(folder);
  if (folder.empty() || !foundation::FolderExists(folder)) {
    Refuse(kTypeNotCreated, foundation::kBoxStop, false);
    return;
  }
  host().LoadType();
  Tell(kTypeAdded, foundation::kBoxInfo);
  Unload();
}

}  // namespace panel
