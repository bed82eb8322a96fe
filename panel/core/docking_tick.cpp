#include "panel/core/docking_tick.h"

#include <cwctype>

namespace panel {
namespace {

std::wstring UpperCase(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towupper(c));
  return s;
}

}  // namespace

// Whether the list holds at least one window, as enumerating and pruning on
// this very tick would find. The list grows only by windows that pass the
// enumeration's tests and shrinks only by windows that are gone, so:
// - a chat window in front that is listed exists (it has just passed the
//   strict test): the count is at least 1 whatever else changed;
// - a chat window in front that an enumeration would list makes it at least
//   1 too, once listed;
// - otherwise the count an enumeration would find differs from the list's
//   only when a window appeared or went since the latest refresh (the set of
//   top-level windows differs), or when a window not in front started passing
//   the enumeration's tests meanwhile (caught by the fallback period).
bool DockingLoop::ChatWindowsListed(WindowId fg, bool fgIsChat) {
  if (fgIsChat && desktop_.IsListed(fg)) return true;
  if ((fgIsChat && desktop_.EntersList(fg)) || ticksSinceRefresh_ >= kRefreshFallbackTicks ||
      desktop_.TopLevelWindowsChanged()) {
    desktop_.RefreshChatWindowList();
    ticksSinceRefresh_ = 0;
  }
  return desktop_.ListedChatWindows() >= 1;
}

void DockingLoop::Tick(bool standAloneMode) {
  const WindowId fg = desktop_.Foreground();
  if (standAloneMode) return;
  if (fg) {
    ticksWithoutForeground_ = 0;
  } else if (ticksWithoutForeground_ < kNoForegroundTicks) {
    ++ticksWithoutForeground_;
    return;
  }
  if (ticksSinceRefresh_ < kRefreshFallbackTicks) ++ticksSinceRefresh_;
  const WindowId panel = desktop_.Panel();
  // The strict test is a function of the window's facts: one call serves the
  // three places the loop consults it.
  const bool fgIsChat = desktop_.CheckQQWin(fg);
  // Any other window in front hides the panel whatever the list holds (an
  // empty list hides it, and so does a window that fails the strict test), so
  // the list is consulted only with a chat window or the panel in front.
  if (!fgIsChat && fg != panel) {
    desktop_.Hide();
    return;
  }
  if (!ChatWindowsListed(fg, fgIsChat)) {
    desktop_.Hide();
    return;
  }
  // The panel itself in front stays where it is, and the chat window it
  // names stays the last one found in front.
  if (fg == panel) return;
  desktop_.SetChatWindow(fg);
  // fg has just passed the strict test, so it is a window still: the panel
  // follows it when it belongs to the QQ client (another program's chat
  // window is only the target of sending).
  if (UpperCase(desktop_.ExeName(fg)) == L"QQ.EXE") {
    ScreenRect r;
    if (desktop_.WindowRect(fg, r)) desktop_.Place(r.right * 15, r.top * 15, (r.bottom - r.top) * 15);
  }
}

}  // namespace panel
