// Typed-text conversion end to end: the panel with the hook library beside
// it, and the QQ double (or another program) typed into as a user would, with
// key strokes and with an input method's result.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "foundation/ansi_text.h"
#include "support/keyboard_input.h"
#include "support/panel_process.h"
#include "support/qq_double_process.h"

using namespace testing_support;
using foundation::FromUtf8;
using foundation::ToUtf8;

namespace {

constexpr DWORD kTypingWaitMs = 10000;
constexpr wchar_t kLibrary[] = L"ostrelkit.dll";

void PutTextOnClipboard(const std::wstring& text) {
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(::OpenClipboard(owner));
  ::EmptyClipboard();
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(::GlobalLock(h)));
  ::GlobalUnlock(h);
  ::SetClipboardData(CF_UNICODETEXT, h);
  ::CloseClipboard();
  ::DestroyWindow(owner);
}

class PanelTyping : public ::testing::Test {
 protected:
  // The chat double, then the panel with the library and these options, then
  // the double in front with its input box focused.
  void Start(const std::string& options, const wchar_t* chatExe = L"QQ.exe") {
    ASSERT_TRUE(qq_.Start(chatExe));
    panel_.AddHookLibrary();
    panel_.WriteConfig("[Config]\r\nFirst=1\r\n" + options);
    ASSERT_TRUE(panel_.Start());
    ASSERT_TRUE(BringToFront(qq_.hwnd()));
  }

  // Presses Enter; what the box sent ("<nothing sent>" when it sent nothing).
  std::wstring Send() const {
    const size_t before = qq_.ValuesAfter("send text=").size();
    TapKey(VK_RETURN);
    if (!PanelProcess::WaitFor([&] { return qq_.ValuesAfter("send text=").size() > before; }, kTypingWaitMs))
      return L"<nothing sent>";
    return FromUtf8(qq_.ValuesAfter("send text=")[before]);
  }

  QqDoubleProcess qq_;
  PanelProcess panel_;
};

// Whether text is the typed characters, each followed by at most one decoration.
bool DecoratedForm(const std::wstring& text, const std::wstring& bases, const std::wstring& decorations,
                   int* decorated) {
  size_t i = 0;
  *decorated = 0;
  for (wchar_t base : bases) {
    if (i >= text.size() || text[i++] != base) return false;
    if (i < text.size() && decorations.find(text[i]) != std::wstring::npos) {
      ++i;
      ++*decorated;
    }
  }
  return i == text.size();
}

}  // namespace

TEST_F(PanelTyping, SimplifiedModeLeavesTheTextAsTyped) {
  Start("Input=0\r\n");
  TypeUnicode(L"这个们ab");
  ASSERT_TRUE(qq_.InputBoxHolds(L"这个们ab"));
  PostImeResult(qq_.input(), L"话说");
  EXPECT_EQ(Send(), L"这个们ab话说");
}

TEST_F(PanelTyping, TraditionalModeConvertsAndEditingKeysKeepWorking) {
  Start("Input=1\r\n");
  TypeUnicode(L"这个");
  ASSERT_TRUE(qq_.InputBoxHolds(L"這個"));
  TapKey(VK_BACK);
  ASSERT_TRUE(qq_.InputBoxHolds(L"這"));
  // An input method's result; posted messages come before key input, so it
  // goes only once the keys are in.
  PostImeResult(qq_.input(), L"们话");
  ASSERT_TRUE(qq_.InputBoxHolds(L"這們話"));
  // Pasted text is not typed: it stays as it is.
  PutTextOnClipboard(L"说");
  TapWithCtrl('V');
  ASSERT_TRUE(qq_.InputBoxHolds(L"這們話说"));
  // Letters are in the table with "*": kept.
  TypeUnicode(L"ab");
  EXPECT_EQ(Send(), L"這們話说ab");
}

TEST_F(PanelTyping, MartianModeGivesOneOfTheAlternatives) {
  Start("Input=2\r\nRndText=0\r\n");
  // From the shipped tables: 个 -> 個,箇; a -> α,а,ａ,@; 我 is not in them.
  TypeUnicode(L"个a我");
  const std::wstring sent = Send();
  ASSERT_EQ(sent.size(), 3u) << ToUtf8(sent);
  EXPECT_NE(std::wstring(L"個箇").find(sent[0]), std::wstring::npos) << ToUtf8(sent);
  EXPECT_NE(std::wstring(L"αаａ@").find(sent[1]), std::wstring::npos) << ToUtf8(sent);
  EXPECT_EQ(sent[2], L'我');
  PostImeResult(qq_.input(), L"这");
  EXPECT_EQ(Send(), L"這") << "a single alternative";
}

TEST_F(PanelTyping, MartianDecorationsFollowTheCharacters) {
  Start("Input=2\r\nRndText=1\r\nRndValue=100\r\n");
  const std::wstring decorations = L"★☆※◎○●◇◆□■△▲♀♂～＊＃＠§№";
  TypeUnicode(L"我你好们");
  const std::wstring sent = Send();
  int decorated = 0;
  EXPECT_TRUE(DecoratedForm(sent, L"我你好們", decorations, &decorated)) << ToUtf8(sent);
  // With RndValue 100 a character misses its decoration only rarely.
  EXPECT_GE(decorated, 1) << ToUtf8(sent);
}

TEST_F(PanelTyping, AnotherProgramIsNeverTouched) {
  Start("Input=1\r\n", L"OtherChat.exe");
  TypeUnicode(L"这个");
  ASSERT_TRUE(qq_.InputBoxHolds(L"这个"));
  PostImeResult(qq_.input(), L"们");
  EXPECT_EQ(Send(), L"这个们");
  EXPECT_TRUE(ProcessHasModule(qq_.pid(), kLibrary)) << "the hook reached the process and let it be";
}

TEST_F(PanelTyping, AConversionLongerThanTheSharedTextIsCutOnAWholeCharacter) {
  // 这 becomes "a" and 300 double-byte characters: 601 bytes, past the 512 the library carries.
  ASSERT_TRUE(panel_.EditDatabase("UPDATE BTZ SET Text='这' WHERE id=1;"
                                  "UPDATE BTZ SET Text='a' || replace(hex(zeroblob(300)), '00', '乙') WHERE id=4;"));
  Start("Input=2\r\nRndText=0\r\n");
  TypeUnicode(L"这");
  EXPECT_TRUE(qq_.InputBoxHolds(L"a" + std::wstring(255, L'乙')));
}

TEST_F(PanelTyping, AfterThePanelExitsTypingIsLeftAloneAndTheLibraryIsGone) {
  Start("Input=1\r\n");
  TypeUnicode(L"这");
  ASSERT_TRUE(qq_.InputBoxHolds(L"這"));
  ASSERT_TRUE(ProcessHasModule(qq_.pid(), kLibrary));
  panel_.Close();
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return !ProcessHasModule(qq_.pid(), kLibrary); }, kTypingWaitMs));
  TypeUnicode(L"这");
  EXPECT_TRUE(qq_.InputBoxHolds(L"這这"));
}
