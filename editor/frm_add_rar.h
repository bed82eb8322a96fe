// FrmAddRar ("导入表情包", modal): names the category a RAR pack becomes,
// prefilled with the pack folder's name, and copies the pack's pictures.
#pragma once
#include <string>
#include <vector>

#include "editor/dialog_window.h"

namespace editor {

class Frmmain;

class FrmAddRar : public DialogWindow {
 public:
  // folder: the unpacked folder whose pictures (files) are imported.
  FrmAddRar(Frmmain& main, std::wstring folder, std::vector<std::wstring> files)
      : main_(main), folder_(std::move(folder)), files_(std::move(files)) {}
  // Returns once the dialog is closed.
  void ShowModal();

 private:
  void OnOk() override;

  Frmmain& main_;
  std::wstring folder_;
  std::vector<std::wstring> files_;
  HWND text1_ = nullptr;
};

}  // namespace editor
