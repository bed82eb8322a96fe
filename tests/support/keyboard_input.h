// Keyboard input as a user gives it: key strokes and Unicode typing through
// the system's input queue (they reach the window in front), and an input
// method's result, which arrives as WM_IME_CHAR messages on the focused window.
#pragma once
#include <windows.h>

#include <string_view>

namespace testing_support {

void PressKey(BYTE vk, bool up);
// Down and up.
void TapKey(BYTE vk);
// Ctrl held around a tap of vk (Ctrl+V).
void TapWithCtrl(BYTE vk);
// Each character as a Unicode key stroke (KEYEVENTF_UNICODE).
void TypeUnicode(std::wstring_view text);
// What an input method posts for its result string.
void PostImeResult(HWND focused, std::wstring_view text);

}  // namespace testing_support
