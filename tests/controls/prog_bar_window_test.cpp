// The progress bar as a real window: looks probed on its surface, the
// percent's bounds, the back buffer, repaints and the property bag.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controls/control_host.h"
#include "controls/core/prog_bar_math.h"
#include "controls/prog_bar.h"

using namespace controls;
using namespace controls_test;

namespace {

constexpr COLORREF kBar = RGB(10, 36, 106);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Bar {
  HostWindow host;
  ProgBar bar;
  explicit Bar(int look, int w = 200, int h = 20) {
    PropertyBag bag;
    bag.Write(L"Scrolling", int32_t{look});
    bag.Write(L"Color", ColorToLong(kBar));
    EXPECT_TRUE(bar.Create(host.hwnd, 1, 10, 10, w, h, &bag));
  }
  COLORREF At(int x, int y) const { return Drawn(bar).Pixel(x, y); }
  // Every colour of one row, to tell looks and percents apart.
  std::vector<COLORREF> Row(int y) const {
    std::vector<COLORREF> row;
    for (int x = 0; x < bar.ScaleWidth(); ++x) row.push_back(At(x, y));
    return row;
  }
};

int CountColor(const ProgBar& bar, COLORREF color) {
  int n = 0;
  for (int y = 0; y < bar.ScaleHeight(); ++y)
    for (int x = 0; x < bar.ScaleWidth(); ++x) n += Drawn(bar).Pixel(x, y) == color ? 1 : 0;
  return n;
}

}  // namespace

TEST(ProgBarWindow, SegmentedTubeAtZeroShowsAShortTubeWithOneGap) {
  Bar b(0);
  EXPECT_EQ(b.bar.percent(), 0);
  EXPECT_EQ(b.At(8, 10), kBar);  // the tube from x 4 to 12
  EXPECT_EQ(b.At(10, 10), kWhite);
  EXPECT_EQ(b.At(11, 10), kWhite);
  EXPECT_EQ(b.At(12, 10), kWhite);
  EXPECT_EQ(b.At(0, 0), kWhite);  // the frame's corner pixel
  EXPECT_EQ(b.At(1, 1), RGB(0x77, 0x77, 0x77));
  b.bar.SetValue(50);
  // Chunks of 6 with white gaps of 2 along the bar.
  int gaps = 0;
  for (int x = 4; x < 100; ++x) gaps += b.At(x, 10) == kWhite ? 1 : 0;
  EXPECT_GE(gaps, 20);
  EXPECT_EQ(b.At(150, 10), kWhite);
}

TEST(ProgBarWindow, EveryLookPaintsItsBarAndTheyDiffer) {
  Bar b(0);
  b.bar.SetImage(Picture::Draw(4, 4, [](HDC dc) { ::SetPixelV(dc, 0, 0, RGB(255, 0, 0)); }));
  std::set<std::vector<COLORREF>> looks;
  for (int look = 0; look < kProgBarLooks; ++look) {
    SCOPED_TRACE(look);
    b.bar.SetScrolling(look);
    b.bar.SetValue(50);
    const std::vector<COLORREF> half = b.Row(10);
    b.bar.SetValue(90);
    const std::vector<COLORREF> most = b.Row(10);
    EXPECT_NE(half, most);  // the bar moves with the percent
    if (look != 2) {
      EXPECT_NE(half[150], most[150]) << "x 150 is covered at 90 % only";
    }
    looks.insert(most);
  }
  EXPECT_EQ(looks.size(), static_cast<size_t>(kProgBarLooks));
  // Spot colours of a few looks.
  b.bar.SetScrolling(3);
  b.bar.SetValue(50);
  EXPECT_EQ(b.At(50, 10), ShadeColor(kBar, 180));
  EXPECT_EQ(b.At(150, 10), kWhite);
  b.bar.SetScrolling(6);
  EXPECT_EQ(b.At(150, 10), RGB(0, 0, 0));  // black track
  b.bar.SetScrolling(7);
  b.bar.SetValue(100);
  // A cross hatch in the colour over the shaded colour.
  std::set<COLORREF> inside;
  for (int x = 20; x < 40; ++x) inside.insert(b.At(x, 10));
  EXPECT_EQ(inside, (std::set<COLORREF>{kBar, ShadeColor(kBar, 140)}));
  b.bar.SetScrolling(8);
  EXPECT_GT(CountColor(b.bar, RGB(255, 0, 0)), 0);  // tiles of the image
  b.bar.SetImage(nullptr);
  EXPECT_EQ(CountColor(b.bar, RGB(255, 0, 0)), 0);  // no image: only the edge
}

TEST(ProgBarWindow, PercentNeverLeavesZeroToHundred) {
  Bar b(3);
  b.bar.SetShowText(true);
  b.bar.SetValue(150);
  EXPECT_EQ(b.bar.percent(), 100);
  EXPECT_EQ(b.bar.GetValue(), 100);
  const std::vector<COLORREF> full = b.Row(10);
  b.bar.SetValue(-20);
  EXPECT_EQ(b.bar.percent(), 0);
  EXPECT_EQ(b.At(50, 10), kWhite);  // nothing drawn left of the start
  // Max 0: the value can't be turned into a percent; the bar keeps its own.
  b.bar.SetValue(40);
  b.bar.SetMax(0);
  EXPECT_FALSE(b.bar.SetValue(70));
  EXPECT_EQ(b.bar.percent(), 40);
  b.bar.SetMax(200);
  EXPECT_TRUE(b.bar.SetValue(300));
  EXPECT_EQ(b.Row(10), full);
}

TEST(ProgBarWindow, GlassTextInTwoPasses) {
  Bar b(9, 200, 24);
  FontSpec font;
  font.name = L"Tahoma";
  font.size = 12;
  font.bold = true;
  b.bar.SetFont(font);
  b.bar.SetShowText(true);
  b.bar.SetValue(10);  // the bar ends before the text: black text only
  EXPECT_GT(CountColor(b.bar, RGB(0, 0, 0)), 10);
  b.bar.SetValue(100);  // past the whole text: only the white second pass
  EXPECT_EQ(CountColor(b.bar, RGB(0, 0, 0)), 0);
  const int whiteText = CountColor(b.bar, kWhite);
  b.bar.SetShowText(false);
  EXPECT_GT(whiteText - CountColor(b.bar, kWhite), 10);
}

TEST(ProgBarWindow, GradientHelperForHosts) {
  Bar b(1, 40, 20);
  BackSurface canvas;
  ASSERT_TRUE(canvas.Resize(20, 20));
  canvas.Fill(kWhite);
  uint32_t from = 0x80000005u, to = 0x0000FF;  // a system colour comes back translated
  b.bar.DrawGradient(from, to, 2, 3, 4, 10, canvas.dc(), true);
  EXPECT_EQ(from, ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(canvas.Pixel(2, 5), from);           // columns 2 .. 6, rows 3 .. 9
  EXPECT_EQ(canvas.Pixel(6, 5), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(7, 5), kWhite);
  EXPECT_EQ(canvas.Pixel(4, 10), kWhite);        // the end row is left out
  // A count of 0 draws one line in the first colour; a negative count nothing.
  b.bar.DrawGradient(to, from, 10, 0, 0, 20, canvas.dc(), true);
  EXPECT_EQ(canvas.Pixel(10, 15), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(11, 15), kWhite);
  b.bar.DrawGradient(from, from, 12, 0, -3, 20, canvas.dc(), true);
  EXPECT_EQ(canvas.Pixel(12, 15), kWhite);
}

TEST(ProgBarWindow, BackBufferOnlyGrows) {
  Bar b(1, 120, 20);
  EXPECT_EQ(b.bar.buffer_width(), 120);
  b.bar.Resize(80, 16);
  EXPECT_EQ(b.bar.buffer_width(), 120);
  EXPECT_EQ(b.bar.buffer_height(), 20);
  EXPECT_EQ(b.bar.ScaleWidth(), 80);
  b.bar.Resize(80, 30);
  EXPECT_EQ(b.bar.buffer_width(), 80);
  EXPECT_EQ(b.bar.buffer_height(), 30);
  // The surface still shows a whole bar of the new size.
  EXPECT_EQ(b.At(79, 29), kWhite);
  EXPECT_EQ(b.At(78, 28), RGB(0x77, 0x77, 0x77));
}

TEST(ProgBarWindow, WhatRepaintsAndWhatIsMarkedChanged) {
  Bar b(7);
  b.bar.SetValue(100);
  std::vector<std::wstring> changed;
  b.bar.PropertyChanged = [&](const wchar_t* name) { changed.push_back(name); };
  const std::vector<COLORREF> before = b.Row(10);
  b.bar.SetBrushStyle(HS_HORIZONTAL);
  b.bar.SetMin(5);
  b.bar.SetMax(50);
  EXPECT_EQ(b.Row(10), before);  // none of these repaints
  b.bar.DrawProgressBar();
  EXPECT_NE(b.Row(10), before);
  b.bar.SetColor(0x0000FF);
  EXPECT_EQ(b.bar.GetColor(), 0x0000FFu);
  EXPECT_EQ(b.At(30, 3), RGB(255, 0, 0));
  b.bar.SetColor(0x80000005u);  // a system colour is stored translated
  EXPECT_EQ(b.bar.GetColor(), ::GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(changed, (std::vector<std::wstring>{L"BrushStyle", L"Min", L"Max"}));
}

TEST(ProgBarWindow, MarqueeWrapsAndPaintsTwiceAtTheTop) {
  Bar b(2);
  b.bar.SetValue(99);
  b.bar.AutoScrollTick();
  EXPECT_EQ(b.bar.percent(), 100);
  b.bar.AutoScrollTick();
  EXPECT_EQ(b.bar.percent(), 1);
  b.bar.SetAutoScroll(true);  // the real timer moves it on its own
  const int start = b.bar.percent();
  MSG msg;
  const DWORD until = ::GetTickCount() + 3000;
  while (b.bar.percent() == start && static_cast<LONG>(::GetTickCount() - until) < 0) {
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    else ::Sleep(5);
  }
  EXPECT_NE(b.bar.percent(), start);
  b.bar.SetAutoScroll(false);
}

TEST(ProgBarWindow, PropertyBagKeysAndRoundTrip) {
  HostWindow host;
  ProgBar fresh;
  ASSERT_TRUE(fresh.Create(host.hwnd, 1, 0, 0, 100, 20));
  EXPECT_EQ(fresh.GetColor(), ::GetSysColor(COLOR_HIGHLIGHT));
  // The font is always stored; the colour is stored translated.
  EXPECT_EQ(fresh.SaveProperties().Keys(), (std::vector<std::wstring>{L"Font", L"Color"}));
  fresh.SetScrolling(9);
  fresh.SetColor(0x6A240A);
  fresh.SetShowText(true);
  fresh.SetBrushStyle(0);
  fresh.SetValue(37);
  fresh.SetAutoScroll(true);
  fresh.SetAutoScroll(false);
  const PropertyBag saved = fresh.SaveProperties();
  EXPECT_EQ(saved.Keys(),
            (std::vector<std::wstring>{L"Font", L"BrushStyle", L"Color", L"Scrolling", L"ShowText", L"Value"}));
  ProgBar restored;
  ASSERT_TRUE(restored.Create(host.hwnd, 2, 0, 30, 100, 20, &saved));
  EXPECT_EQ(restored.GetScrolling(), 9);
  EXPECT_EQ(restored.GetColor(), 0x6A240Au);
  EXPECT_EQ(restored.percent(), 37);
  EXPECT_EQ(restored.GetBrushStyle(), 0);
  EXPECT_TRUE(restored.GetShowText());
  EXPECT_EQ(Drawn(restored).Pixel(50, 10), Drawn(fresh).Pixel(50, 10));  // the same look
}
