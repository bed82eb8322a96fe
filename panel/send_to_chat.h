// The keystroke side of sending to a QQ chat window: bring it to the front,
// focus its input box, paste, and for a send press its "发送(S)" button.
// Keys go out only while the chat window is in front with its input box
// holding the focus: keys reach whatever window has the focus, which may be
// another program's.
#pragma once
#include <windows.h>

namespace panel {

// Fixed waits of the send road, in milliseconds: each is a minimum.
inline constexpr DWORD kWaitAfterActivate = 50;
inline constexpr DWORD kWaitAfterFocus = 50;
inline constexpr DWORD kWaitAfterPaste = 100;
// How long the chat window is given, from its activation on, to come to the
// front with the focus in its input box.
inline constexpr DWORD kWaitForChatInFront = 1000;

// Processes pending messages, sleeps, processes them again: the docking timer
// and the window's other messages keep running during the road's waits. The
// mouse's and the keyboard's input waits for the road's end: a click made
// meanwhile is a road of its own, after this one, and cannot change the
// clipboard or the window in front under it.
void PumpSleepPump(DWORD milliseconds);

// Pumps and sleeps step milliseconds at a time until ready() holds (true) or
// bound milliseconds have passed since the tick count start (false).
template <typename Ready>
bool PumpSleepUntil(Ready ready, DWORD start, DWORD bound, DWORD step) {
  for (;;) {
    if (ready()) return true;
    if (::GetTickCount() - start >= bound) return false;
    PumpSleepPump(step);
  }
}

// The input box: the chat window's own window at 50 px right of its left edge
// and 50 px above its bottom, whatever other window lies over that point.
// Brings the chat window to the front, focuses the box and presses Ctrl+V.
// False, with no key pressed, when chat is not a live window, or when it did
// not come to the front with the focus in its input box within
// kWaitForChatInFront.
bool PasteIntoChat(HWND chat);

// BM_CLICK on the direct child of class "Button" captioned "发送(S)", given
// up after kSendClickTimeout: a hung chat window does not hold the panel.
inline constexpr UINT kSendClickTimeout = 1000;
void ClickSendButton(HWND chat);

// Enter, then Ctrl+Enter, without waiting for them; only while chat is the
// window in front, else nothing.
void SendEnterKeys(HWND chat);

}  // namespace panel
