// What the control window tests share: a visible host window, reading the
// finished drawing of a control and of a picture, and mouse coordinates.
#pragma once
#include <windows.h>

#include <utility>

#include "controls/control_base.h"
#include "controls/picture.h"
#include "foundation/handles.h"

namespace controls_test {

struct HostWindow {
  HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                nullptr, nullptr, nullptr);
  ~HostWindow() { ::DestroyWindow(hwnd); }
};

inline COLORREF PicturePixel(const controls::Picture& p, int x, int y) {
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  foundation::SelectionGuard select(dc.get(), p.bitmap());
  return ::GetPixel(dc.get(), x, y);
}

// Columns holding text-coloured (red-dominant) pixels: first and last, or -1.
inline std::pair<int, int> RedColumns(const controls::BackSurface& s) {
  int first = -1, last = -1;
  for (int x = 0; x < s.width(); ++x) {
    for (int y = 0; y < s.height(); ++y) {
      const COLORREF c = s.Pixel(x, y);
      if (GetRValue(c) > GetGValue(c) + 60 && GetRValue(c) > GetBValue(c) + 60) {
        if (first < 0) first = x;
        last = x;
        break;
      }
    }
  }
  return {first, last};
}

// The finished drawing of a control (the public, read-only view).
inline const controls::BackSurface& Drawn(const controls::ControlWindow& control) { return control.surface(); }

inline LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

}  // namespace controls_test
