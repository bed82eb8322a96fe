#include "panel/frm_move.h"

#include "foundation/library_ops.h"
#include "foundation/message_box.h"
#include "foundation/path_fields.h"
#include "panel/core/library_texts.h"

namespace panel {

FrmMove::FrmMove(LibraryHost& host)
    : FaceTargetDialog(host, {L"TarnwickFrmMove", kMoveCaption, kMoveLabel, kSelectFaceToMove}) {}

FaceTargetDialog::Outcome FrmMove::Transfer(const std::wstring& source, const std::wstring& targetFolder) {
  switch (foundation::MoveFace(hwnd(), source, targetFolder)) {
    case foundation::MoveOutcome::kMoved:
      return {kMoved, foundation::kBoxInfo, true};
    case foundation::MoveOutcome::kDeclined:
      return {kDeclinedFaceStart + foundation::GetFileName(source) + kMoveDeclinedEnd, foundation::kBoxInfo, false};
    case foundation::MoveOutcome::kSourceNotDeleted:
      return {kMovedButSourceKept, foundation::kBoxWarning, true};
    case foundation::MoveOutcome::kCopyFailed:
      break;
  }
  return {kNotMoved, foundation::kBoxWarning, false};
}

}  // namespace panel
