#include "panel/face_target_dialog.h"

#include <commctrl.h>

#include "foundation/file_ops.h"
#include "foundation/message_box.h"
#include "panel/core/library_texts.h"
#include "panel/library_maintenance.h"

namespace panel {

FaceTargetDialog::FaceTargetDialog(LibraryHost& host, const wchar_t* className, const wchar_t* caption,
                                   const wchar_t* label)
    : LibraryDialog(host, className, caption, 260, 100), label_(label) {}

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
  const std::wstring folder = CategoryFolderOf(host(), target);
  if (folder.empty()) {
    Tell(kNoTargetType, foundation::kBoxWarning);
    return;
  }
  // The default category is listed without a folder of its own.
  if (!foundation::FolderExists(folder)) foundation::CreateFolder(folder);
  const Outcome outcome = Transfer(host().CurrentFacePath(), folder + L"\\");
  host().LoadFace2(host().Combo3Text());
  host().LoadFace(host().Combo1Text());
  Tell(outcome.message, outcome.style);
  Unload();
}

}  // namespace panel
