#include "editor/message_loop.h"

#include <windows.h>

#include "editor/dialog_window.h"

namespace editor {
namespace {

void Dispatch(MSG& msg) {
  if (DialogWindow::PreTranslate(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

}  // namespace

int RunMessageLoop() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return static_cast<int>(msg.wParam);
}

void RunNestedLoop(const std::function<bool()>& running) {
  MSG msg;
  while (running()) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    Dispatch(msg);
  }
}

}  // namespace editor
