#include "foundation/tile.h"

#include <cstring>
#include <limits>

#include "foundation/dib.h"
#include "foundation/ole_color.h"

namespace foundation {

std::optional<PackedDibLayout> PackedDib24Layout(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  auto row = DibRowBytes(width, 24);
  auto size = DibImageSize(width, height, 24);
  if (!row || !size) return std::nullopt;
  const uint64_t total = sizeof(BITMAPINFOHEADER) + static_cast<uint64_t>(*size);
  if (total > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return PackedDibLayout{*row, *size, static_cast<size_t>(total)};
}

bool cTile::CreatePatternFromStdPicture(HBITMAP picture) {
  if (!picture || ::GetObjectType(picture) != OBJ_BITMAP) return static_cast<bool>(brush_);
  BITMAP bm{};
  if (!::GetObjectW(picture, sizeof(bm), &bm)) return static_cast<bool>(brush_);
  auto layout = PackedDib24Layout(bm.bmWidth, bm.bmHeight);
  if (!layout) return static_cast<bool>(brush_);
  std::vector<uint8_t> buffer(layout->bufferBytes, 0);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = bm.bmWidth;
  header.biHeight = bm.bmHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = static_cast<DWORD>(layout->imageSize);
  std::memcpy(buffer.data(), &header, sizeof(header));
  {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return static_cast<bool>(brush_);
    // GetDIBits wants the bitmap not selected anywhere; the DC only supplies the device.
    ::GetDIBits(dc.get(), picture, 0, static_cast<UINT>(bm.bmHeight), buffer.data() + sizeof(header),
                reinterpret_cast<BITMAPINFO*>(buffer.data()), DIB_RGB_COLORS);
  }
  DestroyPattern();
  brush_.reset(::CreateDIBPatternBrushPt(buffer.data(), DIB_RGB_COLORS));
  return static_cast<bool>(brush_);
}

bool cTile::CreatePatternFromHatchBrush(int hatchStyle, uint32_t oleColor) {
  DestroyPattern();
  // An untranslatable colour is used unchanged, as GDI colour.
  const COLORREF color = TranslateOleColor(oleColor).value_or(static_cast<COLORREF>(oleColor));
  brush_.reset(::CreateHatchBrush(hatchStyle, color));
  return static_cast<bool>(brush_);
}

bool cTile::CreatePatternFromSolidColor(uint32_t oleColor) {
  DestroyPattern();
  const COLORREF color = TranslateOleColor(oleColor).value_or(static_cast<COLORREF>(oleColor));
  brush_.reset(::CreateSolidBrush(color));
  return static_cast<bool>(brush_);
}

bool cTile::Tile(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, bool align) {
  if (!brush_) return false;
  const int64_t right = static_cast<int64_t>(x) + width;
  const int64_t bottom = static_cast<int64_t>(y) + height;
  if (right > std::numeric_limits<int32_t>::max() || right < std::numeric_limits<int32_t>::min() ||
      bottom > std::numeric_limits<int32_t>::max() || bottom < std::numeric_limits<int32_t>::min())
    return false;
  if (align) {
    ::SetBrushOrgEx(dc, x, y, nullptr);
  } else {
    ::SetBrushOrgEx(dc, 0, 0, nullptr);
  }
  RECT r{x, y, static_cast<LONG>(right), static_cast<LONG>(bottom)};
  return ::FillRect(dc, &r, brush_.get()) != 0;
}

}  // namespace foundation
