#include "hooklib/typing_hook.h"

#include <imm.h>

#include <optional>
#include <string>
#include <string_view>

#include "hooklib/core/typed_chars.h"
#include "hooklib/ime_result.h"
#include "hooklib/panel_exchange.h"
#include "hooklib/unload_watch.h"

namespace hooklib {
namespace {

bool ModifierDown() { return ((::GetKeyState(VK_CONTROL) | ::GetKeyState(VK_MENU)) & 0x8000) != 0; }

void ReplaceTypedChar(MSG& msg) {
  const wchar_t typed = static_cast<wchar_t>(msg.wParam);
  if (!msg.hwnd || !IsConvertibleChar(typed) || ModifierDown()) return;
  const std::optional<std::wstring> answer = AskPanel(std::wstring_view(&typed, 1));
  if (!answer) return;
  const Replacement r = SplitReplacement(*answer);
  for (wchar_t c : r.sentFirst) ::SendMessageW(msg.hwnd, WM_CHAR, c, msg.lParam);
  if (r.inPlace) {
    msg.message = WM_CHAR;
    msg.wParam = *r.inPlace;
  } else {
    msg.message = WM_NULL;
  }
}

void ReplaceImeResult(HWND window) {
  const std::wstring result = ImeResultText(window);
  if (result.empty()) return;
  const std::optional<std::wstring> answer = AskPanel(result);
  // Unchanged text is left for the window to take as it always does.
  if (!answer || *answer == result || !ClearImeResult(window)) return;
  for (wchar_t c : *answer) ::SendMessageW(window, WM_CHAR, c, 1);
}

LRESULT CALLBACK TakenMessageHook(int code, WPARAM removal, LPARAM lParam) {
  HookCallScope scope;
  // A message only peeked at comes back later: it is handled when removed.
  if (code == HC_ACTION && removal == PM_REMOVE) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (msg->message == WM_CHAR || msg->message == WM_IME_CHAR) {
      try {
        ReplaceTypedChar(*msg);
      } catch (...) {
        // Out of memory: the character stays as typed.
      }
    }
  }
  StartUnloadWatch();
  return ::CallNextHookEx(nullptr, code, removal, lParam);
}

LRESULT CALLBACK SentMessageHook(int code, WPARAM sentByThisThread, LPARAM lParam) {
  HookCallScope scope;
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  // DefWindowProc passes the message on to the input method's own window:
  // only the focused window's copy is the one the text is meant for.
  if (code == HC_ACTION && sent->message == WM_IME_COMPOSITION && (sent->lParam & GCS_RESULTSTR) &&
      sent->hwnd == ::GetFocus()) {
    try {
      ReplaceImeResult(sent->hwnd);
    } catch (...) {
      // Out of memory: the result stays as typed.
    }
  }
  StartUnloadWatch();
  return ::CallNextHookEx(nullptr, code, sentByThisThread, lParam);
}

}  // namespace

TypingHooks HookTyping(HMODULE library, DWORD threadId) {
  TypingHooks hooks;
  hooks.takenMessages.reset(::SetWindowsHookExW(WH_GETMESSAGE, TakenMessageHook, library, threadId));
  hooks.sentMessages.reset(::SetWindowsHookExW(WH_CALLWNDPROC, SentMessageHook, library, threadId));
  return hooks;
}

}  // namespace hooklib
