#include "panel/picture_clipboard.h"

#include <cstring>
#include <vector>

#include "foundation/gdiplus_image.h"
#include "foundation/handles.h"
#include "panel/core/clipboard_html.h"

namespace panel {
namespace {

// Another program may hold the clipboard for a moment.
bool OpenClipboardPatiently(HWND owner) {
  for (int i = 0; i < 20; ++i) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(5);
  }
  return false;
}

class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboardPatiently(owner)) {}
  ~ClipboardScope() {
    if (open_) ::CloseClipboard();
  }
  bool open() const { return open_; }

 private:
  bool open_;
};

// Global memory holding bytes, for SetClipboardData (which takes it over on success).
HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!mem) return nullptr;
  void* p = ::GlobalLock(mem);
  if (!p) {
    ::GlobalFree(mem);
    return nullptr;
  }
  std::memcpy(p, data, size);
  ::GlobalUnlock(mem);
  return mem;
}

bool PutData(UINT format, const void* data, size_t size) {
  HGLOBAL mem = GlobalCopy(data, size);
  if (!mem) return false;
  if (!::SetClipboardData(format, mem)) {
    ::GlobalFree(mem);
    return false;
  }
  return true;
}

// The picture's first frame drawn on white, as a packed 24-bit DIB (header + rows).
std::vector<unsigned char> FirstFrameDib(const std::wstring& path) {
  foundation::GdiPlusSession gdiplus;
  if (!gdiplus.ok()) return {};
  foundation::UniqueGpImage image = foundation::LoadGdiImage(path);
  UINT w = 0, h = 0;
  if (!image || !foundation::GetGdiImageSize(image.get(), w, h)) return {};
  if (w == 0 || h == 0 || w > kClipboardBitmapMaxSide || h > kClipboardBitmapMaxSide) return {};

  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = static_cast<LONG>(w);
  bi.bmiHeader.biHeight = static_cast<LONG>(h);  // bottom-up, as CF_DIB readers expect
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  const size_t stride = ((static_cast<size_t>(w) * 3 + 3) / 4) * 4;
  const size_t imageSize = stride * h;  // at most 12288 * 4096: no overflow
  bi.bmiHeader.biSizeImage = static_cast<DWORD>(imageSize);

  foundation::WindowDc screen(nullptr);
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  foundation::UniqueBitmap bitmap(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !bitmap || !bits) return {};
  {
    foundation::SelectionGuard select(dc.get(), bitmap.get());
    std::memset(bits, 0xFF, imageSize);  // white under transparent areas
    foundation::UniqueGpGraphics g = foundation::GraphicsFromDc(dc.get());
    if (!g) return {};
    Gdiplus::DllExports::GdipDrawImageRectI(g.get(), image.get(), 0, 0, static_cast<INT>(w), static_cast<INT>(h));
  }
  ::GdiFlush();
  std::vector<unsigned char> dib(sizeof(BITMAPINFOHEADER) + imageSize);
  std::memcpy(dib.data(), &bi.bmiHeader, sizeof(BITMAPINFOHEADER));
  std::memcpy(dib.data() + sizeof(BITMAPINFOHEADER), bits, imageSize);
  return dib;
}

}  // namespace

bool CopyPictureToClipboard(HWND owner, const std::wstring& picturePath) {
  static const UINT htmlFormat = ::RegisterClipboardFormatW(L"HTML Format");
  // Decode before taking the clipboard, so it is held only for the moment of the copy.
  const std::vector<unsigned char> dib = FirstFrameDib(picturePath);
  const std::string html = BuildCfHtml(ImageFragment(picturePath));
  ClipboardScope clipboard(owner);
  if (!clipboard.open()) return false;
  ::EmptyClipboard();
  bool ok = PutData(htmlFormat, html.c_str(), html.size() + 1);
  if (!dib.empty()) ok = PutData(CF_DIB, dib.data(), dib.size()) && ok;
  return ok;
}

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
  ClipboardScope clipboard(owner);
  if (!clipboard.open()) return false;
  ::EmptyClipboard();
  return PutData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

}  // namespace panel
