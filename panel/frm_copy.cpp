#include "panel/frm_copy.h"

#include "foundation/library_ops.h"
#include "foundation/message_box.h"
#include "foundation/path_fields.h"
#include "panel/core/library_texts.h"

namespace panel {

FrmCopy::FrmCopy(LibraryHost& host)
    : FaceTargetDialog(host, {L"TarnwickFrmCopy", kCopyCaption, kCopyLabel, kSelectFaceToCopy}) {}

FaceTargetDialog::Outcome FrmCopy::Transfer(const std::wstring& source, const std::wstring& targetFolder) {
  switch (foundation::CopyFaceAsking(hwnd(), source, targetFolder)) {
    case foundation::CopyOutcome::kCopied:
      return {kCopied, foundation::kBoxInfo, true};
    case foundation::CopyOutcome::kDeclined:
      return {kDeclinedFaceStart + foundation::GetFileName(source) + kCopyDeclinedEnd, foundation::kBoxInfo, false};
    case foundation::CopyOutcome::kFailed:
      break;
  }
  return {kNotCopied, foundation::kBoxWarning, false};
}

}  // namespace panel
