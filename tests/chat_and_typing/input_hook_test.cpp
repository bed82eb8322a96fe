// The hook protocol end to end with the real library: this test process plays
// the panel (a window carrying InputHookWindowProc), and the QQ double (or
// another program) is typed into as a user would.
#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/input_hook.h"
#include "foundation/subclass_host.h"
#include "hooklib/shared_state.h"
#include "support/keyboard_input.h"
#include "support/qq_double_process.h"

using namespace foundation;
using testing_support::BringToFront;
using testing_support::PostImeResult;
using testing_support::QqDoubleProcess;
using testing_support::TypeUnicode;

namespace {

constexpr LRESULT kOwnResult = 77;
// Counted on the panel window's thread, which is not always this one.
std::atomic<int> g_ownHookMessages = 0;

// The window's own procedure: it must still see the hook message.
LRESULT CALLBACK PanelProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (InputHookMessage != 0 && m == InputHookMessage) {
    ++g_ownHookMessages;
    return kOwnResult;
  }
  return ::DefWindowProcW(h, m, w, l);
}

HWND CreatePanelWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PanelProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"InputHookTestPanel";
  ::RegisterClassW(&wc);
  // Not shown: the panel need not be in front for the hook to reach it.
  return ::CreateWindowExW(0, wc.lpszClassName, L"panel", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

// A panel whose window and procedure live on a thread of their own, which
// handles no message until Resume; the thread ends with the object.
class HungPanel {
 public:
  HungPanel() {
    thread_ = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
    if (thread_) ::WaitForSingleObject(created_, 5000);
  }
  ~HungPanel() {
    Resume();
    if (thread_) {
      ::PostThreadMessageW(::GetThreadId(thread_), WM_QUIT, 0, 0);
      ::WaitForSingleObject(thread_, 5000);
      ::CloseHandle(thread_);
    }
    ::CloseHandle(resume_);
    ::CloseHandle(created_);
  }
  HungPanel(const HungPanel&) = delete;
  HungPanel& operator=(const HungPanel&) = delete;

  bool Started() const { return window_ != nullptr; }
  // Returns once the window has handled what was sent to it while it stood.
  void Resume() {
    ::SetEvent(resume_);
    DWORD_PTR ignored = 0;
    if (window_) ::SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  }

 private:
  static DWORD WINAPI Run(void* param) {
    auto* self = static_cast<HungPanel*>(param);
    HWND window = CreatePanelWindow();
    StartInputHook(window, HookLibraryPath());
    self->window_ = window;
    ::SetEvent(self->created_);
    ::WaitForSingleObject(self->resume_, INFINITE);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    StopInputHook(window);
    ::DestroyWindow(window);
    return 0;
  }

  HANDLE resume_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE created_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HWND window_ = nullptr;
  HANDLE thread_ = nullptr;
};

class InputHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_ = CreatePanelWindow();
    ASSERT_TRUE(panel_);
    g_ownHookMessages = 0;
    TextConvertMode = ConvertTraditional;
    ConvertSourceChars = L"这个们话k";
    ConvertTargetChars = L"這個*話한";
    MarsAlternatives.clear();
    RndTextOn = false;
  }
  void TearDown() override {
    StopInputHook(panel_);
    InputHookLibrary.Unbind();
    ::DestroyWindow(panel_);
    TextConvertMode = ConvertNone;
  }

  HWND panel_ = nullptr;
};

}  // namespace

TEST_F(InputHookTest, ConvertsTypingInTheQqClient) {
  ASSERT_EQ(::GetACP(), 936u);
  QqDoubleProcess qq;
  ASSERT_TRUE(qq.Start(L"QQ.exe"));
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  StartInputHook(panel_, HookLibraryPath());
  ASSERT_TRUE(InputHookLibrary.IsLoaded());
  EXPECT_EQ(OldInputWndProc, &NextWindowProc);

  TypeUnicode(L"这个们x");
  ASSERT_TRUE(qq.InputBoxHolds(L"這個们x"));
  EXPECT_EQ(g_ownHookMessages, 4) << "each character's message goes on to the window's own procedure";
  // An input method's result is converted once, not again as the WM_CHAR it turns into.
  PostImeResult(qq.input(), L"话");
  ASSERT_TRUE(qq.InputBoxHolds(L"這個们x話"));
  // The text crosses as UTF-16: "한", which code page 936 has no code for,
  // comes back from the panel as it is, both as an answer and as typed.
  TypeUnicode(L"k한");
  ASSERT_TRUE(qq.InputBoxHolds(L"這個们x話한한"));
  // A character typed with Ctrl held passes untouched.
  testing_support::PressKey(VK_CONTROL, false);
  TypeUnicode(L"这");
  testing_support::PressKey(VK_CONTROL, true);
  ASSERT_TRUE(qq.InputBoxHolds(L"這個们x話한한这"));

  TextConvertMode = ConvertMartian;
  MarsAlternatives = {L"甲,甲"};
  TypeUnicode(L"这b");
  ASSERT_TRUE(qq.InputBoxHolds(L"這個们x話한한这甲b"));
  // An empty alternative takes the character away.
  MarsAlternatives = {L","};
  TypeUnicode(L"这c");
  ASSERT_TRUE(qq.InputBoxHolds(L"這個们x話한한这甲bc"));

  TextConvertMode = ConvertNone;
  TypeUnicode(L"这");
  ASSERT_TRUE(qq.InputBoxHolds(L"這個们x話한한这甲bc这"));

  // The hook message answers what the inner procedure answers; others pass.
  EXPECT_EQ(::SendMessageW(panel_, InputHookMessage, 0, 0), kOwnResult);
  EXPECT_EQ(::SendMessageW(panel_, WM_GETTEXTLENGTH, 0, 0), 5);

  TextConvertMode = ConvertTraditional;
  StopInputHook(panel_);
  const int before = g_ownHookMessages;
  TypeUnicode(L"个");
  ASSERT_TRUE(qq.InputBoxHolds(L"這個们x話한한这甲bc这个")) << "the hook is off";
  EXPECT_EQ(g_ownHookMessages, before);
}

TEST_F(InputHookTest, LeavesTypingAloneInAnotherProgram) {
  QqDoubleProcess other;
  ASSERT_TRUE(other.Start(L"OtherChat.exe"));
  ASSERT_TRUE(BringToFront(other.hwnd()));
  StartInputHook(panel_, HookLibraryPath());
  TypeUnicode(L"这个");
  // Posted messages come before key input: the input method's turn comes once the keys are in.
  ASSERT_TRUE(other.InputBoxHolds(L"这个"));
  PostImeResult(other.input(), L"们");
  EXPECT_TRUE(other.InputBoxHolds(L"这个们"));
  EXPECT_EQ(g_ownHookMessages, 0) << "nothing typed there reaches the panel";
  EXPECT_EQ(ConvertTypedText(L"这"), L"这");
}

// The panel's thread stops handling messages: typing goes on as typed, and
// once the panel responds again, conversion comes back.
TEST_F(InputHookTest, AHungPanelLeavesTypingAsTyped) {
  QqDoubleProcess qq;
  ASSERT_TRUE(qq.Start(L"QQ.exe"));
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  HungPanel hung;
  ASSERT_TRUE(hung.Started());

  TypeUnicode(L"这个");
  ASSERT_TRUE(qq.InputBoxHolds(L"这个"));
  PostImeResult(qq.input(), L"话");
  EXPECT_TRUE(qq.InputBoxHolds(L"这个话"));

  hung.Resume();
  TypeUnicode(L"们这");
  EXPECT_TRUE(qq.InputBoxHolds(L"这个话们這"));
}

TEST_F(InputHookTest, ConvertTypedTextFollowsTheForegroundProcess) {
  QqDoubleProcess qq, other;
  ASSERT_TRUE(qq.Start(L"QQ.exe", {L"--title", L"张三"}));
  ASSERT_TRUE(other.Start(L"OtherChat.exe"));
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  EXPECT_EQ(ConvertTypedText(L"这个"), L"這個");
  TextConvertMode = 7;
  EXPECT_EQ(ConvertTypedText(L"这个"), L"这个") << "an unknown mode converts nothing";
  TextConvertMode = ConvertTraditional;
  ASSERT_TRUE(BringToFront(other.hwnd()));
  EXPECT_EQ(ConvertTypedText(L"这个"), L"这个");
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  EXPECT_EQ(ConvertTypedText(L"这个"), L"這個");
}

TEST_F(InputHookTest, MissingLibraryOrExportsSkipTheirSteps) {
  // A library without the five functions: every call is skipped.
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  StartInputHook(panel_, std::wstring(system) + L"\\kernel32.dll");
  ASSERT_TRUE(InputHookLibrary.IsLoaded());
  EXPECT_FALSE(InputHookLibrary.CanSetPubString());
  EXPECT_EQ(::SendMessageW(panel_, InputHookMessage, 0, 0), kOwnResult);
  StopInputHook(panel_);
  InputHookLibrary.Unbind();

  StartInputHook(panel_, AppPath() + L"no_such_hook_library.dll");
  EXPECT_FALSE(InputHookLibrary.IsLoaded());
  EXPECT_NE(InputHookMessage, 0u);
  EXPECT_EQ(::SendMessageW(panel_, InputHookMessage, 0, 0), kOwnResult);
  EXPECT_EQ(g_ownHookMessages, 2);
  StopInputHook(panel_);
}

// The library's two pairs of text functions over one shared block: this
// process plays the typing process on the block and the panel through the
// library, with no hook on. The cp1252 run shows a system whose code page
// holds no Chinese.
namespace {

class PubStrings : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library_.Bind());
    library_.StartHook(nullptr);  // makes the session's block
    const HMODULE module = ::GetModuleHandleW(kHookLibraryFileName);
    getAnsi_ = reinterpret_cast<DllGetPubStringFn>(::GetProcAddress(module, kDllGetPubString));
    setAnsi_ = reinterpret_cast<DllSetPubStringFn>(::GetProcAddress(module, kDllSetPubString));
    ASSERT_TRUE(getAnsi_ && setAnsi_);
    ASSERT_TRUE(typist_.Open());
    ASSERT_TRUE(typist_.WithBlock([](hooklib::SharedBlock& b) { hooklib::TakeOver(b, 1, 1, 1); }));
  }
  void TearDown() override {
    library_.StopHook();
    library_.Unbind();
  }

  // One exchange as a typing process goes through it; panel() stands for the
  // panel handling the library's message. The answer, if the panel gave one.
  template <class Fn>
  std::optional<std::wstring> RoundTrip(std::wstring_view typed, Fn panel) {
    bool begun = false;
    typist_.WithBlock([&](hooklib::SharedBlock& b) { begun = hooklib::BeginExchange(b, typed); });
    if (!begun) return L"<not begun>";
    panel();
    std::optional<std::wstring> answer;
    typist_.WithBlock([&](hooklib::SharedBlock& b) { answer = hooklib::EndExchange(b, true); });
    return answer;
  }

  std::string GetAnsi() const {
    const BSTR text = getAnsi_();
    std::string bytes(reinterpret_cast<const char*>(text), ::SysStringByteLen(text));
    ::SysFreeString(text);
    return bytes;
  }

  HookLibrary library_;
  DllGetPubStringFn getAnsi_ = nullptr;
  DllSetPubStringFn setAnsi_ = nullptr;
  hooklib::SharedState typist_;
};

}  // namespace

TEST_F(PubStrings, ThePanelsPairCarriesAnyText) {
  // Chinese, Korean and a character of two UTF-16 units: no code page holds all.
  const std::wstring typed = L"简体k한\U00020000", converted = L"簡體K한\U00020000";
  std::wstring read;
  EXPECT_EQ(RoundTrip(typed,
                      [&] {
                        ASSERT_TRUE(library_.GetPubString(&read));
                        ASSERT_TRUE(library_.SetPubString(converted));
                      }),
            converted);
  EXPECT_EQ(read, typed);
}

TEST_F(PubStrings, TheAnsiPairCarriesWhatTheCodePageHolds) {
  std::string read;
  EXPECT_EQ(RoundTrip(L"abc",
                      [&] {
                        read = GetAnsi();
                        setAnsi_("ABC");
                      }),
            L"ABC");
  EXPECT_EQ(read, "abc");

  const bool chineseCodePage = ::GetACP() == 936;
  const std::optional<std::wstring> answer = RoundTrip(L"简体", [&] {
    read = GetAnsi();
    setAnsi_(chineseCodePage ? ToAnsi(L"簡體").c_str() : "??");
  });
  if (chineseCodePage) {
    EXPECT_EQ(FromAnsi(read), L"简体");
    EXPECT_EQ(answer, L"簡體");
  } else {
    EXPECT_EQ(read, "");
    EXPECT_EQ(answer, std::nullopt) << "text the code page can't hold stays as typed";
  }
  EXPECT_EQ(RoundTrip(L"한",
                      [&] {
                        read = GetAnsi();
                        setAnsi_("?");
                      }),
            std::nullopt);
  EXPECT_EQ(read, "");

  // An ANSI answer is cut to the 512 bytes it always had.
  EXPECT_EQ(RoundTrip(L"a",
                      [&] {
                        GetAnsi();
                        setAnsi_(std::string(600, 'x').c_str());
                      }),
            std::wstring(512, L'x'));
}
