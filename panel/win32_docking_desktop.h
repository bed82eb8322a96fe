// The docking loop's view of the real desktop.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "foundation/chat_windows.h"
#include "foundation/core/chat_window_list.h"
#include "foundation/core/int_rect.h"
#include "panel/core/docking_tick.h"

namespace panel {

// Every read of another program's window is a server round trip under Wine,
// and the loop runs a hundred times a second: what never changes about the
// window in front (its class, its program) is read once while it stays in
// front, and the rectangle the strict test read serves the placement of the
// same tick.
class Win32DockingDesktop : public DockingDesktop {
 public:
  // panel: the window that docks; list: its chat-window list; standAlone:
  // the current window mode (the strict test refuses everything in stand-alone mode).
  Win32DockingDesktop(HWND panel, foundation::ChatWindowList& list, std::function<bool()> standAlone)
      : panel_(panel), list_(list), standAlone_(std::move(standAlone)) {}

  WindowId Foreground() override;
  WindowId Panel() override { return Id(panel_); }
  void RefreshChatWindowList() override;
  bool TopLevelWindowsChanged() override;
  int ListedChatWindows() override { return list_.Count(); }
  bool IsListed(WindowId w) override;
  bool EntersList(WindowId w) override;
  bool CheckQQWin(WindowId w) override;
  std::wstring ExeName(WindowId w) override;
  bool WindowRect(WindowId w, ScreenRect& r) override;
  WindowId ChatWindow() override;
  void SetChatWindow(WindowId w) override;
  void Hide() override;
  // The monitors were added, removed or moved (WM_DISPLAYCHANGE): Hide lists them again.
  void DisplayChanged() { monitors_.reset(); }
  void Place(int32_t leftTwips, int32_t topTwips, int32_t heightTwips) override;

  static WindowId Id(HWND h) { return reinterpret_cast<WindowId>(h); }
  static HWND Handle(WindowId w) { return reinterpret_cast<HWND>(w); }

 private:
  // What stays true of the window in front while it stays in front.
  struct InFront {
    HWND hwnd = nullptr;
    std::wstring className;
    bool exeKnown = false;
    std::wstring exeName;
  };
  InFront& Remembered(HWND hwnd);

  HWND panel_;
  foundation::ChatWindowList& list_;
  std::function<bool()> standAlone_;
  InFront inFront_;
  // The strict test's reading of this tick (rectangle for placement).
  HWND readOf_ = nullptr;
  foundation::StrictTestReading reading_;
  // The top-level windows the latest refresh enumerated, and a scratch list.
  std::vector<HWND> refreshed_, current_;
  bool everRefreshed_ = false;
  // Listed at the first Hide after a change: Hide runs at nearly every tick
  // while another window is in front, and listing them costs more than the
  // rest of such a tick.
  std::optional<std::vector<foundation::IntRect>> monitors_;
};

// Moves a top-level window only when its place really changes (pixels).
void MoveWindowIfChanged(HWND hwnd, int left, int top, int width, int height);

}  // namespace panel
