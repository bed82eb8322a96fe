// Pictures made at test time with GDI+ (no binary fixtures), and a 32-bit
// drawing surface whose pixels the tests read back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "foundation/handles.h"

namespace pictures_test {

enum class PictureFormat { kBmp, kJpeg, kPng, kGif };

// A width x height picture filled with argb; when splitTransparent is set the
// left half is fully transparent (PNG keeps it; other formats flatten it).
// GIFs are solid and written without GDI+.
// GDI+ must be running. True when the file was written.
bool MakePictureFile(const std::wstring& path, PictureFormat format, int width, int height, uint32_t argb,
                     bool splitTransparent = false);

// A 32-bit top-down DIB section in a memory DC, filled with one colour.
class Surface {
 public:
  Surface(int width, int height, COLORREF fill);
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() {
    if (previous_) ::SelectObject(dc_.get(), previous_);
  }
  HDC dc() const { return dc_.get(); }
  // The pixel as a COLORREF (red in the low byte).
  COLORREF At(int x, int y) const;
  void Fill(COLORREF color);
  // Copies the screen's pixels from (x, y) on, as the display shows them now.
  bool CopyFromScreen(int x, int y);
  // The smallest rectangle holding every pixel that differs from background.
  RECT ChangedArea(COLORREF background) const;
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  foundation::UniqueMemoryDc dc_;
  foundation::UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// Colours within tolerance on every channel.
bool Near(COLORREF a, COLORREF b, int tolerance);

}  // namespace pictures_test
