// A plain child window filled with one colour: the panel's tab pages and the
// viewports of its grids. Notifications of the controls placed on it go on
// to its parent, the way a container passes its children's events up.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "foundation/window_base.h"

namespace panel {

class PlainPanel : public foundation::WindowBase {
 public:
  // bordered: a one-pixel frame inside the given size.
  bool Create(HWND parent, int x, int y, int width, int height, COLORREF background, bool visible = true,
              bool bordered = false);
  void SetBackColor(COLORREF color);
  void Move(int x, int y, int width, int height);
  void Show(bool visible);
  // One line of text drawn on the panel (a label), or "" for none.
  void SetLabel(const std::wstring& text, int x, int y, COLORREF color);

  // Raised when the mouse moves over the panel itself (not over its children).
  std::function<void()> MouseMove;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  COLORREF background_ = RGB(0xFF, 0xFF, 0xFF);
  std::wstring label_;
  POINT labelAt_{0, 0};
  COLORREF labelColor_ = RGB(0, 0, 0);
};

}  // namespace panel
