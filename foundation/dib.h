// cDIB: one DIB section kept selected into a memory DC of its own, so callers
// draw into it through hdc() (GDI or GDI+) and read or write the pixels through
// lpBits(). A "picture" here is an owned bitmap handle (UniqueBitmap).
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "foundation/core/picture_fit.h"
#include "foundation/handles.h"

namespace foundation {

// Bytes of one row of width pixels at bpp bits, padded to 32-bit words;
// nullopt when the product does not fit 32 bits or an argument is negative.
std::optional<int32_t> DibRowBytes(int32_t width, int32_t bpp);
// Row bytes x height, with the same overflow check.
std::optional<int32_t> DibImageSize(int32_t width, int32_t height, int32_t bpp);
// Entries of the colour table for a bit count: 2, 16 or 256 up to 8 bits, else 0.
int32_t DibColorCount(int32_t bpp);

class cDIB {
 public:
  cDIB() = default;
  cDIB(const cDIB&) = delete;
  cDIB& operator=(const cDIB&) = delete;
  ~cDIB() { Destroy(); }

  bool Create(int32_t width, int32_t height, int32_t bpp);
  // The results below are the new bit count, or 0 when nothing was loaded.
  int32_t CreateFromBitmapFile(const std::wstring& path);
  int32_t CreateFromResourceBitmap(const std::wstring& modulePath, int resourceId);
  int32_t CreateFromStdPicture(HBITMAP picture, bool force32);
  int32_t CreateFromClipboard();
  HANDLE CopyToClipboard();
  int32_t CloneTo(cDIB& target);
  bool Save(const std::wstring& path);
  void Destroy();
  BOOL LoadBlt(HDC source, int32_t x, int32_t y, int32_t width = 0, int32_t height = 0);
  BOOL Paint(HDC target, int32_t x, int32_t y, DWORD rop = SRCCOPY, int stretchMode = COLORONCOLOR);
  BOOL Stretch(HDC target, int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX, int32_t srcY,
               int32_t srcWidth, int32_t srcHeight, DWORD rop = SRCCOPY, int stretchMode = COLORONCOLOR);
  void Cls(COLORREF color);
  void Reset();
  // Colour entries as blue, green, red, 0 quads from the first byte.
  void SetPalette(const std::vector<uint8_t>& entries);
  void GetPalette(std::vector<uint8_t>& entries);
  static bool GetBestFitInfo(int32_t sw, int32_t sh, int32_t bw, int32_t bh, int32_t& x, int32_t& y, int32_t& w,
                             int32_t& h, bool stretch);

  HDC hdc() const { return dc_; }
  HBITMAP hDIB() const { return dib_; }
  void* lpBits() const { return bits_; }
  int32_t Width() const { return header_.biWidth; }
  int32_t Height() const { return header_.biHeight; }
  int32_t BPP() const { return header_.biBitCount; }
  int32_t BytesPerScanline() const { return DibRowBytes(header_.biWidth, header_.biBitCount).value_or(0); }
  int32_t Size() const { return static_cast<int32_t>(header_.biSizeImage); }
  const BITMAPINFOHEADER& header() const { return header_; }
  // A new device-dependent copy of the bitmap; empty without a bitmap.
  UniqueBitmap Image() const;

 private:
  int32_t TableBytes() const { return DibColorCount(header_.biBitCount) * 4; }
  // Destroy, then a memory DC and the header filled from a loaded DIB section.
  int32_t AdoptLoaded(HBITMAP loaded);

  BITMAPINFOHEADER header_{};
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace foundation
