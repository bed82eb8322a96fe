// FrmMove: moves the emoticon last pressed into another category; the
// original goes only once the copy is verified in the target.
#pragma once
#include "panel/face_target_dialog.h"

namespace panel {

class FrmMove final : public FaceTargetDialog {
 public:
  explicit FrmMove(LibraryHost& host);

 protected:
  Outcome Transfer(const std::wstring& source, const std::wstring& targetFolder) override;
};

}  // namespace panel
