// FrmType: deletes a category with everything in it, after a question; stays
// open and lists the library's folders again after each deletion. A double
// click on a category asks for its renaming.
#pragma once
#include <string>

#include "panel/library_dialog.h"

namespace panel {

// The row height of a list box or of a combo box's list (other controls are left alone).
void SetListItemHeight(HWND control, int height);

class FrmType final : public LibraryDialog {
 public:
  explicit FrmType(LibraryHost& host);
  // Fills the list again from the library.
  void GetList();

 protected:
  void CreateControls() override;
  void Form_Load() override;

 private:
  void QQButton1_Click();
  // The selected entry of the list, or "" when none is.
  std::wstring SelectedName() const;
};

}  // namespace panel
