#include "anigif/frame_dib.h"

#include <cstring>
#include <vector>

namespace anigif {
namespace {

struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

foundation::UniqueBitmap MakeDib(int32_t width, int32_t height, int bpp, const uint32_t* table, int colours,
                                 uint8_t** bits) {
  DibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;  // positive: bottom-up rows
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bpp);
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(colours);
  for (int i = 0; i < colours; ++i) std::memcpy(&info.colours[i], &table[i], 4);
  void* p = nullptr;
  foundation::UniqueBitmap bmp(
      ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &p, nullptr, 0));
  *bits = static_cast<uint8_t*>(p);
  if (!p) bmp.reset();
  return bmp;
}

}  // namespace

bool FrameDib::CreateStrip(int32_t width, int32_t height) {
  Release();
  uint32_t ramp[256];
  for (uint32_t i = 0; i < 256; ++i) ramp[i] = i;  // blue i: each pixel shows its own index
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return false;
  bitmap_ = MakeDib(width, height, 8, ramp, 256, &bits_);
  if (!bitmap_) return false;
  dc_ = std::move(dc);
  old_ = ::SelectObject(dc_.get(), bitmap_.get());
  width_ = width;
  height_ = height;
  bpp_ = 8;
  // A colour blitted into the 1-bit mask turns white where it matches the
  // source DC's background colour: keep that white, so the black-and-white
  // scratch table maps the same way whichever rule GDI applies.
  ::SetBkColor(dc_.get(), RGB(255, 255, 255));
  return true;
}

bool FrameDib::CreateCanvas(int32_t width, int32_t height, bool withMask) {
  Release();
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc) return false;
  bitmap_ = MakeDib(width, height, 24, nullptr, 0, &bits_);
  if (!bitmap_) return false;
  if (withMask) {
    const uint32_t bw[2] = {0x000000, 0xFFFFFF};
    mask_ = MakeDib(width, height, 1, bw, 2, &maskBits_);
    if (!mask_) {
      bitmap_.reset();
      return false;
    }
  }
  dc_ = std::move(dc);
  old_ = ::SelectObject(dc_.get(), bitmap_.get());
  width_ = width;
  height_ = height;
  bpp_ = 24;
  return true;
}

void FrameDib::Release() noexcept {
  if (dc_ && old_) ::SelectObject(dc_.get(), old_);
  old_ = nullptr;
  dc_.reset();
  bitmap_.reset();
  mask_.reset();
  bits_ = maskBits_ = nullptr;
  width_ = height_ = 0;
  bpp_ = 0;
}

IndexSurface FrameDib::Indexes() const {
  if (!bits_ || bpp_ != 8) return {};
  const std::ptrdiff_t stride = ScanlineBytes(8, width_);
  return IndexSurface{bits_ + stride * (height_ - 1), -stride, width_, height_};
}

BitsSurface FrameDib::Colour() const {
  if (!bits_ || bpp_ != 24) return {};
  const std::ptrdiff_t stride = ScanlineBytes(24, width_);
  return BitsSurface{bits_ + stride * (height_ - 1), -stride, width_, height_};
}

BitsSurface FrameDib::MaskBits() const {
  if (!maskBits_) return {};
  const std::ptrdiff_t stride = ScanlineBytes(1, width_);
  return BitsSurface{maskBits_ + stride * (height_ - 1), -stride, width_, height_};
}

void FrameDib::SetColorTable(const uint32_t* entries256) const {
  if (!dc_) return;
  // The entries are already in RGBQUAD byte order (blue in the low byte).
  ::SetDIBColorTable(dc_.get(), 0, 256, reinterpret_cast<const RGBQUAD*>(entries256));
}

void FrameDib::SelectMask() const {
  if (dc_ && mask_) ::SelectObject(dc_.get(), mask_.get());
}

void FrameDib::SelectColour() const {
  if (dc_ && bitmap_) ::SelectObject(dc_.get(), bitmap_.get());
}

}  // namespace anigif
