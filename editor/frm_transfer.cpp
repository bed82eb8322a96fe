#include "editor/frm_transfer.h"

#include <string>
#include <vector>

#include "editor/core/control_ids.h"
#include "editor/core/editor_texts.h"
#include "editor/editor_library.h"
#include "editor/failure_report.h"
#include "editor/frm_main.h"
#include "editor/reload_notice.h"
#include "foundation/file_ops.h"
#include "foundation/library_ops.h"
#include "foundation/message_box.h"
#include "foundation/path_fields.h"

namespace editor {

void FrmTransfer::Show() {
  if (!CreateFrame(main_.hwnd(), move_ ? kMoveCaption : kCopyCaption, 250, 100)) return;
  AddLabel(kIdDialogLabel, move_ ? kMoveTargetLabel : kCopyTargetLabel, 15, 15, 220, 14);
  combo1_ = AddDropDownList(kIdDialogText1, 15, 35, 220, 200);
  for (const std::wstring& name : main_.CategoryNames()) {
    if (name != main_.CurrentCategory())
      ::SendMessageW(combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  if (::SendMessageW(combo1_, CB_GETCOUNT, 0, 0) > 0) ::SendMessageW(combo1_, CB_SETCURSEL, 0, 0);
  AddButtons(66);
  Finish(combo1_);
}

void FrmTransfer::OnOk() {
  const std::wstring target = ControlText(combo1_);
  // With no other category there is nowhere to go: the files would land in
  // the library folder itself.
  if (target.empty()) {
    foundation::ShowMessage(hwnd(), move_ ? kNoMoveTarget : kNoCopyTarget, foundation::kMessageTitle,
                            foundation::kBoxInfo);
    return;
  }
  // The dialog is modeless: the selection read now may have gone since it
  // opened (another category or page shown, the files deleted meanwhile).
  std::vector<std::wstring> sources;
  FaceGrid& grid = main_.Grid();
  for (int i = 0; i < kCellCount; ++i) {
    const FaceCell& cell = grid.Cell(i);
    if (cell.Selected() && foundation::FileExists(cell.Tag())) sources.push_back(cell.Tag());
  }
  if (sources.empty()) {
    foundation::ShowMessage(hwnd(), move_ ? kSelectFacesToMove : kSelectFacesToCopy, foundation::kMessageTitle,
                            foundation::kBoxInfo);
    return;
  }
  const std::wstring targetFolder = CategoryFolder(target) + L"\\";
  std::vector<std::wstring> failed;
  for (const std::wstring& source : sources) {
    const bool ok = move_ ? foundation::MoveFace(hwnd(), source, targetFolder) == foundation::MoveOutcome::kMoved
                          : foundation::CopyFaceVerified(hwnd(), source, targetFolder);
    if (!ok) failed.push_back(foundation::GetFileName(source));
  }
  if (failed.empty()) {
    foundation::ShowMessage(hwnd(), move_ ? kMoveDone : kCopyDone, foundation::kMessageTitle, foundation::kBoxInfo);
  } else {
    ReportFailedFiles(hwnd(), move_ ? kMoveFailedHeading : kCopyFailedHeading, failed);
  }
  if (failed.size() < sources.size()) RFace();
  if (move_) main_.LoadFace(main_.CurrentCategory());
  Close();
}

}  // namespace editor
