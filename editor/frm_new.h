// FrmNew ("添加分类"): names a new category and creates its folder. Shown
// without being modal.
#pragma once
#include "editor/dialog_window.h"

namespace editor {

class Frmmain;

class FrmNew : public DialogWindow {
 public:
  explicit FrmNew(Frmmain& main) : main_(main) {}
  void Show();

 private:
  void OnOk() override;
  // The name box emptied and focused again after a refused name.
  void Retry(bool clear);

  Frmmain& main_;
  HWND text1_ = nullptr;
};

}  // namespace editor
