// The hook protocol end to end: the stand-in library sends its message from a
// thread of its own to a window carrying InputHookWindowProc, with the QQ
// double (or another program) in front.
#include <gtest/gtest.h>

#include <string>

#include "foundation/ansi_text.h"
#include "foundation/input_hook.h"
#include "foundation/subclass_host.h"
#include "support/qq_double_process.h"

using namespace foundation;
using testing_support::BringToFront;
using testing_support::QqDoubleProcess;

namespace {

using TypeTextFn = int(WINAPI*)(const char*, int, char*, int);
using CallsFn = const char*(WINAPI*)();
using AnswerNullFn = void(WINAPI*)(int);
using ResetFn = void(WINAPI*)();

constexpr LRESULT kOwnResult = 77;
int g_ownHookMessages = 0;

// The window's own procedure: it must still see the hook message.
LRESULT CALLBACK PanelProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (InputHookMessage != 0 && m == InputHookMessage) {
    ++g_ownHookMessages;
    return kOwnResult;
  }
  return ::DefWindowProcW(h, m, w, l);
}

class InputHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"InputHookTestPanel";
    ::RegisterClassW(&wc);
    // Not shown: the panel need not be in front for the hook to reach it.
    panel_ = ::CreateWindowExW(0, wc.lpszClassName, L"panel", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                               wc.hInstance, nullptr);
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

  // Loads the stand-in under its own name and finds its test controls.
  void StartWith(const wchar_t* library) {
    StartInputHook(panel_, library);
    HMODULE m = ::GetModuleHandleW(library);
    if (!m) return;
    typeText_ = reinterpret_cast<TypeTextFn>(::GetProcAddress(m, "FakeHookTypeText"));
    calls_ = reinterpret_cast<CallsFn>(::GetProcAddress(m, "FakeHookCalls"));
    answerNull_ = reinterpret_cast<AnswerNullFn>(::GetProcAddress(m, "FakeHookAnswerNull"));
  }

  // What the library holds after the panel handled its message.
  std::wstring Type(const std::string& ansiBytes) {
    char out[512];
    const int n = typeText_(ansiBytes.data(), static_cast<int>(ansiBytes.size()), out, sizeof(out));
    EXPECT_GE(n, 0) << "the stand-in sent nothing";
    return n < 0 ? L"<not sent>" : FromAnsi(std::string(out, static_cast<size_t>(n)));
  }

  HWND panel_ = nullptr;
  TypeTextFn typeText_ = nullptr;
  CallsFn calls_ = nullptr;
  AnswerNullFn answerNull_ = nullptr;
};

}  // namespace

TEST_F(InputHookTest, ConvertsTypingWhileTheQqClientIsInFront) {
  ASSERT_EQ(::GetACP(), 936u);
  QqDoubleProcess qq;
  ASSERT_TRUE(qq.Start(L"QQ.exe"));
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  StartWith(L"hook_standin.dll");
  ASSERT_TRUE(typeText_ && calls_);
  // The order the library relies on: started with the window, switched on
  // only once the window procedure is in place.
  EXPECT_STREQ(calls_(), "start;state(-1);");
  EXPECT_EQ(OldInputWndProc, &NextWindowProc);

  EXPECT_EQ(Type(ToAnsi(L"这个们x话")), L"這個们x話");
  EXPECT_EQ(g_ownHookMessages, 1) << "the message goes on to the window's own procedure";
  // "한" has no code in page 936: it goes back to the library as "?".
  EXPECT_EQ(Type("k"), L"?");
  // NUL characters from the library are removed before the conversion.
  EXPECT_EQ(Type(std::string("\xd5\xe2\0a\0", 5)), L"這a");

  TextConvertMode = ConvertMartian;
  MarsAlternatives = {L"甲,甲"};
  EXPECT_EQ(Type(ToAnsi(L"这b")), L"甲b");

  TextConvertMode = ConvertNone;
  EXPECT_EQ(Type(ToAnsi(L"这个")), L"这个");

  // A null string from the library reads as "".
  answerNull_(1);
  EXPECT_EQ(Type(ToAnsi(L"这个")), L"");
  answerNull_(0);

  // The hook message answers what the inner procedure answers; others pass.
  EXPECT_EQ(::SendMessageW(panel_, InputHookMessage, 0, 0), kOwnResult);
  EXPECT_EQ(::SendMessageW(panel_, WM_GETTEXTLENGTH, 0, 0), 5);

  StopInputHook(panel_);
  const std::string calls = calls_();
  EXPECT_EQ(calls.substr(calls.size() - 5), "stop;");
  EXPECT_EQ(calls.find("get;get;"), std::string::npos) << "each message reads the string once: " << calls;
  const int before = g_ownHookMessages;
  EXPECT_EQ(::SendMessageW(panel_, InputHookMessage, 0, 0), kOwnResult);
  EXPECT_EQ(calls_(), calls) << "after stop the window procedure is off";
  EXPECT_EQ(g_ownHookMessages, before + 1);
}

TEST_F(InputHookTest, LeavesTypingAloneWithAnotherProgramInFront) {
  QqDoubleProcess other;
  ASSERT_TRUE(other.Start(L"OtherChat.exe"));
  ASSERT_TRUE(BringToFront(other.hwnd()));
  StartWith(L"hook_standin.dll");
  ASSERT_TRUE(typeText_);
  EXPECT_EQ(Type(ToAnsi(L"这个们")), L"这个们");
  TextConvertMode = ConvertMartian;
  MarsAlternatives = {L"甲,甲"};
  EXPECT_EQ(Type(ToAnsi(L"这")), L"这");
  EXPECT_EQ(ConvertTypedText(L"这"), L"这");
  TextConvertMode = ConvertTraditional;
  EXPECT_EQ(ConvertTypedText(L"这"), L"这");
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

TEST_F(InputHookTest, MissingExportsAndLibrarySkipTheirSteps) {
  StartWith(L"hook_standin_partial.dll");
  ASSERT_TRUE(InputHookLibrary.IsLoaded());
  ASSERT_TRUE(calls_);
  EXPECT_STREQ(calls_(), "start;") << "no state switch without the export";
  // Without DLLSetPubString there is nowhere to put a result: nothing is read.
  EXPECT_EQ(::SendMessageW(panel_, InputHookMessage, 0, 0), kOwnResult);
  StopInputHook(panel_);
  EXPECT_STREQ(calls_(), "start;");
  InputHookLibrary.Unbind();

  StartInputHook(panel_, L"no_such_hook_library.dll");
  EXPECT_FALSE(InputHookLibrary.IsLoaded());
  EXPECT_NE(InputHookMessage, 0u);
  EXPECT_EQ(::SendMessageW(panel_, InputHookMessage, 0, 0), kOwnResult);
  EXPECT_EQ(g_ownHookMessages, 2);
  StopInputHook(panel_);
}
