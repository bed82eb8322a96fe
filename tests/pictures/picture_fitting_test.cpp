// DrawImageFit and FitPreviewImage on real picture files made at test time.
#include <gtest/gtest.h>

#include "foundation/gdiplus_image.h"
#include "foundation/picture_fitting.h"
#include "picture_files.h"
#include "support/temp_dir.h"

using namespace foundation;
using namespace pictures_test;
using testing_support::TempDir;

namespace {

constexpr COLORREF kGray = RGB(128, 128, 128);

class PictureFitting : public ::testing::Test {
 protected:
  GdiPlusSession gdiplus_;  // the program's own, outer start-up
  TempDir dir_;
};

// Draws into a fresh 43 x 43 cell and returns the area that changed.
RECT DrawIntoCell(Surface& cell, const std::wstring& path, bool* drawn = nullptr) {
  int32_t w = 43, h = 43;
  const bool ok = DrawImageFit(cell.dc(), path, w, h);
  if (drawn) *drawn = ok;
  EXPECT_EQ(w, 33);
  EXPECT_EQ(h, 33);
  return cell.ChangedArea(kGray);
}

void ExpectRect(const RECT& r, int x, int y, int w, int h) {
  // Edges are resampled: allow one pixel either way.
  EXPECT_NEAR(r.left, x, 1);
  EXPECT_NEAR(r.top, y, 1);
  EXPECT_NEAR(r.right - r.left, w, 1);
  EXPECT_NEAR(r.bottom - r.top, h, 1);
}

TEST_F(PictureFitting, EachFormatLandsFittedAndCentred) {
  struct Case {
    const wchar_t* name;
    PictureFormat format;
    int w, h;
    int x, y, nw, nh;
  };
  const Case cases[] = {
      {L"wide.bmp", PictureFormat::kBmp, 100, 50, 5, 14, 33, 16},
      {L"wide.jpg", PictureFormat::kJpeg, 50, 20, 5, 15, 33, 13},
      {L"tall.gif", PictureFormat::kGif, 60, 100, 12, 5, 20, 33},
      {L"small.png", PictureFormat::kPng, 20, 20, 12, 12, 20, 20},
  };
  for (const Case& c : cases) {
    const std::wstring path = dir_ / c.name;
    ASSERT_TRUE(MakePictureFile(path, c.format, c.w, c.h, 0xFFC02010)) << c.name;
    Surface cell(43, 43, kGray);
    bool drawn = false;
    const RECT r = DrawIntoCell(cell, path, &drawn);
    EXPECT_TRUE(drawn) << c.name;
    ExpectRect(r, c.x, c.y, c.nw, c.nh);
    // The flat inside carries the picture's colour (JPEG within its loss).
    EXPECT_TRUE(Near(cell.At(c.x + c.nw / 2, c.y + c.nh / 2), RGB(0xC0, 0x20, 0x10), 12)) << c.name;
    // Two calls in a row each start and stop GDI+ for themselves; the outer one stays.
    EXPECT_TRUE(LoadGdiImage(path)) << c.name;
  }
}

TEST_F(PictureFitting, TransparentPartsLeaveTheTargetAsItWas) {
  const std::wstring path = dir_ / L"half.png";
  ASSERT_TRUE(MakePictureFile(path, PictureFormat::kPng, 20, 20, 0xFF0000FF, true));
  Surface cell(43, 43, kGray);
  DrawIntoCell(cell, path);
  EXPECT_EQ(cell.At(14, 20), kGray);                        // left, transparent half
  EXPECT_TRUE(Near(cell.At(27, 20), RGB(0, 0, 255), 4));    // right, blue half
}

TEST_F(PictureFitting, UndecodableFileAndMissingTargetDrawNothing) {
  const std::wstring junk = dir_ / L"junk.gif";
  testing_support::WriteFileBytes(junk, "not a picture at all");
  Surface cell(43, 43, kGray);
  bool drawn = true;
  const RECT r = DrawIntoCell(cell, junk, &drawn);
  EXPECT_FALSE(drawn);
  EXPECT_EQ(r.right, 0);
  // No device context: the drawing is skipped and the program goes on.
  const std::wstring good = dir_ / L"ok.bmp";
  ASSERT_TRUE(MakePictureFile(good, PictureFormat::kBmp, 10, 10, 0xFF00FF00));
  int32_t w = 43, h = 43;
  EXPECT_FALSE(DrawImageFit(nullptr, good, w, h));
  EXPECT_EQ(w, 33);
}

TEST_F(PictureFitting, FilesAreReleasedAfterDrawingAndPreview) {
  const std::wstring path = dir_ / L"locked.png";
  ASSERT_TRUE(MakePictureFile(path, PictureFormat::kPng, 40, 40, 0xFF102030));
  Surface cell(43, 43, kGray);
  DrawIntoCell(cell, path);
  int32_t bw = 3000, bh = 3000;
  ASSERT_TRUE(FitPreviewImage(path, bw, bh));
  // A file GDI+ still held would refuse the move and the delete.
  EXPECT_TRUE(MoveFileW(path.c_str(), (dir_ / L"moved.png").c_str()));
  EXPECT_TRUE(DeleteFileW((dir_ / L"moved.png").c_str()));
}

TEST_F(PictureFitting, PreviewPlacementInTwips) {
  const std::wstring wide = dir_ / L"wide.bmp";
  const std::wstring tall = dir_ / L"tall.bmp";
  ASSERT_TRUE(MakePictureFile(wide, PictureFormat::kBmp, 100, 50, 0xFF000000));
  ASSERT_TRUE(MakePictureFile(tall, PictureFormat::kBmp, 100, 200, 0xFF000000));
  int32_t bw = 3000, bh = 3000;
  auto p = FitPreviewImage(wide, bw, bh);
  ASSERT_TRUE(p);
  EXPECT_EQ(bw, 2970);
  EXPECT_EQ(bh, 2970);
  EXPECT_EQ(p->Width, 1500);
  EXPECT_EQ(p->Height, 750);
  EXPECT_EQ(p->Top, 1125);
  EXPECT_EQ(p->Left, 750);
  bw = 2000;
  bh = 1000;
  p = FitPreviewImage(tall, bw, bh);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Width, 485);
  EXPECT_EQ(p->Height, 970);
  EXPECT_EQ(p->Top, 15);
  EXPECT_EQ(p->Left, 758);
  bw = 3000;
  testing_support::WriteFileBytes(dir_ / L"bad.jpg", "xx");
  EXPECT_FALSE(FitPreviewImage(dir_ / L"bad.jpg", bw, bh));
  EXPECT_EQ(bw, 2970);
}

}  // namespace
