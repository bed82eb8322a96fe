// Magnetic top-level windows: while the user drags or sizes a registered
// window, its moving edges jump to the work area's edges and to the other
// registered windows once closer than SnapWidth pixels; windows glued to a
// parent travel with it. Each registered window carries one sink link of the
// subclassing host, taken off again through the host (in any order relative
// to other procedures on the window).
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "foundation/core/snap_geometry.h"
#include "foundation/subclass_host.h"

namespace foundation {

class cMagneticWnd : private ISubclassingSink {
 public:
  cMagneticWnd();
  cMagneticWnd(const cMagneticWnd&) = delete;
  cMagneticWnd& operator=(const cMagneticWnd&) = delete;
  // Takes the links off every registered window.
  ~cMagneticWnd();

  // Registers a window of this thread, with an optional parent (need not be
  // registered) that it glues to. False, changing nothing, when the window is
  // registered already, is not a window, the parent is given but is not a
  // window, or the window cannot carry a link (another thread's window).
  bool AddWindow(HWND hwnd, HWND parent = nullptr);
  // Unregisters; windows that had it as parent lose their parent. False when
  // the window is not registered.
  bool RemoveWindow(HWND hwnd);
  // Takes fresh rectangles and recomputes which windows are glued.
  void CheckGlueing();

  int SnapWidth() const noexcept { return snapWidth_; }
  void SnapWidth(int pixels) noexcept { snapWidth_ = pixels; }

  // For tests and diagnostics: whether the registered window is glued now.
  bool IsGlued(HWND hwnd) const;

 private:
  void After(LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam, LPARAM& lParam) override;

  void StartSizeMove(HWND hwnd);
  void Moving(HWND hwnd, RECT* rc);
  void Sizing(HWND hwnd, RECT* rc, int edge);
  void CheckGlue();

  std::vector<MagneticEntry> list_;                   // entry 0: the work area
  std::vector<std::unique_ptr<cSubclsThunk>> links_;  // parallel to list_; links_[0] empty
  int snapWidth_ = kDefaultSnapWidth;
  HWND moving_ = nullptr;  // the window whose move or size is in progress
  IntPoint startCursor_;
  IntPoint grip_;
};

}  // namespace foundation
