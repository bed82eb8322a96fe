// What FrmCopy and FrmMove share: a list of the other categories to choose
// the target from, and a confirm button that hands the emoticon last pressed
// to the dialog's own transfer, reloads the grids when the library changed
// and reports the real outcome. Without a target category, or without an
// emoticon that is still there, nothing is copied.
#pragma once
#include <string>

#include "panel/library_dialog.h"

namespace panel {

class FaceTargetDialog : public LibraryDialog {
 protected:
  struct Texts {
    const wchar_t* className;
    const wchar_t* caption;
    const wchar_t* label;
    const wchar_t* nothingSelected;  // no emoticon to copy or move when "确定" is pressed
  };
  FaceTargetDialog(LibraryHost& host, const Texts& texts);

  struct Outcome {
    std::wstring message;
    UINT style;
    bool changed;  // a file landed in the target or left the source
  };
  // Copies or moves source into targetFolder (ending in "\"), asking before
  // a file of the same name there is replaced.
  virtual Outcome Transfer(const std::wstring& source, const std::wstring& targetFolder) = 0;

  void CreateControls() override;
  void Form_Load() override;

 private:
  void QQButton1_Click();

  const wchar_t* label_;
  const wchar_t* nothingSelected_;
};

}  // namespace panel
