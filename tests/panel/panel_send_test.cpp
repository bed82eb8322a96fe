// A click on an emoticon pastes it into the chat window in front; a right
// click also sends it. The QQ double logs what reaches it.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "support/key_watch.h"
#include "support/mouse_input.h"
#include "support/panel_process.h"
#include "support/qq_double_process.h"

using namespace testing_support;

namespace {

class PanelSend : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_.AddPicture(L"默认表情", L"a.bmp", 40, 30);
    panel_.AddPicture(L"默认表情", L"b.bmp", 20, 10);
    ASSERT_TRUE(qq_.Start(L"QQ.exe", {L"--x", L"100", L"--y", L"50"}));
    ASSERT_TRUE(panel_.Start());
    ASSERT_TRUE(BringToFront(qq_.hwnd()));
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return panel_.WindowRect().left == 600; }));
    grid_ = panel_.Grids().front();
  }
  // Presses a mouse button on a cell of the main grid (cells are 44 px apart, the first at 1, 1).
  void PressCell(int column, bool right) {
    const LPARAM at = MAKELPARAM(1 + 44 * column + 20, 20);
    ::PostMessageW(grid_, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
  }
  // The pointer the real clicks rest on the grid goes, so the next test's
  // panel shows no preview under it.
  void TearDown() override { ParkPointer(); }
  // The screen point of a cell of the main grid (cells are 44 px apart, the first at 1, 1).
  POINT CellPoint(int column) const { return ScreenPointOf(grid_, 1 + 44 * column + 20, 20); }
  // Rests the pointer on a cell until the hover preview has shown and is not
  // under the pointer, nor over the other points given (it moves out of the
  // pointer's way).
  void RestOnCell(int column, std::initializer_list<POINT> alsoClear = {}) {
    const POINT at = CellPoint(column);
    HWND preview = ::GetParent(panel_.Child(L"TarnwickPreviewStill"));
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(PointAt(at, [&] {
      if (!::IsWindowVisible(preview) || ::WindowFromPoint(at) != grid_) return false;
      return std::all_of(alsoClear.begin(), alsoClear.end(), [&](POINT p) { return ::WindowFromPoint(p) == grid_; });
    }));
  }
  // A real click on a cell of the main grid, through the system's input
  // queue, once the pointer rests on the cell.
  void ClickCell(int column, bool right) {
    RestOnCell(column);
    ClickAt(CellPoint(column), right);
  }
  // Two real left clicks gapMs apart, the second before the first one's paste is over.
  void ClickQuickly(int first, int second, DWORD gapMs) {
    RestOnCell(first, {CellPoint(second)});
    ClickAt(CellPoint(first));
    ::Sleep(gapMs);
    ClickAt(CellPoint(second));
  }
  bool Docked() const {
    const RECT r = panel_.WindowRect();
    return r.left == 600 && r.top == 50;
  }
  size_t Count(const std::string& prefix) const {
    const auto lines = qq_.LogLines();
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.rfind(prefix, 0) == 0;
    }));
  }
  // The double's log, for a failure's message.
  std::string Log() const {
    std::string all;
    for (const std::string& l : qq_.LogLines()) all += "\n  " + l;
    return all;
  }
  std::string Line(const std::string& prefix) const {
    for (const std::string& l : qq_.LogLines())
      if (l.rfind(prefix, 0) == 0) return l;
    return {};
  }
  QqDoubleProcess qq_;
  PanelProcess panel_;
  HWND grid_ = nullptr;
};

}  // namespace

TEST_F(PanelSend, LeftClickPastesThePicture) {
  PressCell(0, false);
  ASSERT_TRUE(qq_.WaitForLine("paste bitmap=40x30"));
  EXPECT_NE(Line("paste formats=").find("HTML Format"), std::string::npos);
  const std::string html = Line("paste html=");
  EXPECT_EQ(html.rfind("paste html=<img border='0' src='file:///", 0), 0u) << html;
  EXPECT_NE(html.find("/Face/默认表情/a.bmp'>"), std::string::npos) << html;
  EXPECT_TRUE(qq_.WaitForLine("key up vk=0x11 ctrl=0 in=input"));
  // The input box has the focus before the keys; then Ctrl down, V down, V up, Ctrl up.
  const auto lines = qq_.LogLines();
  std::vector<std::string> keys;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("key ", 0) != 0) continue;
    if (keys.empty()) {
      ASSERT_GT(i, 0u);
      EXPECT_EQ(lines[i - 1], "focus input");
    }
    keys.push_back(lines[i]);
  }
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0], "key down vk=0x11 ctrl=1 in=input");
  EXPECT_EQ(keys[1], "key down vk=0x56 ctrl=1 in=input");
  EXPECT_EQ(keys[2], "key up vk=0x56 ctrl=1 in=input");
  EXPECT_EQ(keys[3], "key up vk=0x11 ctrl=0 in=input");
  // Nothing marks the end of the click's handling: no send may follow within
  // a while of the paste.
  PumpMessages(300);
  EXPECT_EQ(Count("click"), 0u);
}

TEST_F(PanelSend, RightClickAlsoSends) {
  PressCell(1, true);
  ASSERT_TRUE(qq_.WaitForLine("paste bitmap=20x10"));
  ASSERT_TRUE(qq_.WaitForLine("click 发送(S)"));
  // Enter, then Ctrl+Enter, reach the window after the click.
  EXPECT_TRUE(qq_.WaitForLine("key down vk=0x0D ctrl=0 in=button"));
  EXPECT_TRUE(qq_.WaitForLine("key down vk=0x0D ctrl=1 in=button"));
  const auto lines = qq_.LogLines();
  const auto click = std::find(lines.begin(), lines.end(), "click 发送(S)");
  const auto enter = std::find(lines.begin(), lines.end(), "key down vk=0x0D ctrl=0 in=button");
  EXPECT_LT(click - lines.begin(), enter - lines.begin());
}

TEST_F(PanelSend, BlankCellSendsNothing) {
  PressCell(3, false);
  PressCell(4, true);
  // The panel takes posted presses in order, and a blank cell's press returns
  // at once: the paste of a real cell pressed next comes after anything the
  // blank ones could have sent.
  PressCell(0, false);
  ASSERT_TRUE(qq_.WaitForLine("paste bitmap=40x30"));
  ASSERT_TRUE(qq_.WaitForLine("key up vk=0x11 ctrl=0 in=input"));
  EXPECT_EQ(Count("paste bitmap="), 1u);
  EXPECT_EQ(Count("click"), 0u);
  EXPECT_EQ(Count("key"), 4u);  // the real cell's Ctrl+V alone
}

TEST_F(PanelSend, WindowsServer2003RouteThroughThePage) {
  panel_.Close();
  // The program's own version setting in the prefix: Windows Server 2003 for Tarnwick.exe.
  HKEY key;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Tarnwick.exe", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"win2003"), 16);
  ::RegCloseKey(key);
  PanelProcess panel2003;
  panel2003.AddPicture(L"默认表情", L"my face.bmp", 30, 20);
  const bool started = panel2003.Start();
  ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\Tarnwick.exe");
  ASSERT_TRUE(started);
  ASSERT_TRUE(BringToFront(qq_.hwnd()));
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return panel2003.WindowRect().left == 600; }));
  ::PostMessageW(panel2003.Grids().front(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  ASSERT_TRUE(qq_.WaitForLine("paste bitmap=30x20"));
  EXPECT_NE(Line("paste html=").find("my%20face.bmp"), std::string::npos);
  // The page is gone once the click is over (the paste comes before its end).
  const std::wstring page = panel2003.folder() + L"Temp.html";
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return ::GetFileAttributesW(page.c_str()) == INVALID_FILE_ATTRIBUTES; }));
}

// Real clicks from another process, each with the panel coming to the front
// first and the chat window after it: every paste reaches the input box,
// every send follows its paste, and every key the panel presses reaches the
// chat window (Ctrl+V for each click, Enter and Ctrl+Enter after each send).
TEST_F(PanelSend, EveryRealClickPastesAndEveryRightClickSends) {
  constexpr size_t kRounds = 20, kKeysPerRound = 4 + 4 + 6;
  for (size_t i = 1; i <= kRounds; ++i) {
    ASSERT_TRUE(BringToFront(qq_.hwnd())) << i;
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return Docked(); })) << i;
    ClickCell(0, false);
    ASSERT_TRUE(PumpUntil([&] { return Count("paste bitmap=") == 2 * i - 1; }, 10000)) << i << Log();
    ASSERT_TRUE(BringToFront(qq_.hwnd())) << i;
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return Docked(); })) << i;
    ClickCell(1, true);
    // The chat window takes the keys in its own time: the send's click may
    // overtake the keys that end the paste.
    ASSERT_TRUE(PumpUntil([&] { return Count("key ") == kKeysPerRound * i; }, 10000)) << i << Log();
    ASSERT_EQ(Count("paste bitmap="), 2 * i) << i << Log();
    ASSERT_EQ(Count("click 发送(S)"), i) << i << Log();
  }
  EXPECT_EQ(Count("paste bitmap=40x30"), kRounds);
  EXPECT_EQ(Count("paste bitmap=20x10"), kRounds);
  EXPECT_EQ(Count("key down vk=0x56 ctrl=1 in=input"), 2 * kRounds);
  EXPECT_EQ(Count("key down vk=0x0D ctrl=0 in=button"), kRounds);
  EXPECT_EQ(Count("key down vk=0x0D ctrl=1 in=button"), kRounds);
}

// A chat window the system keeps from the front gets no key, and neither
// does any other window: no key leaves the panel at all.
TEST_F(PanelSend, ChatWindowKeptFromTheFrontGetsNoKey) {
  KeyWatch keys;
  // The panel in front: a click on a cell leaves the activation where it is.
  ASSERT_TRUE(BringToFront(panel_.Window()));
  qq_.RefuseFront(true);
  ClickCell(0, true);
  ASSERT_TRUE(qq_.WaitForLine("activate refused")) << Log();
  // The click gives up about a second after it began; nothing marks its end.
  PumpMessages(3000);
  EXPECT_EQ(keys.Count(), 0);
  EXPECT_EQ(Count("key "), 0u);
  EXPECT_EQ(Count("paste"), 0u);
  EXPECT_EQ(Count("click"), 0u);

  // Taken to the front again, it gets the next click's paste, which the
  // watch sees too.
  qq_.RefuseFront(false);
  ASSERT_TRUE(BringToFront(qq_.hwnd()));
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return Docked(); }));
  ClickCell(0, false);
  ASSERT_TRUE(qq_.WaitForLine("paste bitmap=40x30"));
  ASSERT_TRUE(qq_.WaitForLine("key up vk=0x11 ctrl=0 in=input"));
  EXPECT_EQ(keys.Count(), 4);
}

// A second click made while the first one's paste is on its way waits its
// turn: each picture is pasted once, in the order clicked.
TEST_F(PanelSend, QuickClicksPasteEachPictureInTurn) {
  ClickQuickly(0, 1, 40);
  ASSERT_TRUE(PumpUntil([&] { return Count("key ") == 8; }, 10000)) << Log();
  EXPECT_EQ(qq_.ValuesAfter("paste bitmap="), (std::vector<std::string>{"40x30", "20x10"})) << Log();
  EXPECT_EQ(Count("key down vk=0x56 ctrl=1 in=input"), 2u) << Log();
}

// The grid takes a double click's second press as a double click, which
// pastes nothing more: the picture is pasted once, never another one and
// never none.
TEST_F(PanelSend, DoubleClickPastesThatPicture) {
  ClickQuickly(0, 0, 40);
  ASSERT_TRUE(PumpUntil([&] { return Count("key ") == 4; }, 10000)) << Log();
  PumpMessages(500);  // nothing marks the end of the second press's handling
  EXPECT_EQ(qq_.ValuesAfter("paste bitmap="), std::vector<std::string>{"40x30"}) << Log();
  EXPECT_EQ(Count("key "), 4u) << Log();
}

namespace {

// A topmost window that never takes the activation, over the chat window's
// lowest 70 pixels where its input box is, as a player kept on top or the
// taskbar over a chat window dragged low. Counts the keys it receives.
class CoveringWindow {
 public:
  explicit CoveringWindow(const RECT& chat) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PanelTestCoveringWindow";
    ::RegisterClassW(&wc);
    keys_ = 0;
    hwnd_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, wc.lpszClassName, L"cover",
                              WS_POPUP, chat.left, chat.bottom - 70, chat.right - chat.left, 70, nullptr, nullptr,
                              wc.hInstance, nullptr);
    // Shown without the activation: Wine activates a window created visible
    // whatever its extended style, which would hide the docked panel.
    ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  ~CoveringWindow() { ::DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  static int Keys() { return keys_; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) ++keys_;
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  static inline int keys_ = 0;
  HWND hwnd_;
};

}  // namespace

// Another program's window over the input box does not stop a click: the
// input box is looked up within the chat window alone.
TEST_F(PanelSend, WindowOverTheInputBoxDoesNotStopThePaste) {
  RECT chat;
  ASSERT_TRUE(::GetWindowRect(qq_.hwnd(), &chat));
  CoveringWindow cover(chat);
  ASSERT_NE(cover.hwnd(), nullptr);
  const POINT inputPoint{chat.left + 50, chat.bottom - 50};
  ASSERT_TRUE(PumpUntil([&] { return ::WindowFromPoint(inputPoint) == cover.hwnd(); }));
  ASSERT_EQ(::GetForegroundWindow(), qq_.hwnd()) << "the cover took the activation";
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return Docked(); }));

  PressCell(0, false);
  ASSERT_TRUE(qq_.WaitForLine("paste bitmap=40x30")) << Log();
  ASSERT_TRUE(qq_.WaitForLine("key up vk=0x11 ctrl=0 in=input")) << Log();

  ASSERT_TRUE(BringToFront(qq_.hwnd()));
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return Docked(); }));
  PressCell(1, true);
  ASSERT_TRUE(qq_.WaitForLine("paste bitmap=20x10")) << Log();
  ASSERT_TRUE(qq_.WaitForLine("click 发送(S)")) << Log();
  EXPECT_TRUE(qq_.WaitForLine("key down vk=0x0D ctrl=1 in=button")) << Log();
  EXPECT_EQ(Count("key down vk=0x56 ctrl=1 in=input"), 2u) << Log();
  EXPECT_EQ(::WindowFromPoint(inputPoint), cover.hwnd()) << "the cover stayed over the input box";
  EXPECT_EQ(CoveringWindow::Keys(), 0);
}

// A chat window that hangs in its send button's click holds the panel only
// for the click's bound: the docking loop then runs again, and hides the
// panel once another window is in front.
TEST_F(PanelSend, HungSendButtonLetsThePanelGoOn) {
  qq_.HangNextSend(10000);
  ClickCell(0, true);
  ASSERT_TRUE(qq_.WaitForLine("click 发送(S)")) << Log();
  HWND other = MakeOtherWindow();
  ASSERT_TRUE(BringToFront(other));
  const DWORD start = ::GetTickCount();
  EXPECT_TRUE(PumpUntil([&] { return panel_.WindowRect().bottom <= 0; }, 9000));
  EXPECT_LT(::GetTickCount() - start, 3000u) << "the panel answered only once the chat window did";
  EXPECT_FALSE(qq_.WaitForLine("hang over", 0)) << "the hang ended before the panel was seen to go on";
  EXPECT_TRUE(qq_.WaitForLine("hang over", 15000));
  ::DestroyWindow(other);
}
