#include "foundation/picture_fitting.h"

#include "foundation/core/picture_fit.h"
#include "foundation/gdiplus_image.h"

namespace foundation {

using namespace Gdiplus::DllExports;

bool DrawImageFit(HDC dc, const std::wstring& path, int32_t& width, int32_t& height) {
  const int32_t boxWidth = width;
  const int32_t boxHeight = height;
  width -= kDrawFitReduction;
  height -= kDrawFitReduction;
  auto session = StartGdiPlus();
  // Declared after the session: the image and graphics go before GDI+ shuts down.
  UniqueGpGraphics graphics = GraphicsFromDc(dc);
  if (!graphics) return false;  // nothing to draw on: skip this drawing only
  UniqueGpImage image = LoadGdiImage(path);
  UINT w = 0, h = 0;
  if (!image || !GetGdiImageSize(image.get(), w, h) || w == 0 || h == 0) return false;
  const FitResult fit = FitPicture(boxWidth, boxHeight, kDrawFitReduction, static_cast<int32_t>(w),
                                   static_cast<int32_t>(h));
  return GdipDrawImageRect(graphics.get(), image.get(), static_cast<Gdiplus::REAL>(fit.x),
                           static_cast<Gdiplus::REAL>(fit.y), static_cast<Gdiplus::REAL>(fit.width),
                           static_cast<Gdiplus::REAL>(fit.height)) == Gdiplus::Ok;
}

std::optional<PreviewPlacement> FitPreviewImage(const std::wstring& path, int32_t& boxWidth, int32_t& boxHeight) {
  const int32_t w0 = boxWidth;
  const int32_t h0 = boxHeight;
  boxWidth -= kPreviewFitReduction;
  boxHeight -= kPreviewFitReduction;
  UINT w = 0, h = 0;
  {
    GdiPlusSession session;
    if (!session.ok()) return std::nullopt;
    UniqueGpImage image = LoadGdiImage(path);
    if (!image || !GetGdiImageSize(image.get(), w, h) || w == 0 || h == 0) return std::nullopt;
  }
  // Pixels to twips with a single-precision factor; emoticons are far below
  // the sizes where that loses a unit.
  const int32_t tw = RoundHalfEvenToInt32(static_cast<float>(w) * 15.0f);
  const int32_t th = RoundHalfEvenToInt32(static_cast<float>(h) * 15.0f);
  const FitResult fit = FitPicture(w0, h0, kPreviewFitReduction, tw, th);
  return PreviewPlacement{fit.width, fit.height, fit.y, fit.x};
}

}  // namespace foundation
