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
#include "foundation/thumbnail_cache.h"

namespace editor {
namespace {

// The closing message of a copy or a move.
struct TransferTexts {
  const wchar_t* allDone;
  const wchar_t* doneHeading;
  const wchar_t* noneDone;
  const wchar_t* declinedHeading;
  const wchar_t* failedHeading;
};
constexpr TransferTexts kCopyTexts{kCopyDone, kCopiedHeading, kNothingCopied, kCopyDeclinedHeading,
                                   kCopyFailedHeading};
constexpr TransferTexts kMoveTexts{kMoveDone, kMovedHeading, kNothingMoved, kMoveDeclinedHeading,
                                   kMoveFailedHeading};

using foundation::CopyOutcome;

// A move told as a copy's outcome. One whose source could not go failed (the
// source stays) but is in the target all the same: changed is set then.
CopyOutcome MoveOne(HWND owner, const std::wstring& source, const std::wstring& targetFolder, bool& changed) {
  switch (foundation::MoveFace(owner, source, targetFolder)) {
    case foundation::MoveOutcome::kMoved:
      return CopyOutcome::kCopied;
    case foundation::MoveOutcome::kDeclined:
      return CopyOutcome::kDeclined;
    case foundation::MoveOutcome::kSourceNotDeleted:
      changed = true;
      break;
    case foundation::MoveOutcome::kCopyFailed:
      break;
  }
  return CopyOutcome::kFailed;
}

}  // namespace

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
  std::vector<std::wstring> done, declined, failed;
  bool changed = false;
  {
    // No transaction stays open meanwhile: the questions wait for the user.
    foundation::ThumbnailDropBatch drops;
    for (const std::wstring& source : sources) {
      const CopyOutcome outcome = move_ ? MoveOne(hwnd(), source, targetFolder, changed)
                                        : foundation::CopyFaceAsking(hwnd(), source, targetFolder);
      std::vector<std::wstring>& list =
          outcome == CopyOutcome::kCopied ? done : outcome == CopyOutcome::kDeclined ? declined : failed;
      list.push_back(foundation::GetFileName(source));
    }
  }
  changed |= !done.empty();
  const TransferTexts& texts = move_ ? kMoveTexts : kCopyTexts;
  if (declined.empty() && failed.empty()) {
    foundation::ShowMessage(hwnd(), texts.allDone, foundation::kMessageTitle, foundation::kBoxInfo);
  } else {
    std::wstring text = done.empty() ? texts.noneDone : NameList(texts.doneHeading, done);
    if (!declined.empty()) text += L"\r\n" + NameList(texts.declinedHeading, declined);
    if (!failed.empty()) text += L"\r\n" + NameList(texts.failedHeading, failed);
    // Files the user chose to keep are no fault.
    foundation::ShowMessage(hwnd(), text, foundation::kMessageTitle,
                            failed.empty() ? foundation::kBoxInfo : foundation::kBoxWarning);
  }
  // A library left as it was needs no reload, and keeps the grid's selection.
  if (changed) {
    RFace();
    if (move_) main_.LoadFace(main_.CurrentCategory());
  }
  Close();
}

}  // namespace editor
