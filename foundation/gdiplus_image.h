// GDI+ through its flat interface: a start-up that is undone by scope, and
// owners for the graphics and image objects. A loaded image keeps its file
// open until it is disposed, so every path must dispose of it (the editor
// deletes and moves the files it shows).
#pragma once
#include <windows.h>
// gdiplus.h uses min and max, which NOMINMAX keeps out of windows.h.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <memory>
#include <string>


namespace foundation {

struct GpImageDeleter {
  void operator()(Gdiplus::GpImage* image) const noexcept;
};
struct GpGraphicsDeleter {
  void operator()(Gdiplus::GpGraphics* graphics) const noexcept;
};
using UniqueGpImage = std::unique_ptr<Gdiplus::GpImage, GpImageDeleter>;
using UniqueGpGraphics = std::unique_ptr<Gdiplus::GpGraphics, GpGraphicsDeleter>;

// One GdiplusStartup (version 1, defaults) undone by GdiplusShutdown at the end
// of the scope. Start-ups nest: an inner one leaves an outer one in force.
class GdiPlusSession {
 public:
  GdiPlusSession();
  GdiPlusSession(const GdiPlusSession&) = delete;
  GdiPlusSession& operator=(const GdiPlusSession&) = delete;
  ~GdiPlusSession();
  bool ok() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

// Starts GDI+ for one drawing; when it cannot start, shows "GDI+ Version
// Error!" (title "Error") and ends the program, as nothing could be drawn.
std::unique_ptr<GdiPlusSession> StartGdiPlus();

// The file decoded by GDI+, or empty when it cannot be decoded.
UniqueGpImage LoadGdiImage(const std::wstring& path);
// Its size in pixels; false when it can't be read.
bool GetGdiImageSize(Gdiplus::GpImage* image, UINT& width, UINT& height);
// GDI+ graphics on a device context, or empty.
UniqueGpGraphics GraphicsFromDc(HDC dc);

}  // namespace foundation
