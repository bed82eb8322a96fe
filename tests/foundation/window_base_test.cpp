#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/ole_color.h"
#include "foundation/window_base.h"

using namespace foundation;

namespace {

class Recorder : public WindowBase {
 public:
  bool Create() {
    return CreateWindowObject({L"TestRecorderWindow"}, 0, WS_OVERLAPPEDWINDOW, L"t", 0, 0, 100, 100, nullptr, nullptr);
  }
  std::vector<UINT> seen;
  bool destroyed = false;
  bool throwOnPaint = false;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override {
    seen.push_back(msg);
    if (msg == WM_USER + 1) throw std::runtime_error("handler failure");
    if (msg == WM_USER + 2) return 42;
    return WindowBase::HandleMessage(msg, w, l);
  }
  void OnWindowDestroyed() override { destroyed = true; }
};

}  // namespace

TEST(WindowBase, ObjectLivesFromCreateToNcDestroy) {
  Recorder r;
  ASSERT_TRUE(r.Create());
  HWND h = r.hwnd();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(WindowBase::FromHandle(h), &r);
  EXPECT_EQ(r.seen.front(), static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(::SendMessageW(h, WM_USER + 2, 0, 0), 42);
  // An exception inside a handler never reaches user32.
  EXPECT_EQ(::SendMessageW(h, WM_USER + 1, 0, 0), 0);
  ::DestroyWindow(h);
  EXPECT_TRUE(r.destroyed);
  EXPECT_EQ(r.hwnd(), nullptr);
  EXPECT_EQ(WindowBase::FromHandle(h), nullptr);
}

TEST(WindowBase, ForeignWindowsHaveNoObject) {
  HWND button = ::CreateWindowExW(0, L"BUTTON", L"b", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  ::SetWindowLongPtrW(button, GWLP_USERDATA, 1234);
  EXPECT_EQ(WindowBase::FromHandle(button), nullptr);
  ::DestroyWindow(button);
}

TEST(WindowBase, DestructorDestroysTheWindow) {
  HWND h;
  {
    Recorder r;
    ASSERT_TRUE(r.Create());
    h = r.hwnd();
  }
  EXPECT_FALSE(::IsWindow(h));
}

TEST(OleColor, RgbAndSystemColours) {
  EXPECT_EQ(OleColorToRgb(0x00FFCD77), RGB(0x77, 0xCD, 0xFF));
  EXPECT_EQ(OleColorToRgb(0), RGB(0, 0, 0));
  EXPECT_EQ(OleColorToRgb(0x80000000u + COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(OleColorToRgb(0x8000000Fu), ::GetSysColor(15));
  EXPECT_FALSE(TranslateOleColor(0x80000000u + 200).has_value());
  EXPECT_FALSE(TranslateOleColor(0x01000005u).has_value());
  EXPECT_EQ(OleColorToRgb(0x7F000000u, RGB(1, 2, 3)), RGB(1, 2, 3));
}
