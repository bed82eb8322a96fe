// The QQ double and the window-control tool meet the facts the panel relies
// on; later end-to-end tests of the panel build on both.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "foundation/ansi_text.h"
#include "foundation/chat_windows.h"
#include "foundation/handle_text.h"
#include "support/keyboard_input.h"
#include "support/qq_double_process.h"

using namespace foundation;
using testing_support::BringToFront;
using testing_support::QqDoubleProcess;
using testing_support::RunProgram;
using testing_support::TapKey;
using testing_support::TapWithCtrl;

namespace {

std::wstring TitleOf(HWND hwnd) {
  wchar_t buf[256];
  int n = ::GetWindowTextW(hwnd, buf, 256);
  return std::wstring(buf, n > 0 ? n : 0);
}

bool HasLine(const QqDoubleProcess& p, const std::string& prefix) {
  for (const std::string& l : p.LogLines()) {
    if (l.rfind(prefix, 0) == 0) return true;
  }
  return false;
}

void PutOnClipboard(HWND owner) {
  ASSERT_TRUE(::OpenClipboard(owner));
  ::EmptyClipboard();
  const std::wstring text = L"你好";
  HGLOBAL t = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(::GlobalLock(t)));
  ::GlobalUnlock(t);
  ::SetClipboardData(CF_UNICODETEXT, t);

  const std::string fragment = "<img src=\"a.gif\">";
  const std::string header =
      "Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000000\r\nStartFragment:0000000000\r\nEndFragment:0000000000\r\n";
  std::string html = header + "<html><body><!--StartFragment-->";
  const size_t start = html.size();
  html += fragment;
  const size_t end = html.size();
  html += "<!--EndFragment--></body></html>";
  auto put = [&](const char* key, size_t value) {
    size_t p = html.find(key) + std::string(key).size();
    std::string digits = std::to_string(value);
    html.replace(p, 10, std::string(10 - digits.size(), '0') + digits);
  };
  put("StartFragment:", start);
  put("EndFragment:", end);
  put("EndHTML:", html.size());
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, html.size() + 1);
  std::copy_n(html.c_str(), html.size() + 1, static_cast<char*>(::GlobalLock(h)));
  ::GlobalUnlock(h);
  ::SetClipboardData(::RegisterClipboardFormatW(L"HTML Format"), h);

  BITMAPINFOHEADER bi{sizeof(bi), 60, 43, 1, 32, BI_RGB};
  const size_t size = sizeof(bi) + 60 * 43 * 4;
  HGLOBAL d = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  *static_cast<BITMAPINFOHEADER*>(::GlobalLock(d)) = bi;
  ::GlobalUnlock(d);
  ::SetClipboardData(CF_DIB, d);
  ::CloseClipboard();
}

}  // namespace

TEST(QqDouble, MeetsTheChatWindowFacts) {
  QqDoubleProcess qq;
  ASSERT_TRUE(qq.Start(L"QQ.exe"));
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  const HWND fg = ::GetForegroundWindow();
  EXPECT_EQ(ReadWindowFacts(fg).className, L"TXGuiFoundation");
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(fg, GWL_STYLE)), 0x960F0000u);
  RECT r;
  ASSERT_TRUE(::GetWindowRect(fg, &r));
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right, 600);
  EXPECT_EQ(r.bottom, 550);
  EXPECT_EQ(TitleOf(fg), L"张三 - 交谈中");
  EXPECT_TRUE(CheckQQWin(fg, false));
  EXPECT_EQ(::WindowFromPoint(POINT{r.left + 50, r.bottom - 50}), qq.input());
  EXPECT_EQ(::FindWindowExW(fg, nullptr, L"Button", L"发送(S)"), qq.button());
  EXPECT_EQ(::GetParent(qq.button()), fg) << "a direct child";
  EXPECT_TRUE(HasLine(qq, "activate"));

  ::SendMessageW(qq.button(), BM_CLICK, 0, 0);
  EXPECT_TRUE(qq.WaitForLine("click 发送(S)"));
}

TEST(QqDouble, FocusKeysAndPasteAreLogged) {
  QqDoubleProcess qq;
  ASSERT_TRUE(qq.Start(L"QQ.exe"));
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  PutOnClipboard(owner);
  ASSERT_TRUE(BringToFront(qq.hwnd()));
  ::SendMessageW(qq.input(), WM_SETFOCUS, 0, 0);
  EXPECT_TRUE(qq.WaitForLine("focus input"));
  TapWithCtrl('V');
  EXPECT_TRUE(qq.WaitForLine("paste text=你好"));
  EXPECT_TRUE(qq.WaitForLine("key up vk=0x11 ctrl=0 in=input"));
  EXPECT_TRUE(qq.WaitForLine("key down vk=0x11 ctrl=1 in=input", 0));
  EXPECT_TRUE(qq.WaitForLine("key down vk=0x56 ctrl=1 in=input", 0));
  EXPECT_TRUE(qq.WaitForLine("paste html=<img src=\"a.gif\">", 0));
  EXPECT_TRUE(qq.WaitForLine("paste bitmap=60x43", 0));
  std::string formats;
  for (const std::string& l : qq.LogLines()) {
    if (l.rfind("paste formats=", 0) == 0) formats = l;
  }
  EXPECT_NE(formats.find("HTML Format"), std::string::npos) << formats;
  EXPECT_NE(formats.find("CF_UNICODETEXT"), std::string::npos) << formats;
  // The box keeps its text: the paste, typed characters, Backspace; Enter sends it.
  EXPECT_TRUE(qq.WaitForLine("text input=你好", 0));
  testing_support::TypeUnicode(L"ab");
  EXPECT_TRUE(qq.WaitForLine("text input=你好ab"));
  TapKey(VK_BACK);
  EXPECT_TRUE(qq.WaitForLine("text input=你好a"));
  TapKey(VK_RETURN);
  EXPECT_TRUE(qq.WaitForLine("key down vk=0x0D ctrl=0 in=input"));
  EXPECT_TRUE(qq.WaitForLine("send text=你好a"));
  EXPECT_TRUE(qq.WaitForLine("text input="));
  ::DestroyWindow(owner);
}

TEST(QqDouble, CommandLineSetsSizeTitleAndStyle) {
  QqDoubleProcess small, narrow, captioned;
  ASSERT_TRUE(small.Start(L"QQ.exe", {L"--inactive", L"--x", L"10", L"--y", L"20", L"--width", L"301", L"--height",
                                      L"101", L"--title", L"李四"}));
  ASSERT_TRUE(narrow.Start(L"QQ.exe", {L"--inactive", L"--width", L"300", L"--title", L"李四"}));
  ASSERT_TRUE(captioned.Start(L"QQ.exe", {L"--inactive", L"--style", L"16CF0000", L"--title", L"李四"}));
  RECT r;
  ASSERT_TRUE(::GetWindowRect(small.hwnd(), &r));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(r.right - r.left, 301);
  EXPECT_EQ(r.bottom - r.top, 101);
  EXPECT_EQ(TitleOf(small.hwnd()), L"李四");
  EXPECT_TRUE(CheckQQWin(small.hwnd(), false));
  EXPECT_FALSE(CheckQQWin(narrow.hwnd(), false)) << "300 wide and no chat word";
  EXPECT_NE(GetStyleText(captioned.hwnd()).find(L"WS_DLGFRAME"), std::wstring::npos);
  EXPECT_FALSE(CheckQQWin(captioned.hwnd(), false)) << "a caption brings WS_DLGFRAME";
  EXPECT_EQ(RunProgram(L"QQ.exe", {L"--width"}), 2) << "a bad command line";
}

TEST(WindowControlTool, ActivatesMovesRetitlesReadsAndCloses) {
  QqDoubleProcess a, b;
  ASSERT_TRUE(a.Start(L"QQ.exe"));
  ASSERT_TRUE(b.Start(L"OtherChat.exe", {L"--x", L"300"}));
  const std::wstring ha = HandleToText(a.hwnd());
  std::string out;
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"rect", ha}, &out), 0);
  EXPECT_EQ(out.substr(0, out.find_first_of("\r\n")), "100 50 600 550");
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"move", ha, L"200", L"100", L"640", L"480"}), 0);
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"rect", ha}, &out), 0);
  EXPECT_EQ(out.substr(0, out.find_first_of("\r\n")), "200 100 840 580");
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"retitle", ha, L"王五 - 聊天中"}), 0);
  EXPECT_EQ(TitleOf(a.hwnd()), L"王五 - 聊天中");
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"activate", ha}), 0);
  EXPECT_EQ(::GetForegroundWindow(), a.hwnd());
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"foreground"}, &out), 0);
  EXPECT_EQ(out.substr(0, out.find_first_of("\r\n")), ToUtf8(ha));
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"activate", HandleToText(b.hwnd())}), 0);
  EXPECT_EQ(::GetForegroundWindow(), b.hwnd());
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"close", ha}), 0);
  EXPECT_TRUE(a.WaitForLine("exit"));
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"rect", ha}), 1) << "the window is gone";
  EXPECT_EQ(RunProgram(L"wincontrol.exe", {L"rect", L"abc"}), 2);
}
