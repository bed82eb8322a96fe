// The keystroke side of sending to a QQ chat window: bring it to the front,
// focus its input box, paste, and for a send press its "发送(S)" button.
#pragma once
#include <windows.h>

namespace panel {

// Fixed waits of the send road, in milliseconds.
inline constexpr DWORD kWaitAfterActivate = 50;
inline constexpr DWORD kWaitAfterFocus = 50;
inline constexpr DWORD kWaitAfterPaste = 100;

// Processes pending messages, sleeps, processes them again: the docking timer
// and the window's other messages keep running during the road's waits.
void PumpSleepPump(DWORD milliseconds);

// The input box: the window at 50 px right of the chat window's left edge and
// 50 px above its bottom. Brings the chat window to the front, focuses the
// box and presses Ctrl+V. False, with nothing sent, when chat is not a live
// window (the keys would reach whatever window is active).
bool PasteIntoChat(HWND chat);

// BM_CLICK on the direct child of class "Button" captioned "发送(S)".
void ClickSendButton(HWND chat);

// Enter, then Ctrl+Enter, to the active window, without waiting for them.
void SendEnterKeys();

}  // namespace panel
