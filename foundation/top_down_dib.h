// The header of a 32-bit top-down device-independent bitmap: rows from the
// top, one BGRA word a pixel, so a row-major pixel array maps onto it as is.
#pragma once
#include <windows.h>

#include <cstdint>

namespace foundation {

inline BITMAPINFO TopDown32BitmapInfo(int32_t width, int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace foundation
