// Decision tables of the two chat-window tests over plain window facts.
#include <windows.h>

#include <gtest/gtest.h>

#include "foundation/ansi_text.h"
#include "foundation/core/chat_window_list.h"
#include "foundation/core/chat_window_tests.h"

using namespace foundation;

namespace {

constexpr std::uint32_t kChatStyle = 0x960F0000;  // the client's chat window

WindowFacts ChatFacts() {
  WindowFacts f;
  f.className = L"TXGuiFoundation";
  f.title = L"张三 - 交谈中";
  f.left = 100;
  f.top = 50;
  f.right = 600;
  f.bottom = 550;
  f.style = kChatStyle;
  return f;
}

WindowFacts Sized(WindowFacts f, int width, int height) {
  f.right = f.left + width;
  f.bottom = f.top + height;
  return f;
}

}  // namespace

TEST(StyleText, OrderSharedBitsAndAnyBitMasks) {
  const std::wstring required(kChatWindowStyleText);
  EXPECT_EQ(GetStyleText(0x160F0000), required + L" ");
  // An ordinary captioned window: the dialog frame lands between two required names.
  EXPECT_EQ(GetStyleText(0x16CF0000),
            L"WS_BORDER WS_CAPTION WS_CLIPCHILDREN WS_CLIPSIBLINGS WS_DLGFRAME WS_GROUP WS_MAXIMIZEBOX "
            L"WS_MINIMIZEBOX WS_SYSMENU WS_POPUPWINDOW WS_TABSTOP WS_THICKFRAME WS_VISIBLE ");
  EXPECT_NE(GetStyleText(0x16CF0000).find(L"WS_CLIPSIBLINGS WS_DLGFRAME WS_GROUP"), std::wstring::npos);
  EXPECT_NE(GetStyleText(0x168F0000).find(required), std::wstring::npos);
  // A border alone counts as a caption; a system menu alone as a popup window.
  EXPECT_EQ(GetStyleText(0x00800000), L"WS_BORDER WS_CAPTION WS_POPUPWINDOW ");
  EXPECT_EQ(GetStyleText(0x00080000), L"WS_SYSMENU WS_POPUPWINDOW ");
  EXPECT_EQ(GetStyleText(0x80000000), L"WS_POPUPWINDOW ");
  EXPECT_EQ(GetStyleText(0x40000000 | 0x00200000), L"WS_CHILD WS_VSCROLL ");
  EXPECT_EQ(GetStyleText(0), L"");
}

TEST(ChatWindowDecision, StrictTestA) {
  EXPECT_TRUE(CheckQQWin(ChatFacts(), false));

  WindowFacts noWord = ChatFacts();
  noWord.title = L"张三";
  EXPECT_TRUE(CheckQQWin(noWord, false)) << "test A needs no chat word";
  EXPECT_TRUE(CheckQQWin(Sized(noWord, 301, 101), false));
  EXPECT_FALSE(CheckQQWin(Sized(noWord, 300, 101), false)) << "300 wide is refused";
  EXPECT_FALSE(CheckQQWin(Sized(noWord, 301, 100), false)) << "100 high is refused";
  // A rectangle whose width overflows 32 bits is not "wide".
  WindowFacts huge = noWord;
  huge.left = INT32_MIN;
  huge.right = INT32_MAX;
  EXPECT_TRUE(CheckQQWin(huge, false));
  huge.left = INT32_MAX;
  huge.right = INT32_MIN;
  EXPECT_FALSE(CheckQQWin(huge, false));

  WindowFacts lowerClass = noWord;
  lowerClass.className = L"xx_txguifoundation_yy";
  EXPECT_TRUE(CheckQQWin(lowerClass, false)) << "class contained, case ignored";
  WindowFacts otherClass = noWord;
  otherClass.className = L"TXGuiFoundatio";
  EXPECT_FALSE(CheckQQWin(otherClass, false));

  for (std::uint32_t style : {0x16CF0000u, 0x960F0000u | 0x00400000u, 0x960F0000u | 0x00100000u, 0x960E0000u,
                              0x86070000u, 0x960B0000u, 0x920F0000u}) {
    WindowFacts f = noWord;
    f.style = style;
    EXPECT_FALSE(CheckQQWin(f, false)) << std::hex << style;
  }
  for (std::uint32_t style : {0x160F0000u, 0x168F0000u, 0x960F0000u | 0x00200000u | 0x40000000u}) {
    WindowFacts f = noWord;
    f.style = style;
    EXPECT_TRUE(CheckQQWin(f, false)) << std::hex << style;
  }
}

TEST(ChatWindowDecision, ExcludedTitlesFallBackToChatWords) {
  for (const wchar_t* title : {L"QQ2009 Preview", L"qq2009 preview 1", L"消息管理器", L"x消息管理器y"}) {
    WindowFacts f = ChatFacts();
    f.title = title;
    EXPECT_FALSE(CheckQQWin(f, false)) << title;
    EXPECT_TRUE(IsChatWindow(f)) << "the loose test asks only for the class";
  }
  WindowFacts both = ChatFacts();
  both.title = L"消息管理器 交谈中";
  EXPECT_TRUE(CheckQQWin(both, false)) << "test B accepts the chat word";
  both.hasParent = true;
  EXPECT_FALSE(CheckQQWin(both, false));
}

TEST(ChatWindowDecision, ChatWordsWithAndWithoutParent) {
  const wchar_t* words[] = {L"高级群", L" \xFF0D 群", L"正在输入", L"交谈中", L"发送消息", L"聊天中"};
  for (const wchar_t* word : words) {
    WindowFacts f;
    f.className = L"Notepad";
    f.title = std::wstring(L"李四") + word;
    f.style = 0x14CF0000;
    EXPECT_TRUE(IsChatWindow(f)) << f.title;
    EXPECT_TRUE(CheckQQWin(f, false)) << f.title;
    // Tiny and captioned: only test B can pass it.
    EXPECT_TRUE(CheckQQWin(Sized(f, 10, 10), false)) << f.title;
    f.hasParent = true;
    EXPECT_FALSE(IsChatWindow(f)) << f.title;
    EXPECT_FALSE(CheckQQWin(f, false)) << f.title;
  }
  // Exact comparison: an ASCII hyphen or a missing blank is another word.
  for (const wchar_t* nearMiss : {L"同学 - 群", L"同学 \xFF0D群", L"交 谈中", L"聊天"}) {
    WindowFacts f;
    f.className = L"Notepad";
    f.title = nearMiss;
    EXPECT_FALSE(IsChatWindow(f)) << nearMiss;
    EXPECT_FALSE(CheckQQWin(f, false)) << nearMiss;
  }
  // A QQ window with a parent still passes the loose test (class only) and test A.
  WindowFacts child = ChatFacts();
  child.hasParent = true;
  child.title = L"";
  EXPECT_TRUE(IsChatWindow(child));
  EXPECT_TRUE(CheckQQWin(child, false));
  WindowFacts narrowChild = Sized(child, 300, 500);
  EXPECT_FALSE(CheckQQWin(narrowChild, false));
}

TEST(ChatWindowDecision, StandAloneModeRefusesEverything) {
  WindowFacts other;
  other.className = L"Edit";
  other.title = L"交谈中";
  EXPECT_FALSE(CheckQQWin(ChatFacts(), true));
  EXPECT_FALSE(CheckQQWin(other, true));
  EXPECT_TRUE(IsChatWindow(other)) << "the loose test knows no mode";
}

TEST(ChatWindowDecision, EmptyFactsOfADestroyedWindow) {
  WindowFacts gone;
  EXPECT_FALSE(IsChatWindow(gone));
  EXPECT_FALSE(CheckQQWin(gone, false));
}

// Code page 936: a Chinese character takes two bytes of the 25.
TEST(TestedTitle, ChatWordBeyondTheCutIsNotSeen) {
  ASSERT_EQ(::GetACP(), 936u);
  // 11 characters (22 bytes), then the chat word: only its first character fits.
  const std::wstring late = L"一二三四五六七八九十百交谈中";
  EXPECT_EQ(PrefixFittingAnsiBytes(late, kTestedTitleBytes), L"一二三四五六七八九十百交");
  WindowFacts f;
  f.className = L"Edit";
  f.title = PrefixFittingAnsiBytes(late, kTestedTitleBytes);
  EXPECT_FALSE(IsChatWindow(f));
  // Ten characters and the word: 26 bytes, the word's last character is cut.
  f.title = PrefixFittingAnsiBytes(L"一二三四五六七八九十交谈中", kTestedTitleBytes);
  EXPECT_FALSE(IsChatWindow(f));
  // Nine characters and the word: 24 bytes, all in.
  f.title = PrefixFittingAnsiBytes(L"一二三四五六七八九交谈中", kTestedTitleBytes);
  EXPECT_TRUE(IsChatWindow(f));
  // An ASCII prefix of 19 bytes leaves room for the 6-byte word.
  f.title = PrefixFittingAnsiBytes(L"0123456789abcdefghi交谈中", kTestedTitleBytes);
  EXPECT_TRUE(IsChatWindow(f));
  f.title = PrefixFittingAnsiBytes(L"0123456789abcdefghij交谈中", kTestedTitleBytes);
  EXPECT_FALSE(IsChatWindow(f));
}

TEST(ChatWindowListCore, KeysIndexesAndRemoval) {
  ChatWindowList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(ChatWindowList::KeyFor(-5), L"ID:-5");
  EXPECT_TRUE(list.Add(ChatWindowList::KeyFor(100), L"a", L"100"));
  EXPECT_TRUE(list.Add(ChatWindowList::KeyFor(-2147483647 - 1), L"b", L"-2147483648"));
  EXPECT_FALSE(list.Add(ChatWindowList::KeyFor(100), L"again", L"100")) << "no key twice";
  EXPECT_TRUE(list.Add(L"ID:0100", L"odd key", L"7"));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.IndexOfKey(L"ID:100"), 1);
  EXPECT_EQ(list.IndexOfHandle(100), 1) << "ID:0100 is not the key of handle 100";
  EXPECT_EQ(list.IndexOfHandle(INT32_MIN), 2);
  EXPECT_EQ(list.IndexOfKey(L"ID:0100"), 3);
  EXPECT_EQ(list.IndexOfKey(L"id:100"), 0);
  EXPECT_EQ(list.IndexOfHandle(7), 0);
  list.Remove(0);
  list.Remove(4);
  EXPECT_EQ(list.Count(), 3);
  list.Remove(1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.IndexOfHandle(INT32_MIN), 1);
  EXPECT_EQ(list.Item(1).text, L"b");
  EXPECT_EQ(list.Item(1).handleText, L"-2147483648");
}

TEST(ChatWindowListCore, HandleTextRoundTrip) {
  std::int32_t v = 1;
  EXPECT_TRUE(TextToInt32(L"-2147483648", &v));
  EXPECT_EQ(v, INT32_MIN);
  EXPECT_TRUE(TextToInt32(L"2147483647", &v));
  EXPECT_EQ(v, INT32_MAX);
  EXPECT_EQ(Int32ToText(-123456), L"-123456");
  for (const wchar_t* bad : {L"", L"-", L"2147483648", L"-2147483649", L"12a", L" 12", L"+5", L"99999999999"}) {
    EXPECT_FALSE(TextToInt32(bad, &v)) << bad;
    EXPECT_EQ(v, 0);
  }
}

TEST(ChatWindowListCore, ClassMemoForgetsHandlesNotSeenInAPass) {
  WindowClassMemo memo;
  memo.Remember(1, true);
  EXPECT_EQ(memo.Find(1), -1) << "nothing is kept outside a pass";
  memo.BeginPass();
  memo.Remember(1, true);
  memo.Remember(2, false);
  EXPECT_EQ(memo.Find(1), 1);
  EXPECT_EQ(memo.Find(2), 0);
  EXPECT_EQ(memo.Find(3), -1);
  memo.EndPass();
  memo.BeginPass();
  EXPECT_EQ(memo.Find(2), 0);  // seen again
  memo.EndPass();
  EXPECT_EQ(memo.size(), 1u) << "handle 1 was not seen in the second pass";
  memo.BeginPass();
  EXPECT_EQ(memo.Find(1), -1);
  EXPECT_EQ(memo.Find(2), 0);
  memo.EndPass();
}
