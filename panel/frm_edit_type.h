// FrmEditType: renames a category folder. A double click on a category in
// FrmType opens it with that name as the old one.
#pragma once
#include <string>

#include "panel/frm_type.h"
#include "panel/library_dialog.h"

namespace panel {

class FrmEditType final : public LibraryDialog {
 public:
  FrmEditType(LibraryHost& host, FrmType& typeList);
  void ShowFor(const std::wstring& oldName);

 protected:
  void CreateControls() override;

 private:
  void QQButton1_Click();

  FrmType& typeList_;
};

}  // namespace panel
