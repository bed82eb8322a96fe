#include "editor/frm_add_rar.h"

#include "editor/core/control_ids.h"
#include "editor/core/editor_texts.h"
#include "editor/core/pack_paths.h"
#include "editor/editor_library.h"
#include "editor/failure_report.h"
#include "editor/frm_main.h"
#include "editor/reload_notice.h"
#include "foundation/core/category_name.h"
#include "foundation/file_ops.h"
#include "foundation/library_ops.h"
#include "foundation/message_box.h"
#include "foundation/thumbnail_cache.h"

namespace editor {

void FrmAddRar::ShowModal() {
  if (!CreateFrame(main_.hwnd(), kAddRarCaption, 300, 250)) return;
  AddLabel(kIdDialogLabel, kNewCategoryLabel, 15, 15, 270, 14);
  text1_ = AddEdit(kIdDialogText1, 15, 33, 270, 20);
  ::SetWindowTextW(text1_, LastPathPart(folder_).c_str());
  HWND text2 = AddEdit(kIdDialogText2, 15, 60, 270, 20, true);
  ::SetWindowTextW(text2, folder_.c_str());
  HWND file1 = AddListBox(kIdDialogFileList, 15, 87, 270, 120);
  for (const std::wstring& name : files_) ::SendMessageW(file1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  AddButtons(218);
  Finish(text1_);
  RunModal();
}

void FrmAddRar::OnOk() {
  // The prefilled name comes from inside the archive: it is checked like a typed one.
  const std::wstring name = ControlText(text1_);
  switch (foundation::CheckCategoryName(name, false)) {
    case foundation::CategoryNameVerdict::kBlank:
      foundation::ShowMessage(hwnd(), kNamePack, foundation::kMessageTitle, foundation::kBoxInfo);
      ::SetFocus(text1_);
      return;
    case foundation::CategoryNameVerdict::kInvalid:
      foundation::ShowMessage(hwnd(), foundation::kInvalidCategoryNameMessage, foundation::kMessageTitle,
                              foundation::kBoxWarning);
      ::SetFocus(text1_);
      return;
    case foundation::CategoryNameVerdict::kOk:
      break;
  }
  const std::wstring target = CategoryFolder(name);
  foundation::CreateFolder(target);
  if (!foundation::FolderExists(target)) {
    foundation::ShowMessage(hwnd(), kCategoryNotCreated, foundation::kMessageTitle, foundation::kBoxWarning);
    return;
  }
  std::vector<std::wstring> failed;
  {
    foundation::ThumbnailDropBatch drops;
    for (const std::wstring& file : files_) {
      if (!foundation::CopyFaceVerified(hwnd(), folder_ + L"\\" + file, target)) failed.push_back(file);
    }
  }
  main_.LoadType();
  RType();
  if (failed.empty()) {
    foundation::ShowMessage(hwnd(), kImportDone, foundation::kMessageTitle, foundation::kBoxInfo);
  } else {
    ReportFailedFiles(hwnd(), kImportFailedHeading, failed);
  }
  Close();
}

}  // namespace editor
