#include "panel/tab_strip.h"

#include "foundation/app_path.h"
#include "foundation/file_ops.h"
#include "foundation/message_box.h"
#include "foundation/window_utils.h"

namespace panel {

void TabStrip::Command_Click(int index) {
  if (index < 0 || index > 2) return;
  if (index == 1) {
    // The pages and buttons stay as they are.
    const std::wstring editor = foundation::AppPath() + kEditorProgram;
    if (foundation::FileExists(editor))
      foundation::StartProgram(L"\"" + editor + L"\"");
    else
      foundation::ShowMessage(panel_, kEditorMissing, foundation::kMessageTitle, foundation::kBoxInfo);
    return;
  }
  for (size_t i = 0; i < 3; ++i) {
    buttons_[i]->SetStatus(false);
    ::ShowWindow(pages_[i], SW_HIDE);
  }
  buttons_[static_cast<size_t>(index)]->SetStatus(true);
  ::ShowWindow(pages_[static_cast<size_t>(index)], SW_SHOWNA);
}

}  // namespace panel
