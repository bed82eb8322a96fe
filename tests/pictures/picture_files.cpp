#include "picture_files.h"

#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "foundation/gdiplus_image.h"
#include "foundation/top_down_dib.h"

namespace pictures_test {

using namespace Gdiplus::DllExports;

namespace {

bool EncoderFor(const wchar_t* mime, CLSID& clsid) {
  UINT count = 0, size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, mime) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

// Wine's GDI+ writes GIF files its own decoder refuses, so GIFs are written
// here: a two-colour image (index 0 black, index 1 the colour) whose LZW
// stream sends a clear code before every second pixel, so the code width
// stays at 3 bits and no dictionary entry is ever used.
bool WriteSolidGif(const std::wstring& path, int width, int height, uint32_t argb) {
  std::string out = "GIF89a";
  auto put16 = [&](int v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
  };
  put16(width);
  put16(height);
  out.push_back(static_cast<char>(0x80));  // global table of 2 entries
  out.push_back(0);
  out.push_back(0);
  out += std::string("\0\0\0", 3);
  out.push_back(static_cast<char>((argb >> 16) & 0xFF));
  out.push_back(static_cast<char>((argb >> 8) & 0xFF));
  out.push_back(static_cast<char>(argb & 0xFF));
  out.push_back(',');
  put16(0);
  put16(0);
  put16(width);
  put16(height);
  out.push_back(0);
  out.push_back(2);  // minimum code size: clear = 4, end = 5
  std::string data;
  uint32_t acc = 0;
  int bits = 0;
  auto code = [&](uint32_t c) {
    acc |= c << bits;
    bits += 3;
    while (bits >= 8) {
      data.push_back(static_cast<char>(acc & 0xFF));
      acc >>= 8;
      bits -= 8;
    }
  };
  const long pixels = static_cast<long>(width) * height;
  for (long i = 0; i < pixels; ++i) {
    if (i % 2 == 0) code(4);
    code(1);
  }
  code(5);
  if (bits) data.push_back(static_cast<char>(acc & 0xFF));
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    out.push_back(static_cast<char>(n));
    out += data.substr(at, n);
  }
  out.push_back(0);
  out.push_back(';');
  foundation::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  return file && ::WriteFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr) &&
         written == out.size();
}

}  // namespace

bool MakePictureFile(const std::wstring& path, PictureFormat format, int width, int height, uint32_t argb,
                     bool splitTransparent) {
  if (format == PictureFormat::kGif) return WriteSolidGif(path, width, height, argb);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, argb);
  if (splitTransparent) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width / 2; ++x) pixels[static_cast<size_t>(y) * width + x] = 0x00000000;
  }
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                reinterpret_cast<BYTE*>(pixels.data()), &bitmap) != Gdiplus::Ok)
    return false;
  foundation::UniqueGpImage image(bitmap);
  const wchar_t* mime = L"image/bmp";
  switch (format) {
    case PictureFormat::kBmp: mime = L"image/bmp"; break;
    case PictureFormat::kJpeg: mime = L"image/jpeg"; break;
    case PictureFormat::kPng: mime = L"image/png"; break;
    case PictureFormat::kGif: mime = L"image/gif"; break;
  }
  CLSID clsid;
  if (!EncoderFor(mime, clsid)) return false;
  return GdipSaveImageToFile(image.get(), path.c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

Surface::Surface(int width, int height, COLORREF fill) : width_(width), height_(height) {
  const BITMAPINFO info = foundation::TopDown32BitmapInfo(width, height);
  dc_.reset(::CreateCompatibleDC(nullptr));
  void* bits = nullptr;
  bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  bits_ = static_cast<uint32_t*>(bits);
  previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  Fill(fill);
}

void Surface::Fill(COLORREF color) {
  ::GdiFlush();
  const uint32_t v = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  for (int i = 0; i < width_ * height_; ++i) bits_[i] = v;
}

bool Surface::CopyFromScreen(int x, int y) {
  HDC screen = ::GetDC(nullptr);
  const BOOL ok = ::BitBlt(dc_.get(), 0, 0, width_, height_, screen, x, y, SRCCOPY);
  ::ReleaseDC(nullptr, screen);
  ::GdiFlush();
  return ok != FALSE;
}

COLORREF Surface::At(int x, int y) const {
  ::GdiFlush();
  const uint32_t v = bits_[static_cast<size_t>(y) * width_ + x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

RECT Surface::ChangedArea(COLORREF background) const {
  RECT r{width_, height_, -1, -1};
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (At(x, y) == background) continue;
      if (x < r.left) r.left = x;
      if (y < r.top) r.top = y;
      if (x + 1 > r.right) r.right = x + 1;
      if (y + 1 > r.bottom) r.bottom = y + 1;
    }
  }
  if (r.right < 0) return RECT{0, 0, 0, 0};
  return r;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace pictures_test
