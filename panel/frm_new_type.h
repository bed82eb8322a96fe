// FrmNewType: adds a category. The name must name a folder inside the
// library ("x\y" makes x with y inside); the category lists reload after.
#pragma once
#include "panel/library_dialog.h"

namespace panel {

class FrmNewType final : public LibraryDialog {
 public:
  explicit FrmNewType(LibraryHost& host);

 protected:
  void CreateControls() override;

 private:
  void QQButton1_Click();
  void Refuse(const std::wstring& text, UINT style, bool clear);
};

}  // namespace panel
