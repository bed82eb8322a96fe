// One step of the docking loop as a plain class over what it needs of the
// desktop, so its decisions are tested without windows or timers.
#pragma once
#include <cstdint>
#include <string>

namespace panel {

using WindowId = std::uintptr_t;

struct ScreenRect {
  int32_t left, top, right, bottom;
};

class DockingDesktop {
 public:
  virtual ~DockingDesktop() = default;
  // The window in front; the first call of every tick.
  virtual WindowId Foreground() = 0;
  virtual WindowId Panel() = 0;
  // Enumerates the top-level windows into the chat-window list, then prunes it.
  virtual void RefreshChatWindowList() = 0;
  // Whether the set of top-level windows differs from the one the latest
  // refresh enumerated (true before the first refresh).
  virtual bool TopLevelWindowsChanged() = 0;
  virtual int ListedChatWindows() = 0;
  virtual bool IsListed(WindowId w) = 0;
  // Whether an enumeration now would list w (not being listed yet).
  virtual bool EntersList(WindowId w) = 0;
  virtual bool CheckQQWin(WindowId w) = 0;
  virtual std::wstring ExeName(WindowId w) = 0;
  virtual bool WindowRect(WindowId w, ScreenRect& r) = 0;
  // The chat window last found in front (the send road's target): written only
  // by the loop, never cleared.
  virtual WindowId ChatWindow() = 0;
  virtual void SetChatWindow(WindowId w) = 0;
  // Panel placement in twips; Hide puts the panel's bottom on the top edge of
  // the highest monitor.
  virtual void Hide() = 0;
  virtual void Place(int32_t leftTwips, int32_t topTwips, int32_t heightTwips) = 0;
};

// The loop consults the chat-window list only on ticks whose outcome it can
// decide, and brings it up to date only when it may have changed in a way
// that matters; see Tick.
class DockingLoop {
 public:
  // A refresh at least this often (in ticks, about 5 s) when the list is
  // consulted: a window that starts passing the enumeration's tests while it
  // is not in front and no window appears or goes enters the list by then.
  static constexpr int kRefreshFallbackTicks = 500;

  // While activation passes from one thread to another, the window in front
  // reads as none for a moment (the new thread has not taken it yet): a
  // click on the panel would hide it, and the panel in front then leaves it
  // hidden. A tick that finds no window in front decides nothing until none
  // has been in front for this many ticks in a row.
  static constexpr int kNoForegroundTicks = 10;

  explicit DockingLoop(DockingDesktop& desktop) : desktop_(desktop) {}

  // One tick; nothing happens in stand-alone mode.
  void Tick(bool standAloneMode);

 private:
  bool ChatWindowsListed(WindowId fg, bool fgIsChat);

  DockingDesktop& desktop_;
  int ticksSinceRefresh_ = kRefreshFallbackTicks;
  int ticksWithoutForeground_ = 0;
};

}  // namespace panel
