#include "foundation/input_hook.h"

#include <algorithm>

#include "foundation/core/text_conversion.h"
#include "foundation/process_name.h"
#include "foundation/subclass_host.h"
#include "foundation/text_compare.h"

namespace foundation {

int TextConvertMode = ConvertNone;
std::wstring ConvertSourceChars;
std::wstring ConvertTargetChars;
std::vector<std::wstring> MarsAlternatives;
std::wstring DecorationChars;
bool RndTextOn = false;
std::wstring RandomPercent = L"50";
UINT InputHookMessage = 0;
WNDPROC OldInputWndProc = nullptr;
HookLibrary InputHookLibrary;

namespace {

constexpr LONG kHookOn = -1;

bool QqClientInFront() {
  return ContainsText(GetWindowExeName(::GetForegroundWindow()), kConvertedExeName);
}

void ConvertSharedString() {
  if (!InputHookLibrary.CanSetPubString()) return;  // nowhere to put a result
  std::wstring text;
  if (!InputHookLibrary.GetPubString(&text)) return;
  text.erase(std::remove(text.begin(), text.end(), L'\0'), text.end());
  InputHookLibrary.SetPubString(ConvertTypedText(text));
}

}  // namespace

std::wstring ConvertTypedText(std::wstring_view text) {
  if (TextConvertMode != ConvertTraditional && TextConvertMode != ConvertMartian) return std::wstring(text);
  if (!QqClientInFront()) return std::wstring(text);
  if (TextConvertMode == ConvertTraditional) return ConvertToTraditional(text, ConvertSourceChars, ConvertTargetChars);
  MarsTables tables;
  tables.sourceChars = ConvertSourceChars;
  tables.alternatives = &MarsAlternatives;
  tables.decorationChars = DecorationChars;
  tables.decorationsOn = RndTextOn;
  tables.randomPercent = RandomPercent;
  return ConvertToMarsText(text, tables, ProcessRandom());
}

LRESULT CALLBACK InputHookWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (InputHookMessage != 0 && msg == InputHookMessage) {
    // A failed conversion leaves the library's text as typed; the message
    // still goes on inward.
    try {
      ConvertSharedString();
    } catch (...) {
    }
  }
  if (!OldInputWndProc) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  return ::CallWindowProcW(OldInputWndProc, hwnd, msg, wParam, lParam);
}

void StartInputHook(HWND window, const std::wstring& libraryPath) {
  InputHookLibrary.Bind(libraryPath);
  InputHookMessage = ::RegisterWindowMessageW(kInputHookMessageName);
  InputHookLibrary.StartHook(window);
  if (WNDPROC next = InstallWindowProc(window, InputHookWindowProc)) OldInputWndProc = next;
  InputHookLibrary.SetHookState(kHookOn);
}

void StopInputHook(HWND window) {
  RemoveWindowProc(window, InputHookWindowProc);
  InputHookLibrary.StopHook();
}

}  // namespace foundation
