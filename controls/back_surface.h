// The back surface of a control: a memory DC holding a 32-bit top-down DIB
// section. All drawing of a control goes here; WM_PAINT only copies it to the
// window, so a half-drawn look is never seen and tests read pixels directly.
#pragma once
#include <windows.h>

#include <cstdint>

#include "foundation/handles.h"

namespace controls {

// A 32-bit top-down DIB section (0x00RRGGBB per pixel); bits receives the
// pixel memory. A null bitmap on failure.
foundation::UniqueBitmap CreateTopDownDib(int width, int height, void** bits);

class BackSurface {
 public:
  BackSurface() = default;
  BackSurface(const BackSurface&) = delete;
  BackSurface& operator=(const BackSurface&) = delete;
  ~BackSurface() { Reset(); }

  // Makes a new surface of that size (contents black); a size of 0 or less in
  // either direction leaves an empty surface (dc() null). False on failure.
  bool Resize(int width, int height);
  void Reset() noexcept;

  HDC dc() const noexcept { return dc_.get(); }
  int width() const noexcept { return width_; }
  int height() const noexcept { return height_; }
  bool empty() const noexcept { return !dc_; }

  // Fills the whole surface, or a rectangle of it (clipped), with an RGB colour.
  void Fill(COLORREF color);
  void FillRect(int x, int y, int width, int height, COLORREF color);

  // The RGB colour of one pixel, or CLR_INVALID outside the surface.
  COLORREF Pixel(int x, int y) const;

  // Copies the surface to dc at (x, y).
  void PresentTo(HDC target, int x = 0, int y = 0) const;

 private:
  foundation::UniqueMemoryDc dc_;
  foundation::UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;  // the DC's stock bitmap, put back before deletion
  uint32_t* bits_ = nullptr;    // 0x00RRGGBB per pixel, rows top-down
  int width_ = 0;
  int height_ = 0;
};

}  // namespace controls
