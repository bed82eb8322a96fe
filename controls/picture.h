// A picture object: an owned bitmap or icon and its size in pixels. Controls
// hold pictures through PictureRef (shared, immutable once built), the way a
// host hands the same skin to several controls.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "foundation/handles.h"

namespace controls {

class Picture;
using PictureRef = std::shared_ptr<const Picture>;

class Picture {
 public:
  // Takes ownership of a bitmap; nullptr when the handle is null or not a bitmap.
  static PictureRef FromBitmap(HBITMAP bitmap);
  // A 32-bit bitmap of that size drawn once by paint(dc) on a memory DC;
  // nullptr for an empty size or on failure.
  static PictureRef Draw(int width, int height, const std::function<void(HDC dc)>& paint);
  // Takes ownership of an icon; nullptr when the handle is null or not an icon.
  static PictureRef FromIcon(HICON icon);

  // A bitmap picture has bitmap(), an icon picture icon(); never both.
  HBITMAP bitmap() const noexcept { return bitmap_.get(); }
  HICON icon() const noexcept { return icon_.get(); }
  int width() const noexcept { return width_; }
  int height() const noexcept { return height_; }

  Picture(foundation::UniqueBitmap bitmap, int width, int height)
      : bitmap_(std::move(bitmap)), width_(width), height_(height) {}
  Picture(foundation::UniqueIcon icon, int width, int height)
      : icon_(std::move(icon)), width_(width), height_(height) {}

 private:
  foundation::UniqueBitmap bitmap_;
  foundation::UniqueIcon icon_;
  int width_;
  int height_;
};

// Copies the source rectangle of the picture onto the destination rectangle of
// dc, stretched, as a plain copy (SRCCOPY). A piece of zero or negative size on
// either side draws nothing: a negative size would mirror it.
void DrawPicturePart(HDC dc, int x, int y, int width, int height, const Picture& picture, int srcX, int srcY,
                     int srcWidth, int srcHeight);
// The whole picture stretched onto the rectangle.
void DrawWholePicture(HDC dc, int x, int y, int width, int height, const Picture& picture);

}  // namespace controls
