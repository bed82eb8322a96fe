#include "controls/picture.h"

#include <cstdlib>

#include "controls/back_surface.h"

namespace controls {

PictureRef Picture::FromBitmap(HBITMAP bitmap) {
  foundation::UniqueBitmap owned(bitmap);
  BITMAP info{};
  if (!owned || ::GetObjectW(owned.get(), sizeof(info), &info) != sizeof(info)) return nullptr;
  return std::make_shared<const Picture>(std::move(owned), info.bmWidth, std::abs(info.bmHeight));
}

PictureRef Picture::FromIcon(HICON icon) {
  foundation::UniqueIcon owned(icon);
  ICONINFO info{};
  if (!owned || !::GetIconInfo(owned.get(), &info)) return nullptr;
  // GetIconInfo hands over copies of the icon's bitmaps.
  foundation::UniqueBitmap mask(info.hbmMask), color(info.hbmColor);
  BITMAP bm{};
  if (::GetObjectW(mask.get(), sizeof(bm), &bm) != sizeof(bm)) return nullptr;
  // A monochrome icon keeps its image under its mask in one bitmap twice as high.
  const int height = color ? std::abs(bm.bmHeight) : std::abs(bm.bmHeight) / 2;
  return std::make_shared<const Picture>(std::move(owned), bm.bmWidth, height);
}

PictureRef Picture::Draw(int width, int height, const std::function<void(HDC dc)>& paint) {
  if (width <= 0 || height <= 0) return nullptr;
  void* bits = nullptr;
  foundation::UniqueBitmap bitmap = CreateTopDownDib(width, height, &bits);
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!bitmap || !dc) return nullptr;
  {
    foundation::SelectionGuard select(dc.get(), bitmap.get());
    if (paint) paint(dc.get());
    ::GdiFlush();
  }
  return std::make_shared<const Picture>(std::move(bitmap), width, height);
}

void DrawPicturePart(HDC dc, int x, int y, int width, int height, const Picture& picture, int srcX, int srcY,
                     int srcWidth, int srcHeight) {
  if (!dc || !picture.bitmap() || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0) return;
  foundation::UniqueMemoryDc source(::CreateCompatibleDC(dc));
  if (!source) return;
  foundation::SelectionGuard select(source.get(), picture.bitmap());
  const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchBlt(dc, x, y, width, height, source.get(), srcX, srcY, srcWidth, srcHeight, SRCCOPY);
  ::SetStretchBltMode(dc, oldMode);
}

void DrawWholePicture(HDC dc, int x, int y, int width, int height, const Picture& picture) {
  DrawPicturePart(dc, x, y, width, height, picture, 0, 0, picture.width(), picture.height());
}

}  // namespace controls
