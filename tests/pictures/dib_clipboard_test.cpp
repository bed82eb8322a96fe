// cDIB and the clipboard: its own blocks round-trip, foreign blocks are checked.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/dib.h"
#include "picture_files.h"

using namespace foundation;

namespace {

void PutDibBlock(const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  SetClipboardData(CF_DIB, block);
  CloseClipboard();
}

std::vector<uint8_t> Header(int w, int h, int bpp, DWORD clrUsed = 0, DWORD compression = BI_RGB) {
  BITMAPINFOHEADER hd{};
  hd.biSize = 40;
  hd.biWidth = w;
  hd.biHeight = h;
  hd.biPlanes = 1;
  hd.biBitCount = static_cast<WORD>(bpp);
  hd.biCompression = compression;
  hd.biClrUsed = clrUsed;
  std::vector<uint8_t> b(40);
  memcpy(b.data(), &hd, 40);
  return b;
}

TEST(DibClipboard, RoundTripOfOwnBitmap) {
  cDIB dib;
  ASSERT_TRUE(dib.Create(3, 2, 8));
  dib.SetPalette({1, 2, 3, 0, 40, 50, 60, 0});
  memset(dib.lpBits(), 1, static_cast<size_t>(dib.Size()));
  ASSERT_NE(dib.CopyToClipboard(), nullptr);
  cDIB back;
  ASSERT_EQ(back.CreateFromClipboard(), 8);
  EXPECT_EQ(back.Width(), 3);
  EXPECT_EQ(back.Height(), 2);
  std::vector<uint8_t> palette(8);
  back.GetPalette(palette);
  EXPECT_EQ(palette[4], 40);
  EXPECT_EQ(static_cast<uint8_t*>(back.lpBits())[0], 1);
}

TEST(DibClipboard, ForeignBlocksAreCheckedBeforeUse) {
  cDIB dib;
  // Header claims 100 x 100 at 24 bits but the block holds a few bytes.
  auto shortBlock = Header(100, 100, 24);
  shortBlock.resize(60);
  PutDibBlock(shortBlock);
  EXPECT_EQ(dib.CreateFromClipboard(), 0);
  EXPECT_EQ(dib.hDIB(), nullptr);
  // A header alone, shorter than a header.
  PutDibBlock(std::vector<uint8_t>(20, 0));
  EXPECT_EQ(dib.CreateFromClipboard(), 0);
  // Absurd sizes.
  PutDibBlock(Header(0x7FFFFFFF, 0x7FFFFFFF, 32));
  EXPECT_EQ(dib.CreateFromClipboard(), 0);
  // Compressed pixels are not raw rows.
  auto rle = Header(4, 4, 8, 0, BI_RLE8);
  rle.resize(40 + 1024 + 16);
  PutDibBlock(rle);
  EXPECT_EQ(dib.CreateFromClipboard(), 0);
}

TEST(DibClipboard, ShortColourTableAndMasksAreHonoured) {
  cDIB dib;
  // 8 bits with two colours in the table: pixels follow the short table.
  auto block = Header(4, 1, 8, 2);
  const uint8_t table[] = {0, 0, 255, 0, 0, 255, 0, 0};  // red, green
  block.insert(block.end(), table, table + 8);
  const uint8_t pixels[] = {1, 0, 1, 0};
  block.insert(block.end(), pixels, pixels + 4);
  PutDibBlock(block);
  ASSERT_EQ(dib.CreateFromClipboard(), 8);
  pictures_test::Surface s(4, 1, RGB(9, 9, 9));
  dib.Paint(s.dc(), 0, 0);
  EXPECT_EQ(s.At(0, 0), RGB(0, 255, 0));
  EXPECT_EQ(s.At(1, 0), RGB(255, 0, 0));
  // 32 bits with the plain masks after the header.
  auto masked = Header(1, 1, 32, 0, BI_BITFIELDS);
  const DWORD masks[] = {0xFF0000, 0xFF00, 0xFF};
  masked.insert(masked.end(), reinterpret_cast<const uint8_t*>(masks), reinterpret_cast<const uint8_t*>(masks) + 12);
  const uint8_t px[] = {30, 20, 10, 0};
  masked.insert(masked.end(), px, px + 4);
  PutDibBlock(masked);
  ASSERT_EQ(dib.CreateFromClipboard(), 32);
  EXPECT_EQ(static_cast<uint8_t*>(dib.lpBits())[0], 30);
}

}  // namespace
