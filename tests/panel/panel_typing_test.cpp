// Typed-text conversion end to end: the panel with the hook library beside
// it, and the QQ double (or another program) typed into as a user would, with
// key strokes and with an input method's result.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/ansi_text.h"
#include "foundation/handles.h"
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

// Sends the double a message at a time until the library is among its
// modules (a hook loads it at its first call there): a hook put on a client
// that starts later arrives a moment after the client's window, whose
// creation the library learns of from a posted event.
::testing::AssertionResult HookArrives(const QqDoubleProcess& qq, const std::wstring& library = kLibrary) {
  const bool arrived = PanelProcess::WaitFor(
      [&] {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(qq.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored);
        return ProcessHasModule(qq.pid(), library.c_str());
      },
      kTypingWaitMs);
  if (arrived) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << ToUtf8(library) << " never came into the client";
}

// Holds a window's thread stopped, as a busy or hung program's would be,
// for the object's life.
class StoppedWindowThread {
 public:
  explicit StoppedWindowThread(HWND window)
      : thread_(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, ::GetWindowThreadProcessId(window, nullptr))) {
    stopped_ = thread_ && ::SuspendThread(thread_.get()) != static_cast<DWORD>(-1);
  }
  ~StoppedWindowThread() {
    if (stopped_) ::ResumeThread(thread_.get());
  }
  explicit operator bool() const { return stopped_; }

 private:
  foundation::UniqueKernelHandle thread_;
  bool stopped_ = false;
};

void StartPanel(PanelProcess& panel, const std::string& options) {
  panel.AddHookLibrary();
  panel.WriteConfig("[Config]\r\nFirst=1\r\n" + options);
  ASSERT_TRUE(panel.Start());
}

class PanelTyping : public ::testing::Test {
 protected:
  // The chat double, then the panel with the library and these options, then
  // the double in front with its input box focused.
  void Start(const std::string& options, const wchar_t* chatExe = L"QQ.exe",
             const std::vector<std::wstring>& chatArgs = {}) {
    ASSERT_TRUE(qq_.Start(chatExe, chatArgs));
    StartPanel(panel_, options);
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

// Also run where the language for non-Unicode programs is not Chinese (the
// cp1252 run): the text reaches the panel and comes back as UTF-16.
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
  ASSERT_TRUE(qq_.InputBoxHolds(L"這們話说ab"));
  TypeUnicode(L"简体");
  ASSERT_TRUE(qq_.InputBoxHolds(L"這們話说ab簡體"));
  PostImeResult(qq_.input(), L"中文");
  EXPECT_EQ(Send(), L"這們話说ab簡體中文");
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
  // A name that holds the client's name is still another program.
  Start("Input=1\r\n", L"NotQQ.exe");
  TypeUnicode(L"这个");
  ASSERT_TRUE(qq_.InputBoxHolds(L"这个"));
  PostImeResult(qq_.input(), L"们");
  EXPECT_EQ(Send(), L"这个们");
  EXPECT_FALSE(ProcessHasModule(qq_.pid(), kLibrary)) << "the library never entered the process";
}

TEST_F(PanelTyping, AClientStartedAfterThePanelIsConverted) {
  StartPanel(panel_, "Input=1\r\n");
  ASSERT_TRUE(qq_.Start(L"QQ.exe"));
  ASSERT_TRUE(HookArrives(qq_));
  ASSERT_TRUE(BringToFront(qq_.hwnd()));
  TypeUnicode(L"这个");
  EXPECT_TRUE(qq_.InputBoxHolds(L"這個"));
}

TEST_F(PanelTyping, TwoClientsTypingAtOnceGetEachTheirOwnText) {
  QqDoubleProcess second;
  ASSERT_TRUE(second.Start(L"QQ.exe", {L"--inactive", L"--x", L"650"}));
  Start("Input=1\r\n");
  // Both input queues fill at once, and both clients ask the panel at once.
  const std::wstring first = L"这个们话这个们话这个们话", other = L"话们个这话们个这话们个这";
  for (size_t i = 0; i < first.size(); ++i) {
    PostImeResult(qq_.input(), first.substr(i, 1));
    PostImeResult(second.input(), other.substr(i, 1));
  }
  EXPECT_TRUE(qq_.InputBoxHolds(L"這個們話這個們話這個們話"));
  EXPECT_TRUE(second.InputBoxHolds(L"話們個這話們個這話們個這"));
}

// The first panel switched on holds the hooks and gets the typed text; the
// second waits, and takes over when the first goes, closed or killed.
class TwoPanelsTyping : public PanelTyping {
 protected:
  void StartBoth() {
    Start("Input=1\r\n");  // "a" is kept
    StartPanel(second_, "Input=2\r\nRndText=0\r\n");  // "a" becomes one of its alternatives
    // The first panel's window thread is busy for a moment (about 2 s here)
    // while the second starts; text typed meanwhile would stay as typed.
    panel_.Send(WM_NULL, 0, 0);
  }

  // Waits for the second panel's hooks, then types "a": what the box sends.
  std::wstring TypeOnceTheSecondTookOver() {
    if (!HookArrives(qq_, second_.folder() + kLibrary) || !BringToFront(qq_.hwnd())) return L"<no take-over>";
    TypeUnicode(L"a");
    return Send();
  }

  static bool IsAlternativeOfA(wchar_t c) { return std::wstring(L"αаａ@").find(c) != std::wstring::npos; }

  PanelProcess second_;
};

TEST_F(TwoPanelsTyping, ClosingTheFirstLeavesTheSecondConverting) {
  StartBoth();
  ASSERT_TRUE(BringToFront(qq_.hwnd()));
  TypeUnicode(L"a这");
  ASSERT_TRUE(qq_.InputBoxHolds(L"a這"));
  EXPECT_FALSE(ProcessHasModule(qq_.pid(), (second_.folder() + kLibrary).c_str())) << "one panel's hooks at a time";

  panel_.Close();
  const std::wstring sent = TypeOnceTheSecondTookOver();
  ASSERT_EQ(sent.size(), 3u) << ToUtf8(sent);
  EXPECT_EQ(sent.substr(0, 2), L"a這");
  EXPECT_TRUE(IsAlternativeOfA(sent[2])) << ToUtf8(sent);
}

TEST_F(TwoPanelsTyping, KillingTheFirstLeavesTheSecondConverting) {
  StartBoth();
  panel_.Kill();
  const std::wstring sent = TypeOnceTheSecondTookOver();
  ASSERT_EQ(sent.size(), 1u) << ToUtf8(sent);
  EXPECT_TRUE(IsAlternativeOfA(sent[0])) << ToUtf8(sent);
}

TEST_F(PanelTyping, AKilledPanelLeavesTypingAsTypedAndTheClientRunning) {
  Start("Input=1\r\n");
  TypeUnicode(L"这");
  ASSERT_TRUE(qq_.InputBoxHolds(L"這"));
  panel_.Kill();
  TypeUnicode(L"这");
  EXPECT_TRUE(qq_.InputBoxHolds(L"這这"));
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return !ProcessHasModule(qq_.pid(), kLibrary); }, kTypingWaitMs));
  TypeUnicode(L"个");
  EXPECT_TRUE(qq_.InputBoxHolds(L"這这个"));
}

TEST_F(PanelTyping, ABusyPanelLeavesTypingAsTypedWithoutStallingTheClient) {
  Start("Input=1\r\n");
  TypeUnicode(L"这");
  ASSERT_TRUE(qq_.InputBoxHolds(L"這"));
  // Each character converts, so text that waited for the panel would show.
  const std::wstring typed = L"这个们话这个们话这个";
  {
    const StoppedWindowThread busy(panel_.Window());
    ASSERT_TRUE(busy);
    const DWORD start = ::GetTickCount();
    TypeUnicode(typed);
    ASSERT_TRUE(qq_.InputBoxHolds(L"這" + typed));
    // The first character waits for the panel (up to a second), the others
    // not at all. Asked again for each character, the panel would hold the
    // ten for well over two and a half seconds.
    EXPECT_LE(::GetTickCount() - start, 2500u);
  }
  // Returns once the panel has handled what was sent to it while it stood.
  panel_.Send(WM_NULL, 0, 0);
  TypeUnicode(L"这");
  EXPECT_TRUE(qq_.InputBoxHolds(L"這" + typed + L"這"));
}

TEST_F(PanelTyping, AConversionLongerThanTheSharedTextIsCutOnAWholeCharacter) {
  // 这 becomes "a", 510 乙 and two characters of two UTF-16 units each: 515
  // units, past the 512 the library carries, and the first pair would straddle it.
  ASSERT_TRUE(panel_.EditDatabase("UPDATE BTZ SET Text='这' WHERE id=1;"
                                  "UPDATE BTZ SET Text='a' || replace(hex(zeroblob(510)), '00', '乙') || "
                                  "'\U00020000\U00020000' WHERE id=4;"));
  Start("Input=2\r\nRndText=0\r\n");
  TypeUnicode(L"这");
  EXPECT_TRUE(qq_.InputBoxHolds(L"a" + std::wstring(510, L'乙')));
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

// An input method's result, made through the system's input method: a rich
// edit box takes it from the input context itself, a plain box leaves it to
// DefWindowProc, which makes characters of it. The tables turn 这 into 个 and
// 个 into 们, so a second conversion would show.
class InputMethodTyping : public PanelTyping {
 protected:
  void StartWithBox(const std::vector<std::wstring>& chatArgs) {
    ASSERT_TRUE(panel_.EditDatabase("UPDATE BTZ SET Text='这个' WHERE id=1; UPDATE BTZ SET Text='个们' WHERE id=2;"));
    Start("Input=1\r\n", L"QQ.exe", chatArgs);
    // The result comes at once, in one piece: the panel must be past its
    // start-up, or it may leave the result unanswered, and so as composed.
    panel_.Send(WM_NULL, 0, 0);
  }
};

TEST_F(InputMethodTyping, ARichEditBoxThatTakesTheResultItselfGetsItConverted) {
  StartWithBox({L"--rich-input"});
  qq_.Compose(L"这这");
  EXPECT_TRUE(qq_.InputBoxHolds(L"个个"));
  TypeUnicode(L"这");
  EXPECT_TRUE(qq_.InputBoxHolds(L"个个个"));
}

TEST_F(InputMethodTyping, APlainBoxGetsTheResultConvertedOnce) {
  StartWithBox({});
  qq_.Compose(L"这这");
  EXPECT_TRUE(qq_.InputBoxHolds(L"个个"));
}
