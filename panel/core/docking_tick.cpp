#include "panel/core/docking_tick.h"

#include <cwctype>

namespace panel {
namespace {

std::wstring UpperCase(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
  return s;
}

}  // namespace

void DockingLoop::Tick(bool standAloneMode) {
  const WindowId fg = desktop_.Foreground();
  if (standAloneMode) return;
  desktop_.RefreshChatWindowList();
  if (desktop_.ListedChatWindows() < 1) {
    desktop_.Hide();
    return;
  }
  const WindowId panel = desktop_.Panel();
  // The strict test is a function of the window's facts: one call serves the
  // three places the loop consults it.
  const bool fgIsChat = desktop_.CheckQQWin(fg);
  if (fgIsChat && fg != panel) {
    desktop_.SetChatWindow(fg);
  } else if (!fgIsChat && fg != panel) {
    desktop_.Hide();
    return;
  }
  const WindowId chat = desktop_.ChatWindow();
  if (desktop_.IsWindow(chat) && fg == chat) {
    if (chat != panel && UpperCase(desktop_.ExeName(fg)) == L"QQ.EXE") {
      ScreenRect r;
      if (desktop_.WindowRect(chat, r)) {
        desktop_.Place(r.right * 15, r.top * 15, (r.bottom - r.top) * 15);
      }
    }
    return;
  }
  if (!fgIsChat && fg != panel) desktop_.Hide();
}

}  // namespace panel
