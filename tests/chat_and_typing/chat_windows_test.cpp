// Chat-window detection on real windows: the reader, the enumeration into the
// keyed list (repeated, pruned) and the executable names, with the QQ double
// started inactive so that no foreground test is disturbed.
#include <gtest/gtest.h>

#include <map>

#include "foundation/chat_windows.h"
#include "foundation/handle_text.h"
#include "foundation/process_name.h"
#include "support/qq_double_process.h"

using namespace foundation;
using testing_support::QqDoubleProcess;

namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefWindowProcW(h, m, w, l); }

// An in-process top-level window of a class of its own.
class TestWindow {
 public:
  TestWindow(const wchar_t* cls, const wchar_t* title, DWORD style, HWND parent = nullptr, int w = 400, int h = 300) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    ::RegisterClassW(&wc);
    // Shown without activation: foreground tests may be running alongside.
    hwnd_ = ::CreateWindowExW(0, cls, title, style & ~WS_VISIBLE, 20, 30, w, h, parent, nullptr, wc.hInstance, nullptr);
    if (hwnd_ && (style & WS_VISIBLE)) ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  }
  ~TestWindow() { Destroy(); }
  void Destroy() {
    if (hwnd_) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

constexpr DWORD kShownWithMenu = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

std::map<std::wstring, int> KeyCounts(const ChatWindowList& list) {
  std::map<std::wstring, int> counts;
  for (int i = 1; i <= list.Count(); ++i) counts[list.Item(i).key]++;
  return counts;
}

}  // namespace

TEST(ChatWindowReader, ReadsTheFactsOfAWindow) {
  TestWindow owner(L"ReaderOwner", L"owner", kShownWithMenu);
  TestWindow w(L"TXGuiFoundation", L"张三 - 交谈中", WS_POPUP | WS_VISIBLE | WS_SYSMENU, nullptr, 320, 120);
  ASSERT_TRUE(w.hwnd());
  const WindowFacts f = ReadWindowFacts(w.hwnd());
  EXPECT_EQ(f.className, L"TXGuiFoundation");
  EXPECT_EQ(f.title, L"张三 - 交谈中");
  EXPECT_FALSE(f.hasParent);
  EXPECT_EQ(f.right - f.left, 320);
  EXPECT_EQ(f.bottom - f.top, 120);
  EXPECT_EQ(f.style & (WS_POPUP | WS_VISIBLE | WS_SYSMENU), static_cast<std::uint32_t>(WS_POPUP | WS_VISIBLE | WS_SYSMENU));
  EXPECT_EQ(GetStyleText(w.hwnd()), GetStyleText(f.style));

  // An owned popup reads as having a parent (GetParent answers the owner).
  TestWindow owned(L"ReaderOwned", L"李四 交谈中", WS_POPUP | WS_VISIBLE | WS_SYSMENU, owner.hwnd());
  EXPECT_TRUE(ReadWindowFacts(owned.hwnd()).hasParent);
  EXPECT_FALSE(IsChatWindow(owned.hwnd()));
  EXPECT_FALSE(CheckQQWin(owned.hwnd(), false));
  TestWindow alone(L"ReaderOwned", L"李四 交谈中", WS_POPUP | WS_VISIBLE | WS_SYSMENU);
  EXPECT_TRUE(IsChatWindow(alone.hwnd()));
  EXPECT_TRUE(CheckQQWin(alone.hwnd(), false));
  EXPECT_FALSE(CheckQQWin(alone.hwnd(), true));

  HWND gone = w.hwnd();
  w.Destroy();
  const WindowFacts g = ReadWindowFacts(gone);
  EXPECT_EQ(g.className, L"");
  EXPECT_EQ(g.title, L"");
  EXPECT_FALSE(IsChatWindow(gone));
  EXPECT_FALSE(CheckQQWin(gone, false));
}

// Code page 936: the tested title is cut at 25 bytes, whole characters only.
TEST(ChatWindowReader, TitleIsCutAt25Bytes) {
  ASSERT_EQ(::GetACP(), 936u);
  TestWindow late(L"ReaderTitle", L"一二三四五六七八九十百交谈中", kShownWithMenu);
  EXPECT_EQ(ReadTestedTitle(late.hwnd()), L"一二三四五六七八九十百交");
  EXPECT_FALSE(IsChatWindow(late.hwnd()));
  EXPECT_FALSE(CheckQQWin(late.hwnd(), false));
  TestWindow early(L"ReaderTitle", L"一二三四五六七八九交谈中 and a long tail", kShownWithMenu);
  EXPECT_EQ(ReadTestedTitle(early.hwnd()), L"一二三四五六七八九交谈中 ");
  EXPECT_TRUE(IsChatWindow(early.hwnd()));
  EXPECT_TRUE(CheckQQWin(early.hwnd(), false));
}

TEST(ChatWindowList, EnumeratedRepeatedlyNeverTwicePrunedAfterClosing) {
  QqDoubleProcess qq, other;
  ASSERT_TRUE(qq.Start(L"QQ.exe", {L"--inactive", L"--title", L"主窗口"}));
  ASSERT_TRUE(other.Start(L"OtherChat.exe", {L"--inactive", L"--title", L"李四 - 交谈中", L"--style", L"94CF0000"}));
  TestWindow chatWord(L"EnumPlain", L"王五 - 聊天中", kShownWithMenu);
  TestWindow plain(L"EnumPlain", L"记事本", kShownWithMenu);
  TestWindow hidden(L"TXGuiFoundation", L"hidden", WS_OVERLAPPEDWINDOW);
  TestWindow noMenu(L"TXGuiFoundation", L"no menu", WS_POPUP | WS_VISIBLE);
  ASSERT_TRUE(chatWord.hwnd() && plain.hwnd() && hidden.hwnd() && noMenu.hwnd());

  ChatWindowList list;
  for (int tick = 0; tick < 5; ++tick) {
    EnumChatWindows(list);
    PruneChatWindowList(list);
  }
  for (const auto& [key, count] : KeyCounts(list)) EXPECT_EQ(count, 1) << "listed twice: " << key;
  for (HWND h : {qq.hwnd(), other.hwnd(), chatWord.hwnd()}) {
    const int index = IsChatWindowListed(list, h);
    ASSERT_NE(index, 0) << HandleToText(h);
    const ChatWindowItem& item = list.Item(index);
    EXPECT_EQ(item.key, L"ID:" + HandleToText(h));
    HWND back = nullptr;
    ASSERT_TRUE(TextToHandle(item.handleText, &back));
    EXPECT_EQ(back, h) << "sub-item 1 reads back with sign extension";
  }
  EXPECT_EQ(list.Item(IsChatWindowListed(list, qq.hwnd())).text, L"主窗口") << "any title of the QQ class";
  EXPECT_EQ(list.Item(IsChatWindowListed(list, chatWord.hwnd())).text, L"王五 - 聊天中");
  for (HWND h : {plain.hwnd(), hidden.hwnd(), noMenu.hwnd(), qq.input(), qq.button()}) {
    EXPECT_EQ(IsChatWindowListed(list, h), 0) << HandleToText(h);
  }

  // Not listed yet, so tested afresh each tick: a new title counts at once.
  ::SetWindowTextW(plain.hwnd(), L"赵六 - 交谈中");
  EnumChatWindows(list);
  EXPECT_NE(IsChatWindowListed(list, plain.hwnd()), 0);
  // Message-only windows are not top-level windows, whatever their style.
  HWND messageOnly = ::CreateWindowExW(0, L"TXGuiFoundation", L"交谈中", WS_VISIBLE | WS_SYSMENU, 0, 0, 10, 10,
                                       HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(messageOnly);
  EnumChatWindows(list);
  EXPECT_EQ(IsChatWindowListed(list, messageOnly), 0);
  ::DestroyWindow(messageOnly);

  // A listed window is not tested again, whatever its title becomes.
  ::SetWindowTextW(chatWord.hwnd(), L"记事本");
  EnumChatWindows(list);
  PruneChatWindowList(list);
  EXPECT_NE(IsChatWindowListed(list, chatWord.hwnd()), 0);
  const std::map<std::wstring, int> before = KeyCounts(list);

  const HWND closedQq = qq.hwnd();
  const HWND closedChatWord = chatWord.hwnd();
  qq.Close();
  chatWord.Destroy();
  EnumChatWindows(list);
  PruneChatWindowList(list);
  EXPECT_EQ(IsChatWindowListed(list, closedQq), 0);
  EXPECT_NE(IsChatWindowListed(list, other.hwnd()), 0);
  // Every other window stays while it exists (windows of tests running
  // alongside come and go meanwhile).
  const std::map<std::wstring, int> after = KeyCounts(list);
  for (const auto& [key, count] : before) {
    HWND h = nullptr;
    ASSERT_TRUE(TextToHandle(key.substr(3), &h));
    EXPECT_EQ(after.count(key), ::IsWindow(h) ? 1u : 0u) << key;
  }
  EXPECT_TRUE(before.count(L"ID:" + HandleToText(closedChatWord)));
}

TEST(ChatWindowList, PruningSkipsUnreadableHandlesAndEmptyLists) {
  ChatWindowList list;
  PruneChatWindowList(list);
  EXPECT_EQ(list.Count(), 0);
  TestWindow live(L"PruneWindow", L"live", kShownWithMenu);
  list.Add(L"ID:x", L"broken", L"not a number");
  list.Add(ChatWindowList::KeyFor(HandleValue(live.hwnd())), L"live", HandleToText(live.hwnd()));
  list.Add(L"ID:1", L"dead", L"1");
  PruneChatWindowList(list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(1).text, L"broken");
  EXPECT_EQ(list.Item(2).text, L"live");
}

TEST(ProcessName, ExecutableOfTheDoubleOwnAndDeadWindows) {
  QqDoubleProcess qq, other;
  ASSERT_TRUE(qq.Start(L"QQ.exe", {L"--inactive"}));
  ASSERT_TRUE(other.Start(L"OtherChat.exe", {L"--inactive"}));
  EXPECT_EQ(GetWindowExeName(qq.hwnd()), L"QQ.exe");
  EXPECT_EQ(GetWindowExeName(qq.input()), L"QQ.exe") << "child windows belong to the same process";
  EXPECT_EQ(GetWindowExeName(other.hwnd()), L"OtherChat.exe");
  // Both routes give the same path.
  EXPECT_EQ(ProcessImagePathByQuery(qq.pid()), ProcessImagePathByModules(qq.pid()));
  EXPECT_FALSE(ProcessImagePathByQuery(qq.pid()).empty());

  TestWindow own(L"ExeNameWindow", L"own", kShownWithMenu);
  wchar_t self[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring selfName = std::wstring(self, n).substr(std::wstring(self, n).rfind(L'\\') + 1);
  EXPECT_EQ(GetWindowExeName(own.hwnd()), selfName);

  const HWND dead = qq.hwnd();
  qq.Close();
  EXPECT_EQ(GetWindowExeName(dead), L"");
  EXPECT_EQ(GetWindowExeName(nullptr), L"");
  HWND destroyed = own.hwnd();
  own.Destroy();
  EXPECT_EQ(GetWindowExeName(destroyed), L"");
  EXPECT_EQ(ProcessImagePathByQuery(0xFFFFFFF0u), L"");
  EXPECT_EQ(ProcessImagePathByModules(0xFFFFFFF0u), L"");
}

// The readers skip facts that cannot change the answer; on real windows they
// must agree with the pure tests over every fact.
TEST(ChatWindowReader, ShortcutReadersAgreeWithThePureTests) {
  TestWindow owner(L"AgreeOwner", L"owner", kShownWithMenu);
  const DWORD chatStyle = 0x960F0000;
  struct Case {
    const wchar_t* cls;
    const wchar_t* title;
    DWORD style;
    bool owned;
    int w, h;
    bool loose, strict;
  } cases[] = {
      {L"TXGuiFoundation", L"张三", chatStyle, false, 500, 500, true, true},
      {L"TXGuiFoundation", L"张三", chatStyle, false, 300, 500, true, false},
      {L"TXGuiFoundation", L"张三 - 交谈中", chatStyle, false, 300, 500, true, true},
      {L"TXGuiFoundation", L"张三 - 交谈中", chatStyle, true, 300, 500, true, false},
      {L"TXGuiFoundation", L"张三", 0x16CF0000, false, 500, 500, true, false},
      {L"TXGuiFoundation", L"消息管理器", chatStyle, false, 500, 500, true, false},
      {L"TXGuiFoundation", L"消息管理器 交谈中", chatStyle, false, 500, 500, true, true},
      {L"AgreePlain", L"王五 正在输入", kShownWithMenu, false, 200, 50, true, true},
      {L"AgreePlain", L"王五 正在输入", WS_POPUP | WS_VISIBLE | WS_SYSMENU, true, 200, 50, false, false},
      {L"AgreePlain", L"记事本", kShownWithMenu, false, 500, 500, false, false},
  };
  // Two windows take every case in turn: destroying a shown, managed window
  // costs two seconds under Xvfb, where no window manager answers Wine.
  TestWindow qqClass(L"TXGuiFoundation", L"", chatStyle);
  TestWindow plain(L"AgreePlain", L"", kShownWithMenu);
  for (const Case& c : cases) {
    const HWND h = std::wstring(c.cls) == L"TXGuiFoundation" ? qqClass.hwnd() : plain.hwnd();
    ASSERT_TRUE(h);
    ::SetWindowTextW(h, c.title);
    ::SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(c.style));
    ::SetWindowLongPtrW(h, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(c.owned ? owner.hwnd() : nullptr));
    ::SetWindowPos(h, nullptr, 0, 0, c.w, c.h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    const WindowFacts f = ReadWindowFacts(h);
    EXPECT_EQ(f.hasParent, c.owned) << c.title;
    EXPECT_EQ(IsChatWindow(h), c.loose) << c.cls << " " << c.title;
    EXPECT_EQ(IsChatWindow(f), c.loose) << c.cls << " " << c.title;
    EXPECT_EQ(CheckQQWin(h, false), c.strict) << c.cls << " " << c.title << " " << c.w;
    EXPECT_EQ(CheckQQWin(f, false), c.strict) << c.cls << " " << c.title << " " << c.w;
  }
}
