#include "foundation/tray_window_proc.h"

#include "foundation/subclass_host.h"

namespace foundation {

namespace {

// The procedure inside TrayWindowProc; null while it is not installed.
WNDPROC OldTrayWndProc = nullptr;
HWND TrayWindow = nullptr;
ITrayMessageHandler* TrayHandler = nullptr;

}  // namespace

void HookTrayWindow(HWND hWnd, ITrayMessageHandler* handler) {
  if (OldTrayWndProc) return;
  WNDPROC next = InstallWindowProc(hWnd, TrayWindowProc);
  if (!next) return;
  OldTrayWndProc = next;
  TrayWindow = hWnd;
  TrayHandler = handler;
}

void UnhookTrayWindow(HWND hWnd) {
  if (!OldTrayWndProc || hWnd != TrayWindow) return;
  RemoveWindowProc(hWnd, TrayWindowProc);
  OldTrayWndProc = nullptr;
  TrayWindow = nullptr;
  TrayHandler = nullptr;
}

LRESULT CallOldWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (!OldTrayWndProc) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
  return ::CallWindowProcW(OldTrayWndProc, hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK TrayWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = TrayHandler ? TrayHandler->WndProcTrayIcon(hWnd, uMsg, wParam, lParam)
                               : CallOldWindowProc(hWnd, uMsg, wParam, lParam);
  if (uMsg == WM_NCDESTROY && hWnd == TrayWindow) {
    // The host drops every link of a destroyed window: forget the installation
    // so that a new panel window can be hooked.
    OldTrayWndProc = nullptr;
    TrayWindow = nullptr;
    TrayHandler = nullptr;
  }
  return result;
}

}  // namespace foundation
