#include "panel/face_target_dialog.h"

#include <commctrl.h>

#include "foundation/file_ops.h"
#include "foundation/message_box.h"
#include "panel/core/library_texts.h"
#include "panel/library_maintenance.h"

namespace panel {

FaceTargetDialog::FaceTargetDialog(LibraryHost& host, const Texts& texts)
    : LibraryDialog(host, texts.className, texts.caption, 260, 100),
      label_(texts.label),
      nothingSelected_(texts.nothingSelected) {}

void FaceTargetDialog::CreateControls() {
  AddLabel(label_, 14, 14, 230);
  AddComboList(kDlgCombo1, 14, 36, 230);
  AddButton(kDlgQQButton1, L"QQButton1", kButtonOk, 50, 68, [this] { QQButton1_Click(); });
  AddButton(kDlgQQButton2, L"QQButton2", kButtonCancel, 135, 68, [this] { Unload(); });
}

void FaceTargetDialog::Form_Load() {
  // Every category but the current one (exact comparison).
  HWND combo = ::GetDlgItem(hwnd(), kDlgCombo1);
  const std::wstring current = host().Combo3Text();
  for (const std::wstring& name : host().Categories())
    if (name != current) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  if (::SendMessageW(combo, CB_GETCOUNT, 0, 0) > 0) ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
}

void FaceTargetDialog::QQButton1_Click() {
  const std::wstring target = Text(kDlgCombo1);
  if (CategoryFolderOf(host(), target).empty()) {
    Tell(kNoTargetType, foundation::kBoxWarning);
    return;
  }
  // The dialog is modeless: the emoticon may have been deleted since it
  // opened, or none was ever pressed.
  const std::wstring source = host().CurrentFacePath();
  if (source.empty() || !foundation::FileExists(source)) {
    Tell(nothingSelected_, foundation::kBoxInfo);
    return;
  }
  // The default category is listed without a folder of its own.
  const std::wstring folder = EnsureCategoryFolder(host(), target);
  if (folder.empty()) {
    Tell(kTypeFolderGone, foundation::kBoxWarning);
    return;
  }
  const Outcome outcome = Transfer(source, folder + L"\\");
  if (outcome.changed) {
    host().LoadFace2(host().Combo3Text());
    host().LoadFace(host().Combo1Text());
  }
  Tell(outcome.message, outcome.style);
  Unload();
}

}  // namespace panel
