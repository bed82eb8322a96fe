// FrmCopy ("复制表情") and FrmMove ("移动表情"): copy or move every selected
// emoticon of the main window's grid into another category, chosen from a
// list of every category but the current one. Shown without being modal; the
// selection is read when "确定" is clicked.
#pragma once
#include "editor/dialog_window.h"

namespace editor {

class Frmmain;

class FrmTransfer : public DialogWindow {
 public:
  FrmTransfer(Frmmain& main, bool move) : main_(main), move_(move) {}
  void Show();

 private:
  void OnOk() override;

  Frmmain& main_;
  bool move_;
  HWND combo1_ = nullptr;
};

}  // namespace editor
