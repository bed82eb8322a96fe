// FrmCopy: copies the emoticon last pressed into another category.
#pragma once
#include "panel/face_target_dialog.h"

namespace panel {

class FrmCopy final : public FaceTargetDialog {
 public:
  explicit FrmCopy(LibraryHost& host);

 protected:
  Outcome Transfer(const std::wstring& source, const std::wstring& targetFolder) override;
};

}  // namespace panel
