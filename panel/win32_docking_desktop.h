// The docking loop's view of the real desktop.
#pragma once
#include <windows.h>

#include <functional>

#include "foundation/core/chat_window_list.h"
#include "panel/core/docking_tick.h"

namespace panel {

class Win32DockingDesktop : public DockingDesktop {
 public:
  // panel: the window that docks; list: its chat-window list; standAlone:
  // the current window mode (the strict test refuses everything in stand-alone mode).
  Win32DockingDesktop(HWND panel, foundation::ChatWindowList& list, std::function<bool()> standAlone)
      : panel_(panel), list_(list), standAlone_(std::move(standAlone)) {}

  WindowId Foreground() override;
  WindowId Panel() override { return Id(panel_); }
  void RefreshChatWindowList() override;
  int ListedChatWindows() override { return list_.Count(); }
  bool CheckQQWin(WindowId w) override;
  bool IsWindow(WindowId w) override;
  std::wstring ExeName(WindowId w) override;
  bool WindowRect(WindowId w, ScreenRect& r) override;
  WindowId ChatWindow() override;
  void SetChatWindow(WindowId w) override;
  void Hide() override;
  void Place(int32_t leftTwips, int32_t topTwips, int32_t heightTwips) override;

  static WindowId Id(HWND h) { return reinterpret_cast<WindowId>(h); }
  static HWND Handle(WindowId w) { return reinterpret_cast<HWND>(w); }

 private:
  HWND panel_;
  foundation::ChatWindowList& list_;
  std::function<bool()> standAlone_;
};

// Moves a top-level window only when its place really changes (pixels).
void MoveWindowIfChanged(HWND hwnd, int left, int top, int width, int height);

}  // namespace panel
