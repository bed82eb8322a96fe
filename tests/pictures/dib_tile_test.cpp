// cDIB and cTile against real GDI.
#include <gtest/gtest.h>

#include "foundation/dib.h"
#include "foundation/tile.h"
#include "picture_files.h"
#include "support/temp_dir.h"

using namespace foundation;
using pictures_test::Surface;
using testing_support::TempDir;

namespace {

TEST(Dib, BufferSizes) {
  cDIB dib;
  ASSERT_TRUE(dib.Create(35, 17, 16));
  EXPECT_EQ(dib.BytesPerScanline(), 72);
  EXPECT_EQ(dib.Size(), 1224);
  EXPECT_EQ(dib.BPP(), 16);
  EXPECT_NE(dib.lpBits(), nullptr);
  ASSERT_TRUE(dib.Create(1, 1, 1));
  EXPECT_EQ(dib.BytesPerScanline(), 4);
  EXPECT_EQ(dib.Size(), 4);
  ASSERT_TRUE(dib.Create(3, 2, 24));
  EXPECT_EQ(dib.BytesPerScanline(), 12);
  EXPECT_EQ(dib.Size(), 24);
}

TEST(Dib, SizeArithmeticRefusesOverflow) {
  EXPECT_EQ(DibRowBytes(0x7FFFFFFF, 32), std::nullopt);
  EXPECT_EQ(DibImageSize(40000, 40000, 32), std::nullopt);
  EXPECT_EQ(DibImageSize(-1, 4, 24), std::nullopt);
  EXPECT_EQ(DibImageSize(4, 4, 24), 48);
  cDIB dib;
  EXPECT_FALSE(dib.Create(40000, 40000, 32));
  EXPECT_EQ(dib.hDIB(), nullptr);
}

TEST(Dib, FailedCreateLeavesNoBitmapAndZeroHeader) {
  cDIB dib;
  ASSERT_TRUE(dib.Create(8, 8, 24));
  EXPECT_FALSE(dib.Create(0, 8, 24));
  EXPECT_EQ(dib.hDIB(), nullptr);
  EXPECT_EQ(dib.hdc(), nullptr);
  const BITMAPINFOHEADER zero{};
  EXPECT_EQ(memcmp(&dib.header(), &zero, sizeof(zero)), 0);
}

TEST(Dib, EightBitStartsBlackUntilPaletteSet) {
  cDIB dib;
  ASSERT_TRUE(dib.Create(2, 2, 8));
  std::vector<uint8_t> palette(1024, 0xAA);
  dib.GetPalette(palette);
  for (uint8_t b : palette) ASSERT_EQ(b, 0);
  std::vector<uint8_t> set = {0x10, 0x20, 0x30, 0, 0x40, 0x50, 0x60, 0};
  dib.SetPalette(set);
  dib.GetPalette(palette);
  EXPECT_EQ(palette[0], 0x10);
  EXPECT_EQ(palette[6], 0x60);
  // A short array is filled only as far as it goes.
  std::vector<uint8_t> small(4, 0);
  dib.GetPalette(small);
  EXPECT_EQ(small[2], 0x30);
}

TEST(Dib, SaveWritesHeaderTableAndPixels) {
  TempDir dir;
  cDIB dib;
  ASSERT_TRUE(dib.Create(2, 2, 8));
  ASSERT_TRUE(dib.Save(dir / L"x.bmp"));
  const std::string bytes = testing_support::ReadFileBytes(dir / L"x.bmp");
  ASSERT_EQ(bytes.size(), 1086u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  uint32_t fileSize, offset;
  memcpy(&fileSize, bytes.data() + 2, 4);
  memcpy(&offset, bytes.data() + 10, 4);
  EXPECT_EQ(fileSize, 1086u);
  EXPECT_EQ(offset, 1078u);
  // The saved file loads back with the same shape.
  cDIB back;
  EXPECT_EQ(back.CreateFromBitmapFile(dir / L"x.bmp"), 8);
  EXPECT_EQ(back.Width(), 2);
  EXPECT_EQ(back.Size(), 8);
  EXPECT_FALSE(dib.Save(dir / L"missing\\x.bmp"));
}

TEST(Dib, ResourceBitmapOfAModuleFile) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  cDIB dib;
  EXPECT_EQ(dib.CreateFromResourceBitmap(exe, 101), 24);  // test_resources.rc
  EXPECT_EQ(dib.Width(), 4);
  EXPECT_EQ(dib.Height(), 4);
  EXPECT_EQ(dib.Size(), 48);
  EXPECT_EQ(static_cast<uint8_t*>(dib.lpBits())[0], 255);
  EXPECT_EQ(dib.CreateFromResourceBitmap(exe, 999), 0);  // no such resource
  EXPECT_EQ(dib.hDIB(), nullptr);
}

TEST(Dib, MembersWithoutBitmapDoNothing) {
  cDIB dib, other;
  Surface s(4, 4, RGB(1, 2, 3));
  EXPECT_FALSE(dib.Paint(s.dc(), 0, 0));
  EXPECT_FALSE(dib.Stretch(s.dc(), 0, 0, 4, 4, 0, 0, 0, 0));
  EXPECT_FALSE(dib.LoadBlt(s.dc(), 0, 0));
  dib.Cls(RGB(0, 0, 0));
  dib.Reset();
  EXPECT_EQ(dib.CloneTo(other), 0);
  EXPECT_EQ(dib.CopyToClipboard(), nullptr);
  EXPECT_FALSE(dib.Image());
  TempDir dir;
  EXPECT_FALSE(dib.Save(dir / L"none.bmp"));
  EXPECT_EQ(s.At(1, 1), RGB(1, 2, 3));
  EXPECT_EQ(dib.CreateFromBitmapFile(dir / L"absent.bmp"), 0);
  testing_support::WriteFileBytes(dir / L"empty.bmp", "");
  EXPECT_EQ(dib.CreateFromBitmapFile(dir / L"empty.bmp"), 0);
}

TEST(Dib, ClsPaintCloneAndImage) {
  cDIB dib;
  ASSERT_TRUE(dib.Create(6, 5, 24));
  dib.Cls(RGB(200, 10, 20));
  Surface s(10, 10, RGB(0, 0, 0));
  EXPECT_TRUE(dib.Paint(s.dc(), 2, 3));
  EXPECT_EQ(s.At(2, 3), RGB(200, 10, 20));
  EXPECT_EQ(s.At(7, 7), RGB(200, 10, 20));
  EXPECT_EQ(s.At(8, 8), RGB(0, 0, 0));
  cDIB clone;
  EXPECT_EQ(dib.CloneTo(clone), 24);
  EXPECT_EQ(memcmp(clone.lpBits(), dib.lpBits(), static_cast<size_t>(dib.Size())), 0);
  dib.Reset();
  EXPECT_EQ(static_cast<uint8_t*>(dib.lpBits())[0], 0);
  UniqueBitmap image = clone.Image();
  ASSERT_TRUE(image);
  BITMAP bm{};
  GetObjectW(image.get(), sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 6);
  EXPECT_EQ(bm.bmHeight, 5);
  // A picture object comes back in as a DIB of its own.
  cDIB fromPicture;
  EXPECT_EQ(fromPicture.CreateFromStdPicture(image.get(), true), 32);
  Surface t(6, 5, RGB(0, 0, 0));
  fromPicture.Paint(t.dc(), 0, 0);
  EXPECT_EQ(t.At(5, 4), RGB(200, 10, 20));
  EXPECT_EQ(fromPicture.CreateFromStdPicture(nullptr, false), 0);
}

TEST(Dib, LoadBltCopiesFromSource) {
  Surface s(8, 8, RGB(9, 99, 199));
  cDIB dib;
  ASSERT_TRUE(dib.Create(4, 4, 32));
  EXPECT_TRUE(dib.LoadBlt(s.dc(), 2, 2));
  Surface t(4, 4, RGB(0, 0, 0));
  dib.Paint(t.dc(), 0, 0);
  EXPECT_EQ(t.At(3, 3), RGB(9, 99, 199));
}

TEST(Tile, PackedBufferLayout) {
  auto four = PackedDib24Layout(4, 4);
  ASSERT_TRUE(four);
  EXPECT_EQ(four->rowBytes, 12);
  EXPECT_EQ(four->imageSize, 48);
  EXPECT_EQ(four->bufferBytes, 88u);
  EXPECT_EQ(PackedDib24Layout(5, 1)->rowBytes, 16);
  EXPECT_FALSE(PackedDib24Layout(100000, 100000));
  EXPECT_FALSE(PackedDib24Layout(0, 4));
}

// A 2 x 2 checker: black at (0,0) and (1,1), white elsewhere.
UniqueBitmap Checker() {
  Surface s(2, 2, RGB(255, 255, 255));
  SetPixel(s.dc(), 0, 0, RGB(0, 0, 0));
  SetPixel(s.dc(), 1, 1, RGB(0, 0, 0));
  WindowDc screen(nullptr);
  UniqueBitmap bm(CreateCompatibleBitmap(screen.get(), 2, 2));
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  SelectionGuard sel(dc.get(), bm.get());
  BitBlt(dc.get(), 0, 0, 2, 2, s.dc(), 0, 0, SRCCOPY);
  return bm;
}

TEST(Tile, AlignStartsThePatternAtTheCorner) {
  UniqueBitmap checker = Checker();
  cTile tile;
  ASSERT_TRUE(tile.CreatePatternFromStdPicture(checker.get()));
  Surface s(20, 20, RGB(1, 1, 1));
  // An odd column: aligned and unaligned patterns differ there.
  ASSERT_TRUE(tile.Tile(s.dc(), 11, 10, 4, 4, true));
  EXPECT_EQ(s.At(11, 10), RGB(0, 0, 0));  // pattern (0,0) at the corner
  EXPECT_EQ(s.At(12, 10), RGB(255, 255, 255));
  EXPECT_EQ(s.At(10, 10), RGB(1, 1, 1));  // outside untouched
  EXPECT_EQ(s.At(15, 14), RGB(1, 1, 1));
  s.Fill(RGB(1, 1, 1));
  ASSERT_TRUE(tile.Tile(s.dc(), 11, 10, 4, 4, false));
  EXPECT_EQ(s.At(11, 10), RGB(255, 255, 255));  // pattern (1,0): laid from the DC origin
  EXPECT_EQ(s.At(12, 10), RGB(0, 0, 0));
}

TEST(Tile, BrushReplacementAndNonBitmapPictures) {
  cTile tile;
  Surface s(4, 4, RGB(1, 1, 1));
  EXPECT_FALSE(tile.Tile(s.dc(), 0, 0, 4, 4, true));
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  EXPECT_FALSE(tile.CreatePatternFromStdPicture(reinterpret_cast<HBITMAP>(icon)));
  EXPECT_TRUE(tile.CreatePatternFromSolidColor(0x0000FF));  // OLE red
  HBRUSH solid = tile.brush();
  EXPECT_TRUE(tile.CreatePatternFromStdPicture(reinterpret_cast<HBITMAP>(icon)));  // keeps the brush
  EXPECT_EQ(tile.brush(), solid);
  tile.Tile(s.dc(), 0, 0, 4, 4, false);
  EXPECT_EQ(s.At(2, 2), RGB(255, 0, 0));
  EXPECT_TRUE(tile.CreatePatternFromHatchBrush(HS_CROSS, 0x80000000u | COLOR_WINDOWTEXT));
  EXPECT_EQ(GetObjectType(solid), 0u);  // the previous brush was deleted
  tile.DestroyPattern();
  tile.DestroyPattern();
  EXPECT_EQ(tile.brush(), nullptr);
  EXPECT_TRUE(tile.CreatePatternFromSolidColor(0x80000000u | COLOR_BTNFACE));
  s.Fill(RGB(1, 1, 1));
  tile.Tile(s.dc(), 0, 0, 4, 4, true);
  EXPECT_EQ(s.At(0, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_FALSE(tile.Tile(s.dc(), 0x7FFFFFF0, 0, 100, 4, true));
}

TEST(Tile, PatternResourceIsPlainWhite) {
  UniqueBitmap pattern(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), L"PATTERN_4X4", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  ASSERT_TRUE(pattern);
  BITMAP bm{};
  GetObjectW(pattern.get(), sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 4);
  EXPECT_EQ(bm.bmHeight, 4);
  EXPECT_EQ(bm.bmBitsPixel, 24);
  cTile tile;
  ASSERT_TRUE(tile.CreatePatternFromStdPicture(pattern.get()));
  Surface s(9, 9, RGB(0, 0, 0));
  tile.Tile(s.dc(), 0, 0, 9, 9, true);
  EXPECT_EQ(s.ChangedArea(RGB(255, 255, 255)).right, 0);  // every pixel white
}

}  // namespace
