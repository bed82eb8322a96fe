#include "foundation/window_utils.h"

#include <psapi.h>
#include <shellapi.h>

#include <vector>

#include "foundation/handles.h"
#include "foundation/subclass_host.h"
#include "foundation/windows_version.h"

namespace foundation {

namespace {

// The procedure MinSizeWindowProc passes messages on to.
WNDPROC OldMinSizeWndProc = nullptr;

BOOL CALLBACK CollectProgramWindow(HWND hwnd, LPARAM list) {
  if (reinterpret_cast<HMODULE>(::GetClassLongPtrW(hwnd, GCLP_HMODULE)) == ::GetModuleHandleW(nullptr))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

SIZE WindowSize(HWND hwnd) {
  RECT rc{};
  ::GetWindowRect(hwnd, &rc);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace

void SetRoundRegion(HWND hwnd, bool rounded) {
  SIZE size = WindowSize(hwnd);
  int ellipse = rounded ? 6 : 0;
  UniqueRegion region(::CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, ellipse, ellipse));
  if (!region) return;
  // On success the system owns the region; on failure it is still ours to delete.
  if (::SetWindowRgn(hwnd, region.get(), TRUE)) region.release();
}

void UnloadAllForms() {
  // A window created later lies above its older siblings in the z-order,
  // which EnumThreadWindows follows from the top; so this is "last opened
  // first" for the windows of the program's own classes (the system's helper
  // windows on the thread, such as the IME's, are left alone).
  std::vector<HWND> forms;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectProgramWindow, reinterpret_cast<LPARAM>(&forms));
  for (HWND hwnd : forms) {
    // Closing an owner destroys the windows it owns as well.
    if (::IsWindow(hwnd)) ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
  }
}

void DragForm(HWND hwnd) {
  ::ReleaseCapture();
  // SC_MOVE | HTCAPTION: the move loop of a caption drag.
  ::SendMessageW(hwnd, WM_SYSCOMMAND, 0xF012, 0);
}

void SetTopMost(HWND hwnd, bool onTop) {
  RECT rc{};
  if (!::GetWindowRect(hwnd, &rc)) return;
  ::SetWindowPos(hwnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, rc.left, rc.top, rc.right - rc.left,
                 rc.bottom - rc.top, 0);
}

void OpenUrl(HWND owner, const std::wstring& target) {
  ::ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool StartProgram(const std::wstring& commandLine) {
  std::wstring line = commandLine;  // CreateProcessW may write into it
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return true;
}

void TrimWorkingSet() {
  if (IsWin2000OrLater()) ::EmptyWorkingSet(::GetCurrentProcess());
}

LRESULT CALLBACK MinSizeWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_GETMINMAXINFO) {
    reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize.x = kMinPanelWidth;
    return 1;
  }
  if (uMsg == WM_WINDOWPOSCHANGING) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    bool sizing = !(pos->flags & SWP_NOSIZE);
    bool moving = !(pos->flags & SWP_NOMOVE);
    if (sizing && pos->cx < kMinPanelWidth) {
      pos->cx = kMinPanelWidth;
    } else if (!sizing && moving) {
      // The panel never sets its width itself: a plain move of a window that
      // is still narrower than the minimum gives it the minimum width.
      SIZE size = WindowSize(hWnd);
      if (size.cx < kMinPanelWidth) {
        pos->flags &= ~SWP_NOSIZE;
        pos->cx = kMinPanelWidth;
        pos->cy = size.cy;
      }
    }
  }
  return ::CallWindowProcW(OldMinSizeWndProc, hWnd, uMsg, wParam, lParam);
}

bool InstallMinSizeWindowProc(HWND hwnd) {
  WNDPROC next = InstallWindowProc(hwnd, MinSizeWindowProc);
  if (!next) return false;
  OldMinSizeWndProc = next;
  return true;
}

void RemoveMinSizeWindowProc(HWND hwnd) { RemoveWindowProc(hwnd, MinSizeWindowProc); }

}  // namespace foundation
