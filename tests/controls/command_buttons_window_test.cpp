// XpCommand and FlatCmd as real windows: faces probed on their back surfaces,
// input through window messages, settings through the property bag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/control_host.h"
#include "controls/core/xp_face_math.h"
#include "controls/flat_cmd.h"
#include "controls/xp_command.h"

using namespace controls;
using namespace controls_test;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kMagenta = RGB(255, 0, 255);

// Keeps the host away from the cursor, so the hover poll sees the pointer gone.
void PlaceAwayFromCursor(HWND hwnd) {
  POINT p{};
  ::GetCursorPos(&p);
  const int x = p.x < 640 ? 700 : 10, y = p.y < 400 ? 420 : 10;
  ::SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A w x h picture of one colour with a one-pixel border of another.
PictureRef Framed(int w, int h, COLORREF inside, COLORREF border) {
  return Picture::Draw(w, h, [&](HDC dc) {
    ::SetDCBrushColor(dc, border);
    RECT all{0, 0, w, h};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    ::SetDCBrushColor(dc, inside);
    RECT in{1, 1, w - 1, h - 1};
    ::FillRect(dc, &in, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  });
}

COLORREF Sys(int index) { return ::GetSysColor(index); }

struct EventLog {
  std::vector<std::string> events;
  void Attach(OwnerDrawnButton& b) {
    b.Click = [this] { events.push_back("click"); };
    b.MouseDown = [this](int16_t& button, int16_t&, float&, float&) { events.push_back("down" + std::to_string(button)); };
    b.MouseUp = [this](int16_t& button, int16_t&, float&, float&) { events.push_back("up" + std::to_string(button)); };
    b.MouseIn = [this](int16_t& shift) { events.push_back("in" + std::to_string(shift)); };
    b.MouseOut = [this](int16_t& shift) { events.push_back("out" + std::to_string(shift)); };
    b.KeyDown = [this](int16_t& key, int16_t&) { events.push_back("keydown" + std::to_string(key)); };
    b.KeyUp = [this](int16_t& key, int16_t&) { events.push_back("keyup" + std::to_string(key)); };
  }
};

PropertyBag XpBag(uint32_t back) {
  PropertyBag bag;
  bag.Write(L"Caption", std::wstring());
  bag.Write(L"BackColor", ColorToLong(back));
  return bag;
}

}  // namespace

TEST(XpCommandWindow, FaceOfEachLook) {
  HostWindow host;
  PlaceAwayFromCursor(host.hwnd);
  const PropertyBag bag = XpBag(RGB(200, 200, 200));
  XpCommand b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 10, 10, 60, 20, &bag));
  const uint32_t t = ShiftColor(RGB(200, 200, 200), kFaceLighten);  // (248, 248, 250)
  const uint32_t p = ShiftColor(t, kPressedDarken);
  const BackSurface& s = Drawn(b);
  // Normal: gradient, edges, dark corners, the frame.
  EXPECT_EQ(s.Pixel(30, 5), ShiftColor(t, GradientAmount(kNormalSpan, 20, 5)));
  EXPECT_EQ(s.Pixel(30, 18), ShiftColor(t, -48));
  EXPECT_EQ(s.Pixel(1, 10), ShiftColor(t, -5));
  EXPECT_EQ(s.Pixel(1, 1), Sys(COLOR_3DDKSHADOW));
  for (auto [x, y] : {std::pair{0, 10}, {30, 0}, {59, 10}, {30, 19}}) EXPECT_EQ(s.Pixel(x, y), RGB(75, 75, 75));

  // Pressed: lightest at the bottom, its own lines, no ring.
  ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(30, 10));
  EXPECT_EQ(s.Pixel(30, 5), ShiftColor(p, GradientAmount(kPressedSpan, 20, 15)));
  EXPECT_EQ(s.Pixel(30, 18), ShiftColor(p, 16));
  EXPECT_EQ(s.Pixel(2, 10), ShiftColor(p, -22));
  ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, At(30, 10));

  // Focused: the ring in the pressed colour setting; hover covers it.
  const COLORREF focus = RGB(0x89, 0xAD, 0xE4), hover = RGB(0xF8, 0xB3, 0x30);
  ASSERT_EQ(b.machine().has_focus(), true);  // the press took the focus
  EXPECT_EQ(s.Pixel(1, 10), focus);
  EXPECT_EQ(s.Pixel(2, 10), ShiftColor(focus, 31));
  ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, 0, At(30, 10));
  EXPECT_EQ(s.Pixel(1, 10), hover);
  EXPECT_EQ(s.Pixel(30, 1), ShiftColor(hover, 200));
  b.OverTimerTick();  // the cursor is elsewhere
  EXPECT_FALSE(b.machine().hover());
  EXPECT_EQ(s.Pixel(1, 10), focus);

  // Disabled: its own gradient and the plain edges, focus or not.
  b.SetEnabled(false);
  EXPECT_EQ(s.Pixel(30, 5), ShiftColor(t, GradientAmount(kDisabledSpan, 20, 5)));
  EXPECT_EQ(s.Pixel(1, 10), ShiftColor(t, -5));
  // A system colour as a ring colour is translated before it is shifted.
  b.SetEnabled(true);
  b.SetXPColorHover(0x8000000Du);
  ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, 0, At(30, 10));
  EXPECT_EQ(s.Pixel(1, 10), Sys(COLOR_HIGHLIGHT));
}

TEST(XpCommandWindow, RoundOutlineAndMinimumSize) {
  HostWindow host;
  XpCommand b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 0, 0, 10, 10));
  auto pixelsInRegion = [&](int w, int h) {
    foundation::UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(b.hwnd(), rgn.get()) == ERROR) return -1;
    int n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) n += ::PtInRegion(rgn.get(), x, y) ? 1 : 0;
    return n;
  };
  EXPECT_EQ(pixelsInRegion(10, 10), 100 - 12);
  b.Resize(30, 12);
  EXPECT_EQ(pixelsInRegion(30, 12), 30 * 12 - 12);
  // Below 10 pixels a side grows to 150 twips.
  b.Resize(4, 30);
  EXPECT_EQ(b.ScaleWidth(), 10);
  EXPECT_EQ(b.ScaleHeight(), 30);
}

TEST(XpCommandWindow, PressReleaseKeysAndAccessKeys) {
  HostWindow host;
  PlaceAwayFromCursor(host.hwnd);
  XpCommand b;
  EventLog log;
  log.Attach(b);
  ASSERT_TRUE(b.Create(host.hwnd, 1, 10, 10, 60, 20));
  ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_TRUE(b.machine().pressed());
  ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, At(5, 5));
  // Released outside: no click, MouseUp all the same.
  ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, At(70, 5));
  // The right button neither presses nor clicks.
  ::SendMessageW(b.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5));
  EXPECT_FALSE(b.machine().pressed());
  ::SendMessageW(b.hwnd(), WM_RBUTTONUP, 0, At(5, 5));
  EXPECT_EQ(log.events, (std::vector<std::string>{"down1", "click", "up1", "down1", "up1", "down2", "up2"}));
  log.events.clear();
  // A held key clicks once; Space shows pressed until it comes up.
  ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_TRUE(b.machine().pressed());
  ::SendMessageW(b.hwnd(), WM_KEYUP, VK_SPACE, 0);
  EXPECT_FALSE(b.machine().pressed());
  ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(log.events, (std::vector<std::string>{"click", "keydown32", "keydown32", "keyup32", "click", "keydown13",
                                                  "keydown13"}));
  log.events.clear();
  b.PressAccessKey(27);
  b.PressAccessKey(L'A');
  b.SetEnabled(false);
  b.PressAccessKey(13);
  EXPECT_EQ(log.events, (std::vector<std::string>{"click"}));
}

TEST(XpCommandWindow, HoverPictureComesAndGoesWithThePointer) {
  HostWindow host;
  PlaceAwayFromCursor(host.hwnd);
  XpCommand b;
  EventLog log;
  log.Attach(b);
  ASSERT_TRUE(b.Create(host.hwnd, 1, 10, 10, 60, 30));
  PictureRef normal = Framed(16, 16, kRed, kMagenta), over = Framed(16, 16, kGreen, kMagenta);
  b.SetPicture(normal);
  b.SetPictureHover(over);
  EXPECT_EQ(b.GetPicture(), normal);  // takes effect at the next entry
  ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, MK_SHIFT, At(5, 5));
  EXPECT_EQ(b.GetPicture(), over);
  EXPECT_EQ(Drawn(b).Pixel(30, 15), kGreen);
  // Saved meanwhile, the normal picture stays the normal one.
  const PropertyBag saved = b.SaveProperties();
  EXPECT_EQ(saved.ReadPicture(L"Picture"), normal);
  EXPECT_EQ(saved.ReadPicture(L"PictureHover"), over);
  b.OverTimerTick();
  EXPECT_EQ(b.GetPicture(), normal);
  EXPECT_EQ(Drawn(b).Pixel(30, 15), kRed);
  EXPECT_EQ(log.events, (std::vector<std::string>{"in1", "out0"}));
}

TEST(XpCommandWindow, PictureMaskedShiftedWhilePressedAndEmbossedWhenDisabled) {
  HostWindow host;
  PropertyBag bag = XpBag(RGB(200, 200, 200));
  bag.Write(L"MaskColor", ColorToLong(kMagenta));
  XpCommand b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 10, 10, 40, 30, &bag));
  b.SetPictureSize(kPictureSizeOriginal);
  b.SetPicture(Framed(20, 18, kRed, kMagenta));
  // The original-size mode draws a newly set picture 16 x 16 until set again.
  EXPECT_EQ(b.GetPictureWidth(), 16);
  EXPECT_EQ(b.OriginalPictureWidth(), 20);
  b.SetPictureSize(kPictureSizeOriginal);
  EXPECT_EQ(b.GetPictureHeight(), 18);
  // Content (4, 4, 36, 26): the picture at (10, 6); its magenta frame shows the face.
  EXPECT_EQ(b.layout().picture, (foundation::IntRect{10, 6, 30, 24}));
  EXPECT_EQ(RedColumns(Drawn(b)), (std::pair{11, 28}));
  EXPECT_EQ(Drawn(b).Pixel(10, 15), ShiftColor(ShiftColor(RGB(200, 200, 200), 48), GradientAmount(25, 30, 15)));
  ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(RedColumns(Drawn(b)), (std::pair{12, 29}));
  ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, At(50, 5));
  b.SetEnabled(false);
  EXPECT_EQ(RedColumns(Drawn(b)).first, -1);
  // No picture: 32 x 32 as its original size.
  b.SetPicture(nullptr);
  EXPECT_EQ(b.OriginalPictureWidth(), 32);
  b.SetPictureSize(kPictureSizeOriginal);
  EXPECT_EQ(b.GetPictureWidth(), 32);
}

TEST(XpCommandWindow, IconPictureAndEmbossedCaption) {
  HostWindow host;
  XpCommand b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 10, 10, 80, 40));
  b.SetCaption(L"");
  PictureRef icon = Picture::FromIcon(::CreateIconIndirect([] {
    static ICONINFO ii{TRUE, 0, 0, nullptr, nullptr};
    static PictureRef colour = Framed(16, 16, kRed, kRed);
    static foundation::UniqueBitmap mask(::CreateBitmap(16, 16, 1, 1, nullptr));  // all opaque
    ii.hbmColor = colour->bitmap();
    ii.hbmMask = mask.get();
    return &ii;
  }()));
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->width(), 16);
  b.SetPictureSize(kPictureSize16);
  b.SetPicture(icon);
  EXPECT_EQ(Drawn(b).Pixel(40, 20), kRed);
  b.SetPicture(nullptr);
  b.SetForeColor(kRed);
  b.SetCaption(L"确定");
  EXPECT_GE(RedColumns(Drawn(b)).first, 0);
  b.SetEnabled(false);
  EXPECT_EQ(RedColumns(Drawn(b)).first, -1);
  bool shadow = false;
  for (int x = 0; x < 80 && !shadow; ++x)
    for (int y = 10; y < 30 && !shadow; ++y) shadow = Drawn(b).Pixel(x, y) == Sys(COLOR_BTNSHADOW);
  EXPECT_TRUE(shadow);
}

TEST(XpCommandWindow, PropertyBagDefaultsOrderAndRoundTrip) {
  HostWindow host;
  AmbientProperties ambient;
  ambient.displayName = L"XpCommand1";
  XpCommand fresh;
  ASSERT_TRUE(fresh.Create(host.hwnd, 1, 0, 0, 60, 20, nullptr, ambient));
  EXPECT_EQ(fresh.GetCaption(), L"XpCommand1");
  EXPECT_EQ(fresh.GetForeColor(), 0x404040u);
  // A new control sizes pictures by their own size, and has none yet.
  EXPECT_EQ(fresh.SaveProperties().Keys(),
            (std::vector<std::wstring>{L"PictureSize", L"OriginalPicSizeW", L"OriginalPicSizeH"}));

  std::vector<std::wstring> changed;
  fresh.PropertyChanged = [&](const wchar_t* name) { changed.push_back(name); };
  FontSpec font;
  font.name = L"Tahoma";
  font.bold = true;
  font.charset = 0;
  fresh.SetFont(font);
  EXPECT_EQ(fresh.GetFont().charset, ambient.font.charset);  // the character set is not taken
  fresh.SetCaption(L"下载");
  fresh.SetPicturePosition(3);
  fresh.SetPicture(Framed(8, 8, kRed, kRed));
  fresh.SetPictureHover(Framed(8, 8, kGreen, kGreen));
  fresh.SetMouseIcon(Framed(4, 4, kRed, kRed));
  fresh.SetMousePointer(11);
  fresh.SetForeColor(0xFF);
  fresh.SetMaskColor(0xFF00FF);
  fresh.SetTransparentBG(true);
  fresh.SetXPColorPressed(0x123456);
  fresh.SetXPColorHover(0x654321);
  fresh.SetEnabled(false);
  EXPECT_EQ(changed, (std::vector<std::wstring>{L"Font", L"Caption", L"PicturePosition", L"Picture", L"PictureHover",
                                                L"MouseIcon", L"MousePointer", L"ForeColor", L"MaskColor",
                                                L"TransparentBG", L"XPColor_Pressed", L"XPColor_Hover", L"Enabled"}));
  const PropertyBag saved = fresh.SaveProperties();
  EXPECT_EQ(saved.Keys(),
            (std::vector<std::wstring>{L"Caption", L"PicturePosition", L"Picture", L"PictureSize", L"OriginalPicSizeW",
                                       L"OriginalPicSizeH", L"PictureHover", L"Enabled", L"Font", L"MouseIcon",
                                       L"MousePointer", L"ForeColor", L"MaskColor", L"TransparentBG",
                                       L"XPColor_Pressed", L"XPColor_Hover"}));
  XpCommand restored;
  ASSERT_TRUE(restored.Create(host.hwnd, 2, 0, 30, 60, 20, &saved, ambient));
  EXPECT_EQ(restored.GetCaption(), L"下载");
  EXPECT_EQ(restored.GetPicturePosition(), 3);
  EXPECT_EQ(restored.GetPicture(), fresh.GetPicture());
  EXPECT_EQ(restored.GetPictureHover(), fresh.GetPictureHover());
  EXPECT_EQ(restored.GetPictureWidth(), 16);  // the original-size mode's picture size
  EXPECT_EQ(restored.OriginalPictureWidth(), 8);
  EXPECT_EQ(restored.GetMousePointer(), 11);
  EXPECT_EQ(restored.GetFont().name, L"Tahoma");
  EXPECT_FALSE(restored.GetEnabled());
  EXPECT_EQ(restored.GetXPColorHover(), 0x654321u);
  EXPECT_EQ(restored.SaveProperties().Keys(), saved.Keys());
}

TEST(FlatCmdWindow, FrameRaisedAtRestSunkenWhilePressed) {
  HostWindow host;
  PlaceAwayFromCursor(host.hwnd);
  PropertyBag bag;
  bag.Write(L"Caption", std::wstring());
  bag.Write(L"BackColor", ColorToLong(RGB(0, 128, 0)));
  FlatCmd b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 10, 10, 50, 20, &bag));
  const COLORREF light = Sys(COLOR_BTNHIGHLIGHT), dark = Sys(COLOR_BTNSHADOW);
  const BackSurface& s = Drawn(b);
  auto expectFrame = [&](COLORREF topLeft, COLORREF bottomRight) {
    EXPECT_EQ(s.Pixel(0, 10), topLeft);
    EXPECT_EQ(s.Pixel(25, 0), topLeft);
    EXPECT_EQ(s.Pixel(49, 0), topLeft);  // the top row runs to the corner
    EXPECT_EQ(s.Pixel(49, 10), bottomRight);
    EXPECT_EQ(s.Pixel(25, 19), bottomRight);
    EXPECT_EQ(s.Pixel(49, 19), bottomRight);
    EXPECT_EQ(s.Pixel(25, 10), RGB(0, 128, 0));
  };
  expectFrame(light, dark);
  ::SendMessageW(b.hwnd(), WM_MOUSEMOVE, 0, At(5, 5));
  expectFrame(light, dark);  // hover looks like rest
  ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  expectFrame(dark, light);
  ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, At(5, 5));
  expectFrame(light, dark);
  ::SendMessageW(b.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  expectFrame(dark, light);
  ::SendMessageW(b.hwnd(), WM_KEYUP, VK_SPACE, 0);
  b.SetNoBorderEffect(true);
  EXPECT_EQ(s.Pixel(0, 10), RGB(0, 128, 0));
  EXPECT_EQ(s.Pixel(49, 19), RGB(0, 128, 0));
  ::SendMessageW(b.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(s.Pixel(0, 10), RGB(0, 128, 0));
  ::SendMessageW(b.hwnd(), WM_LBUTTONUP, 0, At(5, 5));
}

TEST(FlatCmdWindow, SeeThroughShowsTheHostPictureBehindIt) {
  HostWindow host;
  AmbientProperties ambient;
  ambient.picture = Picture::Draw(400, 300, [](HDC dc) {
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 400; x += 1) ::SetPixelV(dc, x, y, RGB(x % 256, y % 256, 77));
  });
  PropertyBag bag;
  bag.Write(L"Caption", std::wstring());
  bag.Write(L"TransparentBG", true);
  bag.Write(L"NoBorderEffect", true);
  FlatCmd b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 30, 40, 50, 20, &bag, ambient));
  EXPECT_EQ(Drawn(b).Pixel(5, 6), RGB(35, 46, 77));
  b.SetNoBorderEffect(false);  // the frame goes over the picture
  EXPECT_EQ(Drawn(b).Pixel(0, 6), Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Drawn(b).Pixel(5, 6), RGB(35, 46, 77));
  // A host without a picture leaves the plain back colour.
  b.SetAmbientProperties(AmbientProperties{});
  EXPECT_EQ(Drawn(b).Pixel(5, 6), Sys(COLOR_BTNFACE));
}

TEST(FlatCmdWindow, NewControlPictureLeftAtEdgeAndOwnSizedPictures) {
  HostWindow host;
  FlatCmd b;
  ASSERT_TRUE(b.Create(host.hwnd, 1, 0, 0, 120, 30));
  EXPECT_EQ(b.GetPictureSize(), kPictureSize32);
  EXPECT_EQ(b.GetPictureWidth(), 16);
  EXPECT_EQ(b.GetForeColor(), 0x80000012u);
  EXPECT_EQ(b.SaveProperties().Keys(), (std::vector<std::wstring>{L"OriginalPicSizeW", L"OriginalPicSizeH"}));
  b.SetPictureSize(kPictureSizeOriginal);
  b.SetPicture(Framed(24, 20, kRed, kRed));
  EXPECT_EQ(b.GetPictureWidth(), 24);
  EXPECT_EQ(b.GetPictureHeight(), 20);
  b.SetCaption(L"Go");
  b.SetPicturePosition(1);
  EXPECT_EQ(b.layout().picture.left, 2);
  EXPECT_EQ(b.layout().caption.left, 2 + 24 + 4);
  EXPECT_EQ(RedColumns(Drawn(b)).first, 2);
  // Its bag keys, in its own order.
  b.SetBackColor(0xFFFFFF);
  b.SetNoBorderEffect(true);
  EXPECT_EQ(b.SaveProperties().Keys(),
            (std::vector<std::wstring>{L"Caption", L"Picture", L"PictureWidth", L"PictureHeight", L"PictureSize",
                                       L"OriginalPicSizeW", L"OriginalPicSizeH", L"BackColor", L"NoBorderEffect"}));
}
