#include "panel/frm_copy.h"

#include "foundation/library_ops.h"
#include "foundation/message_box.h"
#include "panel/core/library_texts.h"

namespace panel {

FrmCopy::FrmCopy(LibraryHost& host)
    : FaceTargetDialog(host, {L"TarnwickFrmCopy", kCopyCaption, kCopyLabel, kSelectFaceToCopy}) {}

FaceTargetDialog::Outcome FrmCopy::Transfer(const std::wstring& source, const std::wstring& targetFolder) {
  if (foundation::CopyFaceVerified(hwnd(), source, targetFolder)) return {kCopied, foundation::kBoxInfo};
  return {kNotCopied, foundation::kBoxWarning};
}

}  // namespace panel
