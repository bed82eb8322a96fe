#include "foundation/window_utils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "foundation/app_path.h"
#include "foundation/subclass_host.h"
#include "foundation/windows_version.h"
#include "support/move_loop_drive.h"
#include "window_services/test_window.h"

using namespace foundation;
using testing_support::TestWindow;

namespace {

std::vector<UINT> g_seen;

LRESULT CALLBACK SeeingWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_GETMINMAXINFO || m == WM_WINDOWPOSCHANGING) g_seen.push_back(m);
  return ::DefWindowProcW(h, m, w, l);
}

SIZE Size(HWND h) {
  RECT rc{};
  ::GetWindowRect(h, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

std::string ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str());
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Starts a program and waits for it to end; false when it could not start or timed out.
bool RunAndWait(const std::wstring& commandLine) {
  std::wstring cmd = commandLine;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  DWORD wait = ::WaitForSingleObject(pi.hProcess, 30000);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return wait == WAIT_OBJECT_0;
}

}  // namespace

TEST(WindowsVersion, ClassTable) {
  using V = WindowsVersion;
  struct Row {
    unsigned long platform, major, minor;
    V expected;
  } rows[] = {
      {1, 4, 0, V::kWin95},    {1, 4, 10, V::kWin98},    {1, 4, 90, V::kWinMe},   {1, 4, 3, V::kNone},
      {1, 7, 10, V::kWin98},   {2, 3, 51, V::kWinNT351}, {2, 4, 0, V::kWinNT4},   {2, 4, 9, V::kWinNT4},
      {2, 5, 0, V::kWin2000},  {2, 5, 1, V::kWinXP},     {2, 5, 2, V::kWin2003},  {2, 5, 3, V::kNone},
      {2, 2, 0, V::kNone},     {0, 5, 1, V::kFailed},    {3, 5, 2, V::kFailed},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(ClassifyWindowsVersion(r.platform, r.major, r.minor), r.expected)
        << r.platform << " " << r.major << "." << r.minor;
  }
}

TEST(WindowsVersion, SevenToElevenTakeTheOrdinaryRoad) {
  // What the programs' manifest lets Windows report: 6.1 (7), 6.2 (8), 6.3
  // (8.1) and 10.0 (10 and 11). None is classed, so none trims its working set
  // or takes the Windows 2003 clipboard road.
  const unsigned long versions[][2] = {{6, 0}, {6, 1}, {6, 2}, {6, 3}, {10, 0}};
  for (const auto& v : versions) {
    EXPECT_EQ(ClassifyWindowsVersion(VER_PLATFORM_WIN32_NT, v[0], v[1]), WindowsVersion::kNone) << v[0] << "." << v[1];
  }
}

TEST(WindowsVersion, WineDefaultIsAfterTheListedVersions) {
  // A fresh prefix reports 6.1: no class, so neither test holds and trimming does nothing.
  EXPECT_EQ(GetWindowsVersion(), WindowsVersion::kNone);
  EXPECT_FALSE(IsWin2000OrLater());
  EXPECT_FALSE(IsWin2003());
  TrimWorkingSet();
}

TEST(WindowsVersion, ProgramSetToWindows2003) {
  // Wine's per-program version setting, written for the probe's exe name only.
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\window_services_probe.exe",
                              L"Version", REG_SZ, L"win2003", sizeof(L"win2003")),
            ERROR_SUCCESS);
  std::wstring out = AppPath() + L"window_services_probe_version.txt";
  ::DeleteFileW(out.c_str());
  ASSERT_TRUE(RunAndWait(L"\"" + AppPath() + L"window_services_probe.exe\" version \"" + out + L"\""));
  EXPECT_EQ(ReadAll(out), std::to_string(static_cast<int>(WindowsVersion::kWin2003)) + " 1 1");
  ::DeleteFileW(out.c_str());
}

TEST(WindowUtils, MinimumWidthHoldsForTrackingAndForSetWindowPosOnAPopup) {
  g_seen.clear();
  TestWindow popup;
  ASSERT_TRUE(popup.Create(L"WindowUtilsPopup", SeeingWindowProc, WS_POPUP, 100, 300));
  HWND h = popup.hwnd();
  ASSERT_TRUE(InstallMinSizeWindowProc(h));
  EXPECT_FALSE(InstallMinSizeWindowProc(h));  // on once

  // The tracking size: only the minimum width changes, and the window's own
  // procedure never sees the message.
  MINMAXINFO mmi{};
  mmi.ptMinTrackSize = {11, 22};
  mmi.ptMaxTrackSize = {3000, 2000};
  g_seen.clear();
  EXPECT_EQ(::SendMessageW(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi)), 1);
  EXPECT_EQ(mmi.ptMinTrackSize.x, kMinPanelWidth);
  EXPECT_EQ(mmi.ptMinTrackSize.y, 22);
  EXPECT_EQ(mmi.ptMaxTrackSize.x, 3000);
  EXPECT_TRUE(g_seen.empty());

  // A plain move of the still narrow window gives it the minimum width.
  ::SetWindowPos(h, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Size(h).cx, kMinPanelWidth);
  EXPECT_EQ(Size(h).cy, 300);
  ::SetWindowPos(h, nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Size(h).cx, kMinPanelWidth);
  EXPECT_EQ(Size(h).cy, 90);  // no minimum height
  ::MoveWindow(h, 0, 0, 30, 40, TRUE);
  EXPECT_EQ(Size(h).cx, kMinPanelWidth);
  EXPECT_EQ(Size(h).cy, 40);
  ::MoveWindow(h, 0, 0, 400, 40, TRUE);
  EXPECT_EQ(Size(h).cx, 400);
  EXPECT_FALSE(g_seen.empty());  // WM_WINDOWPOSCHANGING still reaches the window

  RemoveMinSizeWindowProc(h);
  EXPECT_FALSE(HasSubclassHost(h));
  ::MoveWindow(h, 0, 0, 30, 40, TRUE);
  EXPECT_EQ(Size(h).cx, 30);
}

TEST(WindowUtils, MinimumWidthOnASizableWindow) {
  TestWindow w;
  ASSERT_TRUE(w.Create(L"WindowUtilsSizable", SeeingWindowProc, WS_OVERLAPPEDWINDOW, 400, 300));
  ASSERT_TRUE(InstallMinSizeWindowProc(w.hwnd()));
  ::SetWindowPos(w.hwnd(), nullptr, 0, 0, 50, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Size(w.hwnd()).cx, kMinPanelWidth);
  RemoveMinSizeWindowProc(w.hwnd());
}

TEST(WindowUtils, RoundRegionCoversTheWholeWindow) {
  TestWindow w;
  ASSERT_TRUE(w.Create(L"WindowUtilsRegion", SeeingWindowProc, WS_POPUP, 200, 100));
  SetRoundRegion(w.hwnd(), false);
  HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
  // The rounded-rectangle region stops short of its right and bottom
  // coordinates, so (w + 1, h + 1) gives exactly the window: nothing is clipped.
  ASSERT_EQ(::GetWindowRgn(w.hwnd(), rgn), SIMPLEREGION);
  RECT box{};
  ::GetRgnBox(rgn, &box);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  EXPECT_EQ(box.right, 200);
  EXPECT_EQ(box.bottom, 100);

  SetRoundRegion(w.hwnd(), true);
  ASSERT_EQ(::GetWindowRgn(w.hwnd(), rgn), COMPLEXREGION);
  ::GetRgnBox(rgn, &box);
  EXPECT_EQ(box.right, 200);
  EXPECT_FALSE(::PtInRegion(rgn, 0, 0));  // the corner is cut off
  EXPECT_TRUE(::PtInRegion(rgn, 3, 0));
  EXPECT_TRUE(::PtInRegion(rgn, 100, 50));
  ::DeleteObject(rgn);
}

TEST(WindowUtils, TopMostKeepsPositionAndSize) {
  TestWindow w;
  ASSERT_TRUE(w.Create(L"WindowUtilsTopMost", SeeingWindowProc, WS_POPUP | WS_VISIBLE, 150, 120));
  ::SetWindowPos(w.hwnd(), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetTopMost(w.hwnd(), true);
  EXPECT_TRUE(::GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT rc{};
  ::GetWindowRect(w.hwnd(), &rc);
  EXPECT_EQ(rc.left, 40);
  EXPECT_EQ(rc.top, 50);
  EXPECT_EQ(rc.right - rc.left, 150);
  EXPECT_EQ(rc.bottom - rc.top, 120);
  SetTopMost(w.hwnd(), false);
  EXPECT_FALSE(::GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

namespace {
std::vector<std::wstring> g_closed;
LRESULT CALLBACK ClosingWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CLOSE) {
    wchar_t title[32] = {};
    ::GetWindowTextW(h, title, 32);
    g_closed.push_back(title);
    if (std::wstring(title) == L"stubborn") return 0;  // refuses to close
  }
  return ::DefWindowProcW(h, m, w, l);
}
}  // namespace

TEST(WindowUtils, UnloadAllFormsClosesTheProgramsWindowsLastOpenedFirst) {
  g_closed.clear();
  TestWindow first, stubborn, last;
  ASSERT_TRUE(first.Create(L"WindowUtilsClosing", ClosingWindowProc));
  ASSERT_TRUE(stubborn.Create(L"WindowUtilsClosing", ClosingWindowProc));
  ASSERT_TRUE(last.Create(L"WindowUtilsClosing", ClosingWindowProc));
  ::SetWindowTextW(first.hwnd(), L"first");
  ::SetWindowTextW(stubborn.hwnd(), L"stubborn");
  ::SetWindowTextW(last.hwnd(), L"last");
  UnloadAllForms();
  EXPECT_FALSE(::IsWindow(first.hwnd()));
  EXPECT_FALSE(::IsWindow(last.hwnd()));
  EXPECT_TRUE(::IsWindow(stubborn.hwnd()));
  EXPECT_EQ(g_closed, (std::vector<std::wstring>{L"last", L"stubborn", L"first"}));
}

TEST(WindowUtils, OpenUrlShowsWhatItOpens) {
  std::wstring out = AppPath() + L"window_services_probe_showcmd.txt";
  ::DeleteFileW(out.c_str());
  OpenUrl(nullptr, AppPath() + L"window_services_probe.exe");
  std::string text;
  for (int i = 0; i < 300 && text.empty(); ++i) {
    ::Sleep(50);
    text = ReadAll(out);
  }
  EXPECT_EQ(text, std::to_string(SW_SHOWNORMAL));
  ::DeleteFileW(out.c_str());
}


TEST(WindowUtils, DragFormMovesTheWindowWithTheMouseUntilTheButtonIsReleased) {
  TestWindow w;
  ASSERT_TRUE(w.Create(L"WindowUtilsDrag", SeeingWindowProc, WS_POPUP | WS_VISIBLE, 200, 150));
  ::SetWindowPos(w.hwnd(), HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE);
  ::SetForegroundWindow(w.hwnd());
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  ::SetCursorPos(150, 130);
  testing_support::SendMouse(MOUSEEVENTF_LEFTDOWN);
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  ::SetCapture(w.hwnd());  // DragForm must release it first
  const int steps = testing_support::DriveMoveLoop({40, 30}, [&] { DragForm(w.hwnd()); });
  RECT rc{};
  ::GetWindowRect(w.hwnd(), &rc);
  EXPECT_EQ(rc.left, 140);
  EXPECT_EQ(rc.top, 130);
  EXPECT_GE(steps, 3);
}
