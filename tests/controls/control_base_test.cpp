#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/control_base.h"
#include "controls/core/units.h"
#include "controls/drawing.h"
#include "controls/picture.h"

using namespace controls;

TEST(Units, RoundsHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(RoundHalfEven(1e12), INT32_MAX);
  EXPECT_EQ(TwipsToPixels(250), 17);  // 16.67
  EXPECT_EQ(TwipsToPixels(1455), 97);
}

TEST(PropertyBag, DefaultsAreNotStoredAndAbsentKeysReadAsDefault) {
  PropertyBag bag;
  bag.Write(L"Max", int32_t{255}, int32_t{255});
  bag.Write(L"LargeChange", int32_t{20}, int32_t{10});
  bag.Write(L"BackColor", ColorToLong(0xFFFFFF));  // no default: always stored
  EXPECT_FALSE(bag.Contains(L"Max"));
  EXPECT_EQ(bag.ReadLong(L"Max", 255), 255);
  EXPECT_EQ(bag.ReadLong(L"largechange", 10), 20);  // keys ignore case
  EXPECT_EQ(bag.ReadColor(L"BACKCOLOR", 0), 0xFFFFFFu);
  EXPECT_EQ(bag.Keys(), (std::vector<std::wstring>{L"LargeChange", L"BackColor"}));
  // Writing again replaces the value; writing the default removes it.
  bag.Write(L"largechange", int32_t{10}, int32_t{10});
  EXPECT_FALSE(bag.Contains(L"LargeChange"));
}

TEST(PropertyBag, UnusableStoredTypesReadAsDefault) {
  PropertyBag bag;
  bag.Write(L"Caption", std::wstring(L"确定"));
  bag.Write(L"Enabled", int32_t{-1});
  bag.Write(L"Value", true);
  bag.Write(L"ForeColor", ColorToLong(0x80000012u));
  EXPECT_EQ(bag.ReadLong(L"Caption", 7), 7);
  EXPECT_EQ(bag.ReadString(L"Caption", L""), L"确定");
  EXPECT_TRUE(bag.ReadBool(L"Enabled", false));
  EXPECT_EQ(bag.ReadLong(L"Value", 0), -1);
  EXPECT_EQ(bag.ReadColor(L"ForeColor", 0), 0x80000012u);
  FontSpec bold;
  bold.bold = true;
  EXPECT_EQ(bag.ReadFont(L"Caption", bold), bold);
  EXPECT_EQ(bag.ReadPicture(L"Caption"), nullptr);
}

TEST(BackSurface, FillsAndReadsPixels) {
  BackSurface s;
  ASSERT_TRUE(s.Resize(10, 5));
  s.Fill(RGB(1, 2, 3));
  s.FillRect(8, 3, 10, 10, RGB(200, 100, 50));  // clipped at the edges
  EXPECT_EQ(s.Pixel(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(s.Pixel(9, 4), RGB(200, 100, 50));
  EXPECT_EQ(s.Pixel(7, 4), RGB(1, 2, 3));
  EXPECT_EQ(s.Pixel(10, 0), CLR_INVALID);
  // GDI drawing lands in the same pixels.
  DrawPenLine(s.dc(), 2, 0, 2, 3, RGB(9, 9, 9));
  EXPECT_EQ(s.Pixel(2, 2), RGB(9, 9, 9));
  EXPECT_EQ(s.Pixel(2, 3), RGB(1, 2, 3));  // the end point is left out
  ASSERT_TRUE(s.Resize(0, 4));
  EXPECT_TRUE(s.empty());
}

TEST(Picture, NineSliceGuardSkipsEmptyAndMirroredPieces) {
  PictureRef p = Picture::Draw(4, 4, [](HDC dc) {
    RECT rc{0, 0, 4, 4};
    foundation::UniqueBrush b(::CreateSolidBrush(RGB(255, 0, 0)));
    ::FillRect(dc, &rc, b.get());
  });
  ASSERT_TRUE(p);
  BackSurface s;
  ASSERT_TRUE(s.Resize(6, 6));
  s.Fill(RGB(0, 0, 0));
  DrawPicturePart(s.dc(), 5, 5, -3, -3, *p, 0, 0, 4, 4);
  DrawPicturePart(s.dc(), 0, 0, 0, 3, *p, 0, 0, 4, 4);
  EXPECT_EQ(s.Pixel(3, 3), RGB(0, 0, 0));
  EXPECT_EQ(s.Pixel(0, 0), RGB(0, 0, 0));
  DrawWholePicture(s.dc(), 1, 1, 2, 2, *p);
  EXPECT_EQ(s.Pixel(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s.Pixel(3, 3), RGB(0, 0, 0));
}

namespace {

// A minimal control kind that records what the base hands it.
class ProbeControl : public ControlWindow {
 public:
  std::vector<std::string> log;
  int lastX = 0, lastY = 0;
  int stored = 0;

  void WriteProperties(PropertyBag& bag) const override { bag.Write(L"Stored", int32_t{stored}, int32_t{0}); }
  void Change(int v) {
    stored = v;
    MarkChanged(L"Stored");
  }

 protected:
  const wchar_t* ClassName() const override { return L"ControlsProbe"; }
  void InitProperties() override { log.push_back("init"); }
  void ReadProperties(const PropertyBag& bag) override {
    stored = bag.ReadLong(L"Stored", 0);
    log.push_back("read");
  }
  void OnResize() override { log.push_back("resize"); }
  void OnMouseDown(int16_t b, int16_t, int x, int y) override {
    log.push_back("down" + std::to_string(b));
    lastX = x, lastY = y;
  }
  void OnMouseUp(int16_t b, int16_t, int, int) override { log.push_back("up" + std::to_string(b)); }
  void OnMouseMove(int16_t, int16_t, int x, int y) override { lastX = x, lastY = y; }
  void OnDoubleClick(int16_t b, int16_t, int, int) override { log.push_back("dbl" + std::to_string(b)); }
  std::wstring AccessKeys() const override { return L"K"; }
  void OnAccessKey(wchar_t k) override { log.push_back(std::string("key") + static_cast<char>(k)); }
};

struct HostWindow {
  HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
  ~HostWindow() { ::DestroyWindow(hwnd); }
};

}  // namespace

TEST(ControlWindow, NewAndStoredInstancesAndChangeMarks) {
  HostWindow host;
  ProbeControl fresh, stored;
  ASSERT_TRUE(fresh.Create(host.hwnd, 1, 0, 0, 40, 20));
  PropertyBag bag;
  bag.Write(L"stored", int32_t{5});
  ASSERT_TRUE(stored.Create(host.hwnd, 2, 0, 30, 40, 20, &bag));
  EXPECT_EQ(fresh.log.back(), "init");
  EXPECT_EQ(stored.log.back(), "read");
  EXPECT_EQ(stored.SaveProperties().ReadLong(L"Stored", 0), 5);
  EXPECT_TRUE(fresh.SaveProperties().empty());
  // One class per kind, one object per window.
  wchar_t cls[64]{};
  ::GetClassNameW(fresh.hwnd(), cls, 64);
  EXPECT_STREQ(cls, L"ControlsProbe");
  EXPECT_EQ(foundation::WindowBase::FromHandle(stored.hwnd()), &stored);
  std::vector<std::wstring> changed;
  fresh.PropertyChanged = [&](const wchar_t* name) { changed.push_back(name); };
  fresh.Change(3);
  EXPECT_EQ(changed, std::vector<std::wstring>{L"Stored"});
  // The back surface follows the client size.
  fresh.Resize(55, 21);
  EXPECT_EQ(fresh.ScaleWidth(), 55);
  EXPECT_EQ(fresh.ScaleHeight(), 21);
  EXPECT_EQ(fresh.log.back(), "resize");
}

TEST(ControlWindow, CapturesWhileHeldAndReadsSignedCoordinates) {
  HostWindow host;
  ProbeControl c;
  ASSERT_TRUE(c.Create(host.hwnd, 1, 10, 10, 40, 20));
  ::SendMessageW(c.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
  EXPECT_EQ(::GetCapture(), c.hwnd());
  EXPECT_EQ(c.lastX, 5);
  ::SendMessageW(c.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-7, -3));
  EXPECT_EQ(c.lastX, -7);
  EXPECT_EQ(c.lastY, -3);
  ::SendMessageW(c.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(-7, -3));
  EXPECT_NE(::GetCapture(), c.hwnd());
  ::SendMessageW(c.hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
  ::SendMessageW(c.hwnd(), WM_LBUTTONUP, 0, 0);
  ::SendMessageW(c.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
  ::SendMessageW(c.hwnd(), WM_RBUTTONUP, 0, 0);
  EXPECT_EQ(c.log, (std::vector<std::string>{"init", "down1", "up1", "dbl1", "up1", "down2", "up2"}));
}

TEST(ControlWindow, AccessKeysReachTheControlThatHasThem) {
  HostWindow host;
  ProbeControl c;
  ASSERT_TRUE(c.Create(host.hwnd, 1, 10, 10, 40, 20));
  EXPECT_TRUE(ControlWindow::DispatchAccessKey(host.hwnd, L'k'));
  EXPECT_FALSE(ControlWindow::DispatchAccessKey(host.hwnd, L'x'));
  ::EnableWindow(c.hwnd(), FALSE);
  EXPECT_FALSE(ControlWindow::DispatchAccessKey(host.hwnd, L'K'));
  EXPECT_EQ(c.log.back(), "keyK");
}
