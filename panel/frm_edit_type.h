// FrmEditType: renames a category folder. No command of the panel opens it;
// ShowFor puts the old name in.
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
