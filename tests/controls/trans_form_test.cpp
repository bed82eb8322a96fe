// The form-shaping control on real top-level windows: the outline, its
// refreshes, the one-per-form rule, dragging and the system menu.
#include <gtest/gtest.h>

#include <vector>

#include "controls/trans_form.h"
#include "support/message_recorder.h"
#include "support/move_loop_drive.h"
#include "window_helpers/pump.h"
#include "window_services/test_window.h"

using namespace controls;
using testing_support::DriveMoveLoop;
using testing_support::MessageRecorder;
using testing_support::SendMouse;
using testing_support::TestWindow;
using window_helpers_test::PumpFor;
using window_helpers_test::WindowRect;

namespace {

constexpr COLORREF kMask = RGB(0xC0, 0xC0, 0xC0);

// What reached the form's own procedure.
std::vector<MSG> g_formMessages;

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_LBUTTONUP || msg == WM_SYSCOMMAND) g_formMessages.push_back({hwnd, msg, w, l, 0, {}});
  return ::DefWindowProcW(hwnd, msg, w, l);
}

// W x H (larger than a captioned window's smallest size), red, with a
// mask-coloured 10 x 10 block at the top left and a mask-coloured last column.
constexpr int W = 160, H = 60;
constexpr int kCut = 100 + H;
PictureRef FormPicture(COLORREF body = RGB(255, 0, 0)) {
  return Picture::Draw(W, H, [&](HDC dc) {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) ::SetPixelV(dc, x, y, (x < 10 && y < 10) || x == W - 1 ? kMask : body);
  });
}

// The first message of that kind the form's procedure saw, or nullptr.
const MSG* FirstFormMessage(UINT message) {
  for (const MSG& m : g_formMessages)
    if (m.message == message) return &m;
  return nullptr;
}

// A real press at the screen point p, let go after holdMs, while the drive
// moves the mouse by `by` and lets the button go should the press start a
// move loop; how far the form moved meanwhile.
POINT PressAt(HWND form, POINT p, POINT by, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
  const RECT before = WindowRect(form);
  ::SetCursorPos(p.x, p.y);
  PumpFor(20);
  g_formMessages.clear();
  DriveMoveLoop(by, [&] {
    SendMouse(down);
    PumpFor(300);
    SendMouse(up);
  });
  PumpFor(50);
  const RECT after = WindowRect(form);
  return POINT{after.left - before.left, after.top - before.top};
}

struct Form {
  TestWindow window;
  AmbientProperties ambient;
  explicit Form(DWORD style = WS_POPUP | WS_SYSMENU | WS_VISIBLE) {
    g_formMessages.clear();
    EXPECT_TRUE(window.Create(L"TransFormTestForm", FormProc, style, 200, 150));
    ::SetWindowPos(window.hwnd(), HWND_TOP, 100, 100, 200, 150, SWP_SHOWWINDOW);
    ambient.picture = FormPicture();
  }
  HWND hwnd() const { return window.hwnd(); }
  // Pixels of the window region, in client coordinates; -1 without a region.
  int RegionPixels(bool (*counted)(int x, int y) = nullptr) const {
    foundation::UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(hwnd(), rgn.get()) == ERROR) return -1;
    RECT w = WindowRect(hwnd());
    POINT origin{0, 0};
    ::ClientToScreen(hwnd(), &origin);
    int n = 0;
    for (int y = -40; y < H + 40; ++y)
      for (int x = -40; x < W + 40; ++x) {
        const bool in = ::PtInRegion(rgn.get(), x + origin.x - w.left, y + origin.y - w.top);
        if (in && (!counted || counted(x, y))) ++n;
      }
    return n;
  }
};

bool InMaskBlock(int x, int y) { return x < 10 && y < 10; }

}  // namespace

TEST(TransForm, OutlineFollowsThePictureLessTheMaskColour) {
  for (DWORD style : {DWORD{WS_POPUP | WS_SYSMENU | WS_VISIBLE}, DWORD{WS_OVERLAPPEDWINDOW | WS_VISIBLE}}) {
    SCOPED_TRACE(style);
    Form form(style);
    TransForm tf;
    ASSERT_TRUE(tf.Create(form.hwnd(), 1, 0, 0, 32, 32, nullptr, form.ambient));
    EXPECT_FALSE(::IsWindowVisible(tf.hwnd()));
    RECT client;
    ::GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, W);
    EXPECT_EQ(client.bottom, H);
    // Placed at the client origin, whatever frame the window has.
    EXPECT_EQ(form.RegionPixels(), W * H - kCut);
    EXPECT_EQ(form.RegionPixels(InMaskBlock), 0);
  }
}

TEST(TransForm, MaskColourWaitsForTheNextShaping) {
  Form form;
  TransForm tf;
  ASSERT_TRUE(tf.Create(form.hwnd(), 1, 0, 0, 32, 32, nullptr, form.ambient));
  tf.SetMaskColor(RGB(255, 0, 0));
  EXPECT_EQ(form.RegionPixels(), W * H - kCut);
  tf.Refresh();
  EXPECT_EQ(form.RegionPixels(), kCut);  // now the red body is cut away
  tf.SetTransparent(false);
  EXPECT_EQ(form.RegionPixels(), -1);
  tf.SetTransparent(true);
  EXPECT_EQ(form.RegionPixels(), kCut);
  // A new picture on the form counts from its next activation.
  AmbientProperties blue = form.ambient;
  blue.picture = FormPicture(RGB(0, 0, 255));
  tf.SetAmbientProperties(blue);
  EXPECT_EQ(form.RegionPixels(), kCut);
  ::SendMessageW(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(form.RegionPixels(), W * H);  // no red pixel left to cut
  // A picture all of the mask colour leaves the form rectangular.
  tf.SetMaskColor(RGB(0, 0, 255));
  blue.picture = Picture::Draw(8, 8, [](HDC dc) {
    RECT r{0, 0, 8, 8};
    ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  });
  tf.SetMaskColor(RGB(255, 255, 255));
  tf.SetAmbientProperties(blue);
  tf.Refresh();
  EXPECT_EQ(form.RegionPixels(), -1);
}

TEST(TransForm, ASecondOneOnTheFormDisablesBoth) {
  MessageRecorder messages;
  Form form;
  TransForm first, second;
  ASSERT_TRUE(first.Create(form.hwnd(), 1, 0, 0, 32, 32, nullptr, form.ambient));
  EXPECT_GT(form.RegionPixels(), 0);
  ASSERT_TRUE(second.Create(form.hwnd(), 2, 0, 0, 32, 32, nullptr, form.ambient));
  ASSERT_EQ(messages.messages.size(), 2u);
  for (const auto& m : messages.messages) {
    EXPECT_EQ(m.title, L"Multiple TransForm Controls");
    EXPECT_EQ(m.text,
              L"Only one TransForm control is allowed or needed on a single form.\r\n\r\n"
              L"All TransForm functionality will be disabled for this form.");
    EXPECT_EQ(m.style, static_cast<unsigned>(MB_ICONEXCLAMATION | MB_OK));
  }
  EXPECT_TRUE(first.disabled());
  EXPECT_TRUE(second.disabled());
  EXPECT_EQ(form.RegionPixels(), -1);
  first.Refresh();
  ::SendMessageW(form.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(form.RegionPixels(), -1);
}

TEST(TransForm, DragsTheFormOnlyWhenAllowed) {
  Form form;
  TransForm tf;
  ASSERT_TRUE(tf.Create(form.hwnd(), 1, 0, 0, 32, 32, nullptr, form.ambient));
  ::SetForegroundWindow(form.hwnd());
  PumpFor(20);
  // A real press on the form: the control starts the move loop from the
  // form's own mouse-down, and the drive moves the mouse and lets go.
  auto drag = [&](DWORD down, DWORD up) {
    const RECT at = WindowRect(form.hwnd());
    return PressAt(form.hwnd(), {at.left + 20, at.top + 20}, {30, 25}, down, up);
  };
  auto leftDrag = [&] { return drag(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); };
  // Mode 2 (the default) drags while the form is shaped.
  POINT moved = leftDrag();
  EXPECT_EQ(moved.x, 30);
  EXPECT_EQ(moved.y, 25);
  // The form still sees its button come up, at the press's point.
  const MSG* up = FirstFormMessage(WM_LBUTTONUP);
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(up->lParam, MAKELPARAM(20, 20));
  moved = drag(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_EQ(moved.x, 0);
  tf.SetTransparent(false);
  moved = leftDrag();
  EXPECT_EQ(moved.x, 0);
  tf.SetAutoDrag(1);  // always, the rectangular form too
  moved = leftDrag();
  EXPECT_EQ(moved.y, 25);
  tf.SetAutoDrag(0);
  moved = leftDrag();
  EXPECT_EQ(moved.y, 0);
}

namespace {

// The left presses a child control of the form received.
int g_childPresses = 0;
LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_LBUTTONDOWN) ++g_childPresses;
  return ::DefWindowProcW(hwnd, msg, w, l);
}

}  // namespace

TEST(TransForm, AfterADragAClickReachesTheChildControl) {
  Form form;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = ChildProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TransFormTestChild";
  ::RegisterClassExW(&wc);
  HWND child = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, 100, 20, 40, 20, form.hwnd(),
                                 nullptr, wc.hInstance, nullptr);
  ASSERT_NE(child, nullptr);
  TransForm tf;
  ASSERT_TRUE(tf.Create(form.hwnd(), 1, 0, 0, 32, 32, nullptr, form.ambient));
  ::SetForegroundWindow(form.hwnd());
  PumpFor(20);
  const RECT start = WindowRect(form.hwnd());
  ASSERT_EQ(PressAt(form.hwnd(), {start.left + 20, start.top + 20}, {30, 25}).x, 30);
  EXPECT_NE(::GetCapture(), form.hwnd());

  // A click on the child: it gets the press, and no second drag starts.
  const RECT target = WindowRect(child);
  g_childPresses = 0;
  PressAt(form.hwnd(), {(target.left + target.right) / 2, (target.top + target.bottom) / 2}, {0, 0});
  EXPECT_EQ(g_childPresses, 1);
  EXPECT_EQ(FirstFormMessage(WM_LBUTTONUP), nullptr);
}

namespace {

// Watches for the open popup menu of this thread; closes it with the keys given.
struct MenuWatch {
  static inline RECT seen{};
  static inline bool opened = false;
  static inline bool choose = false;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    if (!menu || !::IsWindowVisible(menu)) return;
    ::KillTimer(nullptr, id);
    opened = true;
    ::GetWindowRect(menu, &seen);
    if (choose) {
      // The first item, by keys the menu's own loop reads.
      ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      ::EndMenu();
    }
  }
  static void Arm(bool chooseFirst) {
    opened = false;
    choose = chooseFirst;
    seen = {};
    ::SetTimer(nullptr, 0, 50, &Tick);
  }
};

}  // namespace

TEST(TransForm, SystemMenuAtAClientPoint) {
  Form form;
  TransForm tf;
  ASSERT_TRUE(tf.Create(form.hwnd(), 1, 0, 0, 32, 32, nullptr, form.ambient));
  ::SetForegroundWindow(form.hwnd());
  PumpFor(20);
  POINT at{0, 20};
  ::ClientToScreen(form.hwnd(), &at);
  MenuWatch::Arm(false);
  tf.PopupSysMenu(0, std::nullopt, 20);  // only Y: x counts as 0
  ASSERT_TRUE(MenuWatch::opened);
  EXPECT_EQ(MenuWatch::seen.left, at.x);
  EXPECT_EQ(MenuWatch::seen.top, at.y);
  PumpFor(20);
  EXPECT_TRUE(g_formMessages.empty());  // closed without a choice: nothing posted

  // An enabled first item to choose (a plain window's first item, Restore, is grey).
  HMENU menu = ::GetSystemMenu(form.hwnd(), FALSE);
  constexpr UINT kPick = 0x7770;
  ::InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, kPick, L"Pick");
  MenuWatch::Arm(true);
  tf.PopupSysMenu(0, 5, 5);
  ASSERT_TRUE(MenuWatch::opened);
  ASSERT_TRUE(testing_support::PumpUntil([] { return FirstFormMessage(WM_SYSCOMMAND) != nullptr; }));
  const MSG* command = FirstFormMessage(WM_SYSCOMMAND);
  EXPECT_EQ(command->wParam, static_cast<WPARAM>(kPick));
  EXPECT_EQ(command->lParam, reinterpret_cast<LPARAM>(menu));

  // Inert after a second control: no menu at all.
  MessageRecorder messages;
  TransForm second;
  ASSERT_TRUE(second.Create(form.hwnd(), 2, 0, 0, 32, 32, nullptr, form.ambient));
  MenuWatch::Arm(false);
  tf.PopupSysMenu(0, 5, 5);
  EXPECT_FALSE(MenuWatch::opened);
  PumpFor(100);
  EXPECT_FALSE(MenuWatch::opened);
}
