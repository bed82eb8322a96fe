// The tray procedure of the panel window: the outermost procedure on it. Every
// message of the window goes first to the panel's tray handler, which answers
// the tray icon's callback message and "TaskbarCreated" itself and hands every
// other message back through CallOldWindowProc. This unit only installs,
// forwards and passes on; what the tray messages do is the handler's business.
#pragma once
#include <windows.h>

namespace foundation {

// The tray icon's callback message; lParam carries the mouse message.
inline constexpr UINT kTrayCallbackMessage = 0x500;
// Registered by the shell; sent to top-level windows when the taskbar is created again.
inline constexpr wchar_t kTaskbarCreatedMessageName[] = L"TaskbarCreated";

// Implemented by the panel window.
class ITrayMessageHandler {
 public:
  // Called for every message of the hooked window, with the four values
  // unchanged; its result is the window's answer. Messages it does not answer
  // itself go on through CallOldWindowProc.
  virtual LRESULT WndProcTrayIcon(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~ITrayMessageHandler() = default;
};

// Puts TrayWindowProc on the window as its outermost procedure, with handler
// (not owned) as the receiver. Once per process: while it is installed a
// second call changes nothing. If installing fails, a later call tries again.
void HookTrayWindow(HWND hWnd, ITrayMessageHandler* handler);

// Takes TrayWindowProc off the window again (nothing when it is not on).
void UnhookTrayWindow(HWND hWnd);

// Passes a message to the procedure inside TrayWindowProc and returns its
// result unchanged (DefWindowProcW's answer when the procedure is not installed).
LRESULT CallOldWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// The installed procedure; only the system calls it.
LRESULT CALLBACK TrayWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace foundation
