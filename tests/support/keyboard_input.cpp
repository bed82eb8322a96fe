#include "support/keyboard_input.h"

namespace testing_support {

void PressKey(BYTE vk, bool up) { ::keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0); }

void TapKey(BYTE vk) {
  PressKey(vk, false);
  PressKey(vk, true);
}

void TapWithCtrl(BYTE vk) {
  PressKey(VK_CONTROL, false);
  TapKey(vk);
  PressKey(VK_CONTROL, true);
}

void TypeUnicode(std::wstring_view text) {
  for (wchar_t c : text) {
    INPUT in[2]{};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wScan = c;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1] = in[0];
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
  }
}

void PostImeResult(HWND focused, std::wstring_view text) {
  for (wchar_t c : text) ::PostMessageW(focused, WM_IME_CHAR, c, 1);
}

}  // namespace testing_support
