// The controls as real windows: looks probed on their back surfaces, input
// through window messages, settings through the property bag.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/box.h"
#include "controls/command.h"
#include "controls/core/color_schemes.h"
#include "controls/core/command_state.h"
#include "controls/qq_button.h"
#include "controls/skin_art.h"
#include "controls/xp_vscrollbar.h"
#include "foundation/app_path.h"
#include "controls/control_host.h"
#include "support/message_recorder.h"

using namespace controls;

using namespace controls_test;

TEST(QQButtonWindow, SkinOfEachLookStretchedByNineSlice) {
  HostWindow host;
  QQButton b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 0, 0, 97, 25));
  std::vector<COLORREF> frames;
  for (int look = 0; look < 4; ++look) {
    SCOPED_TRACE(look);
    b.PrintB(look);
    PictureRef skin = QQButtonSkin(look);
    ASSERT_TRUE(skin);
    const BackSurface& s = Drawn(b);
    // Corners unstretched, edges along the whole side, centre from the face.
    EXPECT_EQ(s.Pixel(0, 0), PicturePixel(*skin, 0, 0));
    EXPECT_EQ(s.Pixel(96, 24), PicturePixel(*skin, 44, 19));
    EXPECT_EQ(s.Pixel(2, 2), PicturePixel(*skin, 2, 2));
    EXPECT_EQ(s.Pixel(0, 12), PicturePixel(*skin, 0, 8));
    EXPECT_EQ(s.Pixel(48, 1), PicturePixel(*skin, 20, 1));
    EXPECT_EQ(s.Pixel(95, 12), PicturePixel(*skin, 43, 8));
    EXPECT_EQ(s.Pixel(48, 23), PicturePixel(*skin, 20, 18));
    bool centreFromFace = false;
    for (int row = 3; row <= 14; ++row) centreFromFace |= s.Pixel(48, 12) == PicturePixel(*skin, 20, row);
    EXPECT_TRUE(centreFromFace);
    frames.push_back(s.Pixel(0, 12));
  }
  // Four different frames.
  for (int i = 0; i < 4; ++i) {
    for (int j = i + 1; j < 4; ++j) EXPECT_NE(frames[i], frames[j]);
  }
  // Disabled: the normal look becomes the disabled one; hover and pressed draw as asked.
  b.SetEnabled(false);
  EXPECT_EQ(b.drawn_state(), 0);
  EXPECT_EQ(Drawn(b).Pixel(0, 12), frames[0]);
  b.PrintB(2);
  EXPECT_EQ(b.drawn_state(), 2);
}

TEST(QQButtonWindow, CaptionCentredWithTheFontItIsDrawnWith) {
  HostWindow host;
  QQButton b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 0, 0, 120, 30));
  b.SetForeColor(0x0000FF);
  FontSpec big;
  big.size = 14;
  big.bold = true;
  b.SetFont(big);  // differs from the ambient font
  b.SetCaption(L"确定OK");
  const auto [left, right] = RedColumns(Drawn(b));
  ASSERT_GE(left, 0);
  EXPECT_LE(std::abs(left - (119 - right)), 2);
  b.PrintB(3);
  const auto pressed = RedColumns(Drawn(b));
  EXPECT_GE(pressed.first - left, 1);  // 20 twips right while pressed
  EXPECT_LE(pressed.first - left, 2);
  // The disabled look keeps the caption's colour.
  b.SetEnabled(false);
  EXPECT_EQ(RedColumns(Drawn(b)).first, left);
}

TEST(QQButtonWindow, PressHoverAndKeysThroughMessages) {
  HostWindow host;
  QQButton b;
  int clicks = 0;
  std::vector<float> xs;
  b.Click = [&] { ++clicks; };
  b.MouseMove = [&](int16_t&, int16_t&, float& x, float&) { xs.push_back(x); };
  ASSERT_TRUE(b.Create(host.hwnd, 1, 10, 10, 97, 25));
  ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_EQ(b.drawn_state(), 2);
  EXPECT_EQ(::GetCapture(), b.hwnd());
  EXPECT_EQ(xs.back(), 75.0f);  // twips
  ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(b.drawn_state(), 3);
  ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(-5, 5));
  EXPECT_EQ(b.drawn_state(), 1);
  EXPECT_NE(::GetCapture(), b.hwnd());
  ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, At(-5, 5));
  EXPECT_EQ(clicks, 0);
  ::SendMessageW(b.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5));
  ::SendMessageW(b.hwnd(), WM_RBUTTONUP, 0, At(5, 5));
  ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(clicks, 0);  // the right press disarmed it
  ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(clicks, 1);
  ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(clicks, 2);
  b.SetKeys(L"abc");
  EXPECT_EQ(b.GetKeys(), L"A");
  EXPECT_TRUE(ControlWindow::DispatchAccessKey(host.hwnd, L'a'));
  EXPECT_EQ(clicks, 3);
  b.SetKeys(L"");
  EXPECT_FALSE(ControlWindow::DispatchAccessKey(host.hwnd, L'a'));
}

TEST(QQButtonWindow, PropertyBagKeysDefaultsAndOrder) {
  HostWindow host;
  AmbientProperties ambient;
  ambient.font.name = L"Tahoma";
  QQButton fresh;
  ASSERT_TRUE(fresh.Create(host.hwnd, 1, 0, 0, 97, 25, nullptr, ambient));
  EXPECT_TRUE(fresh.SaveProperties().empty());
  EXPECT_EQ(fresh.GetFont().name, L"Tahoma");  // the host's font

  PropertyBag bag;
  bag.Write(L"keys", std::wstring(L"x"));  // read as stored: no upper-casing
  bag.Write(L"caption", std::wstring(L"取消"));
  bag.Write(L"Enabled", false);
  QQButton stored;
  ASSERT_TRUE(stored.Create(host.hwnd, 2, 0, 30, 97, 25, &bag, ambient));
  EXPECT_EQ(stored.GetKeys(), L"x");
  EXPECT_EQ(stored.GetCaption(), L"取消");
  EXPECT_FALSE(stored.GetEnabled());
  EXPECT_EQ(stored.drawn_state(), 0);
  std::vector<std::wstring> changed;
  stored.PropertyChanged = [&](const wchar_t* p) { changed.push_back(p); };
  stored.SetKeys(L"q");  // no change mark
  stored.SetForeColor(0xFF);
  stored.SetPicture(QQButtonSkin(1));
  EXPECT_EQ(changed, (std::vector<std::wstring>{L"ForeColor", L"Picture"}));
  EXPECT_EQ(stored.SaveProperties().Keys(),
            (std::vector<std::wstring>{L"Picture", L"Caption", L"ForeColor", L"Enabled", L"Keys"}));
}

namespace {

const COLORREF kFrameColors[6] = {RGB(255, 0, 0), RGB(0, 255, 0),   RGB(0, 0, 255),
                                  RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255)};

PictureRef SolidStrip(int frames, int w, int h) {
  return Picture::Draw(frames * w, h, [&](HDC dc) {
    for (int f = 0; f < frames; ++f) {
      foundation::UniqueBrush brush(::CreateSolidBrush(kFrameColors[f]));
      RECT rc{f * w, 0, f * w + w, h};
      ::FillRect(dc, &rc, brush.get());
    }
  });
}

PropertyBag CommandBag(PictureRef strip, bool check, bool enabled = true) {
  PropertyBag bag;
  bag.Write(L"Enabled", enabled);
  bag.Write(L"Picture", strip);
  bag.Write(L"Check", check);
  return bag;
}

}  // namespace

TEST(CommandWindow, FrameChosenForEachStateAndStripSize) {
  HostWindow host;
  AmbientProperties ambient;
  ambient.backColor = 0x808080;
  for (bool check : {false, true}) {
    SCOPED_TRACE(check);
    const int n = check ? 6 : 4;
    PropertyBag bag = CommandBag(SolidStrip(n, 20, 10), check);
    Command c;
    ASSERT_TRUE(c.Create(host.hwnd, 1, 0, 0, 77, 33, &bag, ambient));
    EXPECT_EQ(c.ScaleWidth(), 20);  // one frame
    EXPECT_EQ(c.ScaleHeight(), 10);
    for (int state = 0; state <= 5; ++state) {
      c.PrintB(state);
      const auto frame = CommandFrameForState(state, check);
      EXPECT_EQ(Drawn(c).Pixel(3, 3), frame ? kFrameColors[*frame] : RGB(0x80, 0x80, 0x80)) << state;
    }
    c.SetEnabled(false);
    EXPECT_EQ(Drawn(c).Pixel(3, 3), kFrameColors[3]);
    EXPECT_EQ(c.drawn_frame(), 3);
  }
}

TEST(CommandWindow, CheckResizesAtOnceWithoutMarkingChanged) {
  HostWindow host;
  PropertyBag bag = CommandBag(SolidStrip(6, 20, 10), false);
  Command c;
  ASSERT_TRUE(c.Create(host.hwnd, 1, 0, 0, 10, 10, &bag));
  EXPECT_EQ(c.ScaleWidth(), 30);  // 120 / 4
  std::vector<std::wstring> changed;
  c.PropertyChanged = [&](const wchar_t* p) { changed.push_back(p); };
  c.SetCheck(true);
  EXPECT_EQ(c.ScaleWidth(), 20);
  c.SetStatus(true);
  EXPECT_EQ(Drawn(c).Pixel(3, 3), kFrameColors[3]);
  EXPECT_TRUE(changed.empty());
  c.SetCaption(L"x");
  EXPECT_EQ(changed, std::vector<std::wstring>{L"Caption"});
}

TEST(CommandWindow, WithoutPictureKeepsItsSizeAndDrawsCaption) {
  HostWindow host;
  PropertyBag bag;
  bag.Write(L"Enabled", true);
  bag.Write(L"Caption", std::wstring(L"无图片"));
  bag.Write(L"ForeColor", ColorToLong(0x0000FF));
  Command c;
  ASSERT_TRUE(c.Create(host.hwnd, 1, 0, 0, 80, 22, &bag));
  EXPECT_EQ(c.ScaleWidth(), 80);
  EXPECT_EQ(c.ScaleHeight(), 22);
  const auto [left, right] = RedColumns(Drawn(c));
  ASSERT_GE(left, 0);
  EXPECT_LE(std::abs(left - (79 - right)), 2);
}

TEST(CommandWindow, AbsentEnabledKeyReadsAsDisabled) {
  HostWindow host;
  PropertyBag bag;
  bag.Write(L"Caption", std::wstring(L"a"));
  Command stored, fresh;
  ASSERT_TRUE(stored.Create(host.hwnd, 1, 0, 0, 40, 20, &bag));
  ASSERT_TRUE(fresh.Create(host.hwnd, 2, 0, 30, 40, 20));
  EXPECT_FALSE(stored.GetEnabled());
  EXPECT_TRUE(fresh.GetEnabled());
  EXPECT_EQ(fresh.SaveProperties().Keys(), std::vector<std::wstring>{L"Enabled"});  // always written
}

TEST(CommandWindow, MouseAndKeyEventsInOrder) {
  HostWindow host;
  PropertyBag bag = CommandBag(SolidStrip(4, 20, 10), false);
  Command c;
  std::vector<std::string> log;
  c.Click = [&] { log.push_back("click"); };
  c.MouseDown = [&](int16_t& b, int16_t&, float& x, float&) {
    log.push_back("down" + std::to_string(b) + "@" + std::to_string(static_cast<int>(x)));
  };
  c.MouseUp = [&](int16_t&, int16_t&, float&, float&) { log.push_back("up"); };
  c.MouseIn = [&](int16_t&) { log.push_back("in"); };
  c.KeyDown = [&](int16_t& k, int16_t&) { log.push_back("key" + std::to_string(k)); };
  ASSERT_TRUE(c.Create(host.hwnd, 1, 0, 0, 10, 10, &bag));
  ::SendMessageW(c.hwnd(), WM_MOUSEMOVE, 0, At(2, 2));
  EXPECT_EQ(c.drawn_frame(), 1);
  ::SendMessageW(c.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
  EXPECT_EQ(c.drawn_frame(), 2);
  ::SendMessageW(c.hwnd(), WM_LBUTTONUP, 0, At(2, 2));
  ::SendMessageW(c.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(3, 3));
  ::SendMessageW(c.hwnd(), WM_LBUTTONUP, 0, At(3, 3));
  ::SendMessageW(c.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
  ::SendMessageW(c.hwnd(), WM_LBUTTONUP, 0, At(25, 2));  // released outside
  ::SendMessageW(c.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageW(c.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageW(c.hwnd(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"in", "down1@30", "click", "up", "down1@30", "click", "up", "down1@30",
                                           "up", "click", "key32", "key32"}));
  ::KillTimer(c.hwnd(), Command::kOverTimerId);
}

TEST(BoxWindow, LinesOnTheEdgesInTheirColour) {
  HostWindow host;
  PropertyBag bag;
  bag.Write(L"BackColor", ColorToLong(0xFFFFFF));
  bag.Write(L"LineColor", ColorToLong(0xB99D7F));
  Box box;
  ASSERT_TRUE(box.Create(host.hwnd, 1, 0, 0, 161, 81, &bag));
  const BackSurface& s = Drawn(box);
  const COLORREF line = 0xB99D7F, white = 0xFFFFFF;
  EXPECT_EQ(s.Pixel(160, 40), line);
  EXPECT_EQ(s.Pixel(159, 40), white);
  EXPECT_EQ(s.Pixel(80, 80), line);
  EXPECT_EQ(s.Pixel(80, 79), white);
  EXPECT_EQ(s.Pixel(0, 40), line);
  EXPECT_EQ(s.Pixel(80, 0), line);
  EXPECT_EQ(s.Pixel(80, 40), white);
  std::vector<std::wstring> changed;
  box.PropertyChanged = [&](const wchar_t* p) { changed.push_back(p); };
  box.SetLineColor(0x0000FF);
  for (auto [x, y] : {std::pair{160, 40}, {80, 80}, {0, 40}, {80, 0}}) EXPECT_EQ(s.Pixel(x, y), RGB(255, 0, 0));
  EXPECT_EQ(box.GetLineColor(), 0x0000FFu);
  box.SetBackColor(0x00FF00);
  box.SetEnabled(false);
  EXPECT_EQ(s.Pixel(80, 40), RGB(0, 255, 0));
  EXPECT_EQ(changed, (std::vector<std::wstring>{L"LineColor", L"BackColor"}));
  EXPECT_EQ(box.SaveProperties().Keys(), (std::vector<std::wstring>{L"Enabled", L"BackColor", L"LineColor"}));
}

TEST(BoxWindow, MissingLineColourTakesTheHostBackground) {
  HostWindow host;
  AmbientProperties ambient;
  ambient.backColor = 0x123456;
  PropertyBag bag;
  bag.Write(L"BackColor", ColorToLong(0xFFFFFF));
  Box box;
  ASSERT_TRUE(box.Create(host.hwnd, 1, 0, 0, 50, 30, &bag, ambient));
  EXPECT_EQ(Drawn(box).Pixel(49, 10), 0x123456u);
  EXPECT_EQ(box.GetLineColor(), 0x123456u);
}

TEST(ScrollBarWindow, ThumbColumnsInEachScheme) {
  HostWindow host;
  PropertyBag bag;
  bag.Write(L"LargeChange", int32_t{100});
  bag.Write(L"Max", int32_t{100});
  XpVScrollBar bar;
  ASSERT_TRUE(bar.Create(host.hwnd, 1, 0, 0, 40, 200, &bag));
  EXPECT_EQ(bar.ScaleWidth(), 17);  // always 17 pixels wide
  ASSERT_EQ(bar.state().thumb_top(), 17);
  ASSERT_EQ(bar.state().thumb_height(), 83);
  for (int scheme = 0; scheme < 3; ++scheme) {
    SCOPED_TRACE(scheme);
    bar.SetColorScheme(scheme);
    ColorSchemeTable t{};
    FillColorSchemeTable(scheme, t);
    for (int i = 1; i <= 16; ++i) EXPECT_EQ(Drawn(bar).Pixel(i, 21), t[0][i - 1]) << i;
    // The body line ends a pixel short; the 3-row bottom cap covers rows 97 to 99.
    EXPECT_EQ(Drawn(bar).Pixel(5, 96), t[0][4]);
    EXPECT_EQ(Drawn(bar).Pixel(5, 99), PicturePixel(*ScrollBarSkin(bar.state().thumb_skin_id() - 1), 4, 2));
  }
  // Hovering the thumb draws it in the pressed colours.
  bar.state().MouseMove(0, 0, 8, 30);
  ColorSchemeTable silver{};
  FillColorSchemeTable(2, silver);
  EXPECT_EQ(Drawn(bar).Pixel(2, 21), silver[1][1]);
  bar.state().HoverPollTick();
  ::KillTimer(bar.hwnd(), XpVScrollBar::kHoverTimerId);
}

TEST(ScrollBarWindow, DisabledDrawsDisabledArrowsAndNoThumb) {
  HostWindow host;
  PropertyBag bag;
  bag.Write(L"Enabled", false);
  XpVScrollBar bar;
  ASSERT_TRUE(bar.Create(host.hwnd, 1, 0, 0, 17, 200, &bag));
  PictureRef up = ScrollBarSkin(9260);
  ASSERT_TRUE(up);
  EXPECT_EQ(Drawn(bar).Pixel(8, 8), PicturePixel(*up, 7, 8));
  PictureRef track = ScrollBarSkin(9130);
  EXPECT_EQ(Drawn(bar).Pixel(8, 22), PicturePixel(*track, 8, 0));
}

TEST(ScrollBarWindow, InvalidValueReportedThroughTheMessageReporter) {
  HostWindow host;
  XpVScrollBar bar;
  ASSERT_TRUE(bar.Create(host.hwnd, 1, 0, 0, 17, 100));
  testing_support::MessageRecorder recorder;
  bar.SetLargeChange(20000);
  bar.SetSmallChange(40000);
  ASSERT_EQ(recorder.messages.size(), 2u);
  EXPECT_EQ(recorder.messages[0].text, L"Invalid property value");
  EXPECT_EQ(recorder.messages[0].style, static_cast<unsigned>(MB_ICONERROR | MB_OK));
  EXPECT_EQ(recorder.messages[0].title, foundation::ExeName());
  EXPECT_EQ(bar.GetLargeChange(), 1);
  EXPECT_EQ(bar.GetSmallChange(), 1);
}

TEST(ScrollBarWindow, ReadingTheBagRaisesChangeAndNewInstancesStoreNothing) {
  HostWindow host;
  PropertyBag bag;
  bag.Write(L"largechange", int32_t{20});
  bag.Write(L"max", int32_t{50});
  bag.Write(L"value", int32_t{5});
  XpVScrollBar stored;
  int changes = 0;
  stored.Change = [&] { ++changes; };
  ASSERT_TRUE(stored.Create(host.hwnd, 1, 0, 0, 17, 100, &bag));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(stored.GetValue(), 5);
  EXPECT_EQ(stored.GetLargeChange(), 20);
  EXPECT_EQ(stored.SaveProperties().Keys(), (std::vector<std::wstring>{L"LargeChange", L"Max", L"Value"}));
  XpVScrollBar fresh;
  ASSERT_TRUE(fresh.Create(host.hwnd, 2, 20, 0, 17, 100));
  EXPECT_TRUE(fresh.SaveProperties().empty());
  EXPECT_EQ(fresh.GetMax(), 255);
  EXPECT_EQ(fresh.GetLargeChange(), 10);
}

TEST(ScrollBarWindow, TrackPressThroughMessagesPagesAndCaptures) {
  HostWindow host;
  XpVScrollBar bar;
  ASSERT_TRUE(bar.Create(host.hwnd, 1, 0, 0, 17, 200));
  int changes = 0, moves = 0;
  bar.Change = [&] { ++changes; };
  bar.MouseMove = [&](int16_t, int16_t, float, float) { ++moves; };
  ::SendMessageW(bar.hwnd(), WM_MOUSEMOVE, 0, At(8, 150));
  ::SendMessageW(bar.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(8, 150));
  EXPECT_EQ(bar.GetValue(), 10);
  EXPECT_EQ(::GetCapture(), bar.hwnd());
  ::SendMessageW(bar.hwnd(), WM_LBUTTONUP, 0, At(8, 150));
  EXPECT_NE(::GetCapture(), bar.hwnd());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(moves, 1);
  ::KillTimer(bar.hwnd(), XpVScrollBar::kRepeatTimerId);
  ::KillTimer(bar.hwnd(), XpVScrollBar::kHoverTimerId);
}

TEST(SkinArt, DrawnOnceInTheListedSizesAndFreed) {
  struct Size {
    int id, w, h;
  };
  const Size sizes[] = {{9136, 16, 17}, {9138, 16, 17}, {9141, 16, 17}, {9149, 16, 17}, {9164, 16, 17},
                        {9260, 16, 17}, {9261, 16, 17}, {9130, 17, 1},  {9153, 17, 1},  {9264, 17, 1},
                        {9265, 17, 1},  {9131, 16, 2},  {9132, 16, 3},  {9142, 16, 2},  {9155, 16, 3}};
  for (const Size& s : sizes) {
    PictureRef p = ScrollBarSkin(s.id);
    ASSERT_TRUE(p) << s.id;
    EXPECT_EQ(p->width(), s.w) << s.id;
    EXPECT_EQ(p->height(), s.h) << s.id;
  }
  EXPECT_FALSE(ScrollBarSkin(9135));
  EXPECT_FALSE(ScrollBarSkin(9165));
  EXPECT_FALSE(QQButtonSkin(4));
  PictureRef first = QQButtonSkin(1);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->width(), 45);
  EXPECT_EQ(first->height(), 20);
  EXPECT_EQ(QQButtonSkin(1), first);  // cached, not drawn again
  EXPECT_EQ(ScrollBarSkin(9130), ScrollBarSkin(9130));
  FreeSkinArt();
  EXPECT_NE(QQButtonSkin(1), first);
  // Arrow states are distinct pictures.
  EXPECT_NE(PicturePixel(*ScrollBarSkin(9136), 3, 3), PicturePixel(*ScrollBarSkin(9138), 3, 3));
}
