#include "foundation/gdiplus_image.h"

#include "foundation/message_box.h"

namespace foundation {

using namespace Gdiplus::DllExports;

void GpImageDeleter::operator()(Gdiplus::GpImage* image) const noexcept { GdipDisposeImage(image); }
void GpGraphicsDeleter::operator()(Gdiplus::GpGraphics* graphics) const noexcept { GdipDeleteGraphics(graphics); }

GdiPlusSession::GdiPlusSession() {
  Gdiplus::GdiplusStartupInput input;  // version 1, no callback, nothing suppressed
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) token_ = token;
}

GdiPlusSession::~GdiPlusSession() {
  if (token_) Gdiplus::GdiplusShutdown(token_);
}

std::unique_ptr<GdiPlusSession> StartGdiPlus() {
  auto session = std::make_unique<GdiPlusSession>();
  if (!session->ok()) {
    ShowMessage(nullptr, L"GDI+ Version Error!", L"Error", MB_ICONSTOP | MB_OK);
    ::ExitProcess(1);
  }
  return session;
}

UniqueGpImage LoadGdiImage(const std::wstring& path) {
  Gdiplus::GpImage* image = nullptr;
  if (GdipLoadImageFromFile(path.c_str(), &image) != Gdiplus::Ok) {
    if (image) GdipDisposeImage(image);
    return {};
  }
  return UniqueGpImage(image);
}

bool GetGdiImageSize(Gdiplus::GpImage* image, UINT& width, UINT& height) {
  width = height = 0;
  if (!image) return false;
  return GdipGetImageWidth(image, &width) == Gdiplus::Ok && GdipGetImageHeight(image, &height) == Gdiplus::Ok;
}

UniqueGpGraphics GraphicsFromDc(HDC dc) {
  Gdiplus::GpGraphics* graphics = nullptr;
  if (!dc || GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return {};
  return UniqueGpGraphics(graphics);
}

}  // namespace foundation
