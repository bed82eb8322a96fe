#include "controls/back_surface.h"

#include <algorithm>

#include "foundation/top_down_dib.h"

namespace controls {

foundation::UniqueBitmap CreateTopDownDib(int width, int height, void** bits) {
  const BITMAPINFO bi = foundation::TopDown32BitmapInfo(width, height);
  return foundation::UniqueBitmap(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0));
}

bool BackSurface::Resize(int width, int height) {
  Reset();
  if (width <= 0 || height <= 0) return true;
  void* bits = nullptr;
  foundation::UniqueBitmap bitmap = CreateTopDownDib(width, height, &bits);
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!bitmap || !dc || !bits) return false;
  previous_ = ::SelectObject(dc.get(), bitmap.get());
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void BackSurface::Reset() noexcept {
  if (dc_ && previous_) ::SelectObject(dc_.get(), previous_);
  previous_ = nullptr;
  dc_.reset();
  bitmap_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
}

void BackSurface::Fill(COLORREF color) { FillRect(0, 0, width_, height_, color); }

void BackSurface::FillRect(int x, int y, int width, int height, COLORREF color) {
  if (!bits_) return;
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + width, width_), y1 = std::min(y + height, height_);
  if (x0 >= x1 || y0 >= y1) return;
  ::GdiFlush();  // GDI may still owe earlier drawing to these bits
  const uint32_t pixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  for (int row = y0; row < y1; ++row) std::fill(bits_ + row * width_ + x0, bits_ + row * width_ + x1, pixel);
}

COLORREF BackSurface::Pixel(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  ::GdiFlush();
  const uint32_t p = bits_[y * width_ + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void BackSurface::PresentTo(HDC target, int x, int y) const {
  if (dc_ && target) ::BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace controls
