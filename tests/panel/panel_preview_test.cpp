// The hover preview over the main grid: GIF files play in the animated
// control, loaded once when the pointer enters their cell; other pictures are
// drawn still; the box jumps aside when the pointer reaches it and hides when
// the pointer leaves the grid area.
#include <gtest/gtest.h>

#include "foundation/gdiplus_image.h"
#include "picture_files.h"
#include "support/mouse_input.h"
#include "support/panel_process.h"
#include "support/qq_double_process.h"

using namespace testing_support;
using pictures_test::PictureFormat;

namespace {

constexpr int kIdCombo1 = 1001;
constexpr COLORREF kGifColor = RGB(0xE0, 0x10, 0x10);
constexpr COLORREF kPngColor = RGB(0x10, 0xC0, 0x40);

// A rectangle of a window in its parent's client pixels.
RECT InParent(HWND h) {
  RECT r;
  ::GetWindowRect(h, &r);
  ::MapWindowPoints(nullptr, ::GetParent(h), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE SizeOf(HWND h) {
  RECT r;
  ::GetWindowRect(h, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool Visible(HWND h) { return ::IsWindowVisible(h) != FALSE; }

// The colour the display shows at the centre of a window.
COLORREF ScreenColourAtCentre(HWND h) {
  RECT r;
  ::GetWindowRect(h, &r);
  pictures_test::Surface s(1, 1, RGB(0, 0, 0));
  s.CopyFromScreen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return s.At(0, 0);
}

class PanelPreview : public ::testing::Test {
 protected:
  void SetUp() override {
    foundation::GdiPlusSession gdiplus;
    panel_.AddCategory(L"默认表情");
    // Listed by name: the GIF (its extension in capitals), the PNG, the BMP, then blanks.
    gif_ = panel_.folder() + L"Face\\默认表情\\a.GIF";
    ASSERT_TRUE(pictures_test::MakePictureFile(gif_, PictureFormat::kGif, 40, 20, 0xFF000000u | 0xE01010));
    ASSERT_TRUE(pictures_test::MakePictureFile(panel_.folder() + L"Face\\默认表情\\b.png", PictureFormat::kPng, 30,
                                               30, 0xFF000000u | 0x10C040));
    panel_.AddPicture(L"默认表情", L"c.bmp", 20, 10);
    ParkPointer();
    ASSERT_TRUE(qq_.Start(L"QQ.exe", {L"--x", L"100", L"--y", L"50"}));
    ASSERT_TRUE(panel_.Start());
    ASSERT_TRUE(BringToFront(qq_.hwnd()));
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return panel_.WindowRect().left == 600; }));
    grid_ = panel_.Grids().front();
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return SizeOf(grid_).cy == 45; }));  // the category is loaded
    animated_ = panel_.Child(L"ucAniGIF");
    still_ = panel_.Child(L"TarnwickPreviewStill");
    ASSERT_NE(animated_, nullptr);
    ASSERT_NE(still_, nullptr);
    box_ = ::GetParent(animated_);
    ASSERT_EQ(::GetParent(still_), box_);
  }
  // The pointer moves over a point of cell `column` of the first row (cells 44 px apart, the first at 1, 1);
  // returns once the panel handled it.
  void HoverCell(int column, int dx = 20) {
    ::SendMessageW(grid_, WM_MOUSEMOVE, 0, MAKELPARAM(1 + 44 * column + dx, 20));
  }
  static void MoveOver(HWND h) { ::SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); }

  QqDoubleProcess qq_;
  PanelProcess panel_;
  std::wstring gif_;
  HWND grid_ = nullptr, animated_ = nullptr, still_ = nullptr, box_ = nullptr;
};

}  // namespace

TEST_F(PanelPreview, GifPlaysAnimatedOtherPicturesStill) {
  EXPECT_FALSE(Visible(box_));

  HoverCell(0);
  EXPECT_TRUE(Visible(box_));
  EXPECT_TRUE(Visible(animated_));
  EXPECT_FALSE(Visible(still_));
  // Fitted at its own size, centred in the box.
  EXPECT_EQ(SizeOf(animated_).cx, 40);
  EXPECT_EQ(SizeOf(animated_).cy, 20);
  RECT inner;
  ::GetClientRect(box_, &inner);
  const RECT at = InParent(animated_);
  EXPECT_NEAR(at.left + at.right, inner.right, 2);
  EXPECT_NEAR(at.top + at.bottom, inner.bottom, 2);
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return ScreenColourAtCentre(animated_) == kGifColor; }))
      << std::hex << ScreenColourAtCentre(animated_);

  // Moving within the cell loads nothing: a new file under the same name stays unseen ...
  {
    foundation::GdiPlusSession gdiplus;
    ASSERT_TRUE(pictures_test::MakePictureFile(gif_, PictureFormat::kGif, 60, 30, 0xFF000000u | 0xE01010));
  }
  HoverCell(0, 30);
  EXPECT_EQ(SizeOf(animated_).cx, 40);

  // ... the next cell draws its PNG still ...
  HoverCell(1);
  EXPECT_TRUE(Visible(box_));
  EXPECT_TRUE(Visible(still_));
  EXPECT_FALSE(Visible(animated_));
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return pictures_test::Near(ScreenColourAtCentre(still_), kPngColor, 2); }))
      << std::hex << ScreenColourAtCentre(still_);

  // ... and entering the GIF's cell again loads it afresh.
  HoverCell(0);
  EXPECT_TRUE(Visible(animated_));
  EXPECT_EQ(SizeOf(animated_).cx, 60);
  EXPECT_EQ(SizeOf(animated_).cy, 30);

  // After the grid is rebuilt (the editor's reload), the index last previewed
  // shows its new picture: the GIF is gone, so cell 1 now holds c.bmp.
  HoverCell(1);
  ::DeleteFileW(gif_.c_str());
  {
    foundation::GdiPlusSession gdiplus;
    ASSERT_TRUE(pictures_test::MakePictureFile(panel_.folder() + L"Face\\默认表情\\c.bmp", PictureFormat::kBmp, 30,
                                               30, 0xFF000000u | 0x2040E0));
  }
  const std::wstring loadFace = panel_.ReadConfig(L"LoadFace");
  ::SendMessageW(reinterpret_cast<HWND>(static_cast<intptr_t>(std::stoi(loadFace))), BM_CLICK, 0, 0);
  HoverCell(1);
  EXPECT_TRUE(Visible(still_));
  EXPECT_TRUE(PanelProcess::WaitFor(
      [&] { return pictures_test::Near(ScreenColourAtCentre(still_), RGB(0x20, 0x40, 0xE0), 2); }))
      << std::hex << ScreenColourAtCentre(still_);
}

TEST_F(PanelPreview, BoxJumpsAsideAndHides) {
  HoverCell(1);
  ASSERT_TRUE(Visible(box_));
  HWND frame = ::GetParent(box_);
  RECT frameRect, inner;
  ::GetWindowRect(frame, &frameRect);
  ::GetClientRect(box_, &inner);
  // 30 twips on the left; on the right, the frame's width less the box's inner width less 280 twips.
  const int left = InParent(box_).left;
  EXPECT_EQ(left, 2);
  const double rightTwips = (frameRect.right - frameRect.left) * 15.0 - inner.right * 15.0 - 280;
  const int right = static_cast<int>(rightTwips / 15 + 0.5);

  MoveOver(box_);
  EXPECT_EQ(InParent(box_).left, right);
  MoveOver(still_);
  EXPECT_EQ(InParent(box_).left, left);
  HoverCell(0);
  MoveOver(animated_);
  EXPECT_EQ(InParent(box_).left, right);
  EXPECT_TRUE(Visible(box_));

  // Leaving for the tab page, the main grid's scroll bar or the window hides it.
  MoveOver(::GetParent(panel_.Combo(kIdCombo1)));
  EXPECT_FALSE(Visible(box_));
  HoverCell(1);
  EXPECT_TRUE(Visible(box_));
  MoveOver(::FindWindowExW(frame, nullptr, L"ControlsXpVScrollBar", nullptr));
  EXPECT_FALSE(Visible(box_));
  HoverCell(2);
  EXPECT_TRUE(Visible(box_));
  MoveOver(panel_.Window());
  EXPECT_FALSE(Visible(box_));

  // A blank cell frames itself and keeps the box hidden.
  HoverCell(1);
  HoverCell(3);
  EXPECT_FALSE(Visible(box_));
  RECT cell{1 + 44 * 3, 1, 1 + 44 * 3 + 43, 44};
  ::MapWindowPoints(grid_, nullptr, reinterpret_cast<POINT*>(&cell), 2);
  pictures_test::Surface corner(1, 1, RGB(0, 0, 0));
  EXPECT_TRUE(PanelProcess::WaitFor([&] {
    return corner.CopyFromScreen(cell.left, cell.top) && corner.At(0, 0) == RGB(0x31, 0x6A, 0xC4);
  }));
}
