#include "foundation/dib.h"

#include <cstring>
#include <limits>


namespace foundation {

std::optional<int32_t> DibRowBytes(int32_t width, int32_t bpp) {
  if (width < 0 || bpp < 0) return std::nullopt;
  const int64_t bytes = ((static_cast<int64_t>(width) * bpp + 31) / 32) * 4;
  if (bytes > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(bytes);
}

std::optional<int32_t> DibImageSize(int32_t width, int32_t height, int32_t bpp) {
  auto row = DibRowBytes(width, bpp);
  if (!row || height < 0) return std::nullopt;
  const int64_t size = static_cast<int64_t>(*row) * height;
  if (size > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(size);
}

int32_t DibColorCount(int32_t bpp) {
  if (bpp >= 1 && bpp <= 8) return 1 << bpp;
  return 0;
}

namespace {

// BITMAPINFO with room for a full 256-entry table.
struct DibDescription {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

class ClipboardSession {
 public:
  ClipboardSession() : open_(::OpenClipboard(nullptr) != FALSE) {}
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() {
    if (open_) ::CloseClipboard();
  }
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

class GlobalLock {
 public:
  explicit GlobalLock(HGLOBAL h) : h_(h), p_(h ? ::GlobalLock(h) : nullptr) {}
  GlobalLock(const GlobalLock&) = delete;
  GlobalLock& operator=(const GlobalLock&) = delete;
  ~GlobalLock() {
    if (p_) ::GlobalUnlock(h_);
  }
  uint8_t* get() const { return static_cast<uint8_t*>(p_); }

 private:
  HGLOBAL h_;
  void* p_;
};

bool NonEmptyFile(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return data.nFileSizeLow != 0 || data.nFileSizeHigh != 0;
}

}  // namespace

bool cDIB::Create(int32_t width, int32_t height, int32_t bpp) {
  Destroy();
  auto size = DibImageSize(width, height, bpp);
  if (!size || width <= 0 || height <= 0 || bpp <= 0 || bpp > 32) return false;
  DibDescription desc{};
  desc.header.biSize = sizeof(BITMAPINFOHEADER);
  desc.header.biWidth = width;
  desc.header.biHeight = height;
  desc.header.biPlanes = 1;
  desc.header.biBitCount = static_cast<WORD>(bpp);
  desc.header.biCompression = BI_RGB;
  desc.header.biSizeImage = static_cast<DWORD>(*size);
  header_ = desc.header;
  dc_ = ::CreateCompatibleDC(nullptr);
  if (!dc_) {
    header_ = {};
    return false;
  }
  dib_ = ::CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&desc), DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (!dib_) {
    Destroy();
    return false;
  }
  previous_ = ::SelectObject(dc_, dib_);
  return true;
}

int32_t cDIB::AdoptLoaded(HBITMAP loaded) {
  UniqueBitmap owned(loaded);
  Destroy();
  if (!owned) return 0;
  DIBSECTION section{};
  if (::GetObjectW(owned.get(), sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits) return 0;
  const BITMAP& bm = section.dsBm;
  auto size = DibImageSize(bm.bmWidth, bm.bmHeight, bm.bmBitsPixel);
  if (!size || bm.bmWidth <= 0 || bm.bmHeight <= 0) return 0;
  dc_ = ::CreateCompatibleDC(nullptr);
  if (!dc_) return 0;
  dib_ = owned.release();
  previous_ = ::SelectObject(dc_, dib_);
  bits_ = bm.bmBits;
  header_.biSize = sizeof(BITMAPINFOHEADER);
  header_.biWidth = bm.bmWidth;
  header_.biHeight = bm.bmHeight;
  header_.biPlanes = 1;
  header_.biBitCount = bm.bmBitsPixel;
  header_.biSizeImage = static_cast<DWORD>(*size);
  return BPP();
}

int32_t cDIB::CreateFromBitmapFile(const std::wstring& path) {
  if (!NonEmptyFile(path)) return 0;
  return AdoptLoaded(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), path.c_str(), IMAGE_BITMAP,
                                                       0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

int32_t cDIB::CreateFromResourceBitmap(const std::wstring& modulePath, int resourceId) {
  if (!NonEmptyFile(modulePath)) return 0;
  UniqueModule module(::LoadLibraryExW(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module) {
    Destroy();
    return 0;
  }
  return AdoptLoaded(static_cast<HBITMAP>(
      ::LoadImageW(module.get(), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

int32_t cDIB::CreateFromStdPicture(HBITMAP picture, bool force32) {
  if (!picture || ::GetObjectType(picture) != OBJ_BITMAP) return 0;
  BITMAP bm{};
  if (!::GetObjectW(picture, sizeof(bm), &bm)) return 0;
  const int32_t bpp = force32 ? 32 : bm.bmBitsPixel;
  if (!Create(bm.bmWidth, bm.bmHeight, bpp)) return 0;
  UniqueMemoryDc source(::CreateCompatibleDC(dc_));
  if (!source) return BPP();
  if (!force32 && bpp <= 8) {
    DibDescription desc{};
    desc.header = header_;
    const UINT count = static_cast<UINT>(DibColorCount(bpp));
    {
      SelectionGuard select(source.get(), picture);
      ::GetDIBColorTable(source.get(), 0, count, desc.colors);
    }
    ::SetDIBColorTable(dc_, 0, count, desc.colors);
    // GetDIBits wants the picture not selected into any device context.
    ::GetDIBits(source.get(), picture, 0, static_cast<UINT>(Height()), bits_, reinterpret_cast<BITMAPINFO*>(&desc),
                DIB_RGB_COLORS);
  } else {
    SelectionGuard select(source.get(), picture);
    ::BitBlt(dc_, 0, 0, Width(), Height(), source.get(), 0, 0, SRCCOPY);
  }
  return BPP();
}

int32_t cDIB::CreateFromClipboard() {
  ClipboardSession clipboard;
  if (!clipboard) return 0;
  HGLOBAL block = static_cast<HGLOBAL>(::GetClipboardData(CF_DIB));
  if (!block) return 0;
  const SIZE_T blockSize = ::GlobalSize(block);
  GlobalLock lock(block);
  const uint8_t* p = lock.get();
  // The block comes from any program: every size is checked against the block.
  if (!p || blockSize < sizeof(BITMAPINFOHEADER)) return 0;
  BITMAPINFOHEADER h;
  std::memcpy(&h, p, sizeof(h));
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > blockSize || h.biWidth <= 0 || h.biHeight <= 0 ||
      h.biPlanes != 1)
    return 0;
  const int32_t bpp = h.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return 0;
  uint64_t offset = h.biSize;
  if (h.biCompression == BI_BITFIELDS) {
    if (bpp != 16 && bpp != 32) return 0;
    if (h.biSize == sizeof(BITMAPINFOHEADER)) {
      if (offset + 12 > blockSize) return 0;
      DWORD masks[3];
      std::memcpy(masks, p + offset, sizeof(masks));
      offset += 12;
      const bool plain = bpp == 32 ? (masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF)
                                   : (masks[0] == 0x7C00 && masks[1] == 0x3E0 && masks[2] == 0x1F);
      if (!plain) return 0;  // another pixel layout than the one Create makes
    }
  } else if (h.biCompression != BI_RGB) {
    return 0;
  }
  const uint32_t fullTable = static_cast<uint32_t>(DibColorCount(bpp));
  uint32_t tableEntries = fullTable;
  if (h.biClrUsed != 0) tableEntries = bpp <= 8 ? std::min<uint32_t>(h.biClrUsed, fullTable) : h.biClrUsed;
  if (h.biClrUsed > 65536) return 0;
  const uint64_t tableOffset = offset;
  offset += static_cast<uint64_t>(tableEntries) * 4;
  auto size = DibImageSize(h.biWidth, h.biHeight, bpp);
  if (!size || offset + static_cast<uint64_t>(*size) > blockSize) return 0;
  if (!Create(h.biWidth, h.biHeight, bpp)) return 0;
  if (bpp <= 8 && tableEntries > 0) {
    RGBQUAD colors[256];
    std::memcpy(colors, p + tableOffset, tableEntries * 4);
    ::SetDIBColorTable(dc_, 0, tableEntries, colors);
  }
  ::GdiFlush();
  std::memcpy(bits_, p + offset, static_cast<size_t>(*size));
  return BPP();
}

HANDLE cDIB::CopyToClipboard() {
  if (!dib_) return nullptr;
  ClipboardSession clipboard;
  if (!clipboard) return nullptr;
  const size_t table = static_cast<size_t>(TableBytes());
  const size_t total = sizeof(BITMAPINFOHEADER) + table + static_cast<size_t>(Size());
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, total);
  if (!block) return nullptr;
  {
    GlobalLock lock(block);
    uint8_t* p = lock.get();
    if (!p) {
      ::GlobalFree(block);
      return nullptr;
    }
    std::memcpy(p, &header_, sizeof(header_));
    if (table) ::GetDIBColorTable(dc_, 0, static_cast<UINT>(table / 4), reinterpret_cast<RGBQUAD*>(p + 40));
    ::GdiFlush();
    std::memcpy(p + 40 + table, bits_, static_cast<size_t>(Size()));
  }
  ::EmptyClipboard();
  HANDLE accepted = ::SetClipboardData(CF_DIB, block);
  if (!accepted) ::GlobalFree(block);  // still ours when the clipboard refused it
  return accepted;
}

int32_t cDIB::CloneTo(cDIB& target) {
  if (!dib_ || &target == this) return 0;
  if (!target.Create(Width(), Height(), BPP())) return 0;
  if (BPP() <= 8) {
    std::vector<uint8_t> palette(static_cast<size_t>(TableBytes()));
    GetPalette(palette);
    target.SetPalette(palette);
  }
  ::GdiFlush();
  std::memcpy(target.bits_, bits_, static_cast<size_t>(Size()));
  return target.BPP();
}

bool cDIB::Save(const std::wstring& path) {
  if (!dib_) return false;
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const uint32_t table = static_cast<uint32_t>(TableBytes());
  std::vector<uint8_t> out(14 + 40 + table + static_cast<size_t>(Size()));
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;  // "BM"
  fh.bfSize = static_cast<DWORD>(out.size());
  fh.bfOffBits = 54 + table;
  std::memcpy(out.data(), &fh, 14);
  std::memcpy(out.data() + 14, &header_, 40);
  if (table) ::GetDIBColorTable(dc_, 0, table / 4, reinterpret_cast<RGBQUAD*>(out.data() + 54));
  ::GdiFlush();
  std::memcpy(out.data() + 54 + table, bits_, static_cast<size_t>(Size()));
  DWORD written = 0;
  return ::WriteFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr) &&
         written == out.size();
}

void cDIB::Destroy() {
  if (dc_) {
    if (previous_) ::SelectObject(dc_, previous_);
    if (dib_) ::DeleteObject(dib_);
    ::DeleteDC(dc_);
  } else if (dib_) {
    ::DeleteObject(dib_);
  }
  dc_ = nullptr;
  dib_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  header_ = {};
}

BOOL cDIB::LoadBlt(HDC source, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!dib_) return FALSE;
  if (width == 0) width = Width();
  if (height == 0) height = Height();
  return ::BitBlt(dc_, 0, 0, width, height, source, x, y, SRCCOPY);
}

BOOL cDIB::Paint(HDC target, int32_t x, int32_t y, DWORD rop, int stretchMode) {
  return Stretch(target, x, y, Width(), Height(), 0, 0, 0, 0, rop, stretchMode);
}

BOOL cDIB::Stretch(HDC target, int32_t x, int32_t y, int32_t width, int32_t height, int32_t srcX, int32_t srcY,
                   int32_t srcWidth, int32_t srcHeight, DWORD rop, int stretchMode) {
  if (!dib_) return FALSE;
  if (srcWidth == 0) srcWidth = Width();
  if (srcHeight == 0) srcHeight = Height();
  const int previous = ::SetStretchBltMode(target, stretchMode);
  const BOOL ok = ::StretchBlt(target, x, y, width, height, dc_, srcX, srcY, srcWidth, srcHeight, rop);
  if (previous) ::SetStretchBltMode(target, previous);
  return ok;
}

void cDIB::Cls(COLORREF color) {
  if (!dib_) return;
  UniqueBrush brush(::CreateSolidBrush(color));
  if (!brush) return;
  RECT r{0, 0, Width(), Height()};
  ::FillRect(dc_, &r, brush.get());
}

void cDIB::Reset() {
  if (!dib_) return;
  ::GdiFlush();
  std::memset(bits_, 0, static_cast<size_t>(Size()));
}

void cDIB::SetPalette(const std::vector<uint8_t>& entries) {
  if (!dib_ || entries.size() < 4) return;
  const UINT count = static_cast<UINT>(std::min<size_t>(entries.size() / 4, 256));
  ::SetDIBColorTable(dc_, 0, count, reinterpret_cast<const RGBQUAD*>(entries.data()));
}

void cDIB::GetPalette(std::vector<uint8_t>& entries) {
  if (!dib_) return;
  // Never more entries than the caller's array holds.
  const UINT count = static_cast<UINT>(std::min<size_t>(entries.size() / 4, DibColorCount(BPP())));
  if (count) ::GetDIBColorTable(dc_, 0, count, reinterpret_cast<RGBQUAD*>(entries.data()));
}

bool cDIB::GetBestFitInfo(int32_t sw, int32_t sh, int32_t bw, int32_t bh, int32_t& x, int32_t& y, int32_t& w,
                          int32_t& h, bool stretch) {
  BestFit fit;
  const bool ok = foundation::GetBestFitInfo(sw, sh, bw, bh, stretch, fit);
  x = fit.x;
  y = fit.y;
  w = fit.width;
  h = fit.height;
  return ok;
}

UniqueBitmap cDIB::Image() const {
  if (!dib_) return {};
  WindowDc screen(nullptr);
  UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), Width(), Height()));
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return {};
  {
    SelectionGuard select(dc.get(), bitmap.get());
    const int previous = ::SetStretchBltMode(dc.get(), COLORONCOLOR);
    ::StretchBlt(dc.get(), 0, 0, Width(), Height(), dc_, 0, 0, Width(), Height(), SRCCOPY);
    if (previous) ::SetStretchBltMode(dc.get(), previous);
  }
  return bitmap;
}

}  // namespace foundation
