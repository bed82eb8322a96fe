#include "hooklib/typing_hook.h"

#include <optional>
#include <string>
#include <string_view>

#include "foundation/ansi_text.h"
#include "foundation/hook_library.h"
#include "foundation/input_hook.h"
#include "foundation/text_compare.h"
#include "hooklib/core/typed_chars.h"
#include "hooklib/shared_state.h"
#include "hooklib/unload_watch.h"

namespace hooklib {
namespace {

// How long a typed character waits for the panel; a panel that is hung or
// gone leaves the character as typed.
constexpr DWORD kPanelAnswerWaitMs = 1000;
// After a wait ran out: how long a character checks whether the panel responds again.
constexpr DWORD kPanelCheckWaitMs = 200;

HHOOK g_hook = nullptr;        // in the process that installed it
SharedState g_typingState;     // a typing process's view of the shared block
DWORD g_exchangeThread = 0;    // set while this process holds the exchange lock

// Only the QQ client's processes have their typing converted.
bool IsTypingProcess() {
  static const bool typing = [] {
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring_view file(path, n < MAX_PATH ? n : 0);
    const size_t slash = file.find_last_of(L"\\/");
    if (slash != std::wstring_view::npos) file.remove_prefix(slash + 1);
    return foundation::ContainsText(file, foundation::kConvertedExeName);
  }();
  return typing;
}

bool ModifierDown() { return ((::GetKeyState(VK_CONTROL) | ::GetKeyState(VK_MENU)) & 0x8000) != 0; }

UINT RedirMessage() {
  static const UINT message = ::RegisterWindowMessageW(foundation::kInputHookMessageName);
  return message;
}

void ReleaseTypingState() { g_typingState.Close(); }

bool PanelResponds(HWND panel) {
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(panel, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kPanelCheckWaitMs, &ignored) != 0;
}

// One exchange, holding the exchange lock.
std::optional<std::string> ExchangeWithPanel(const std::string& typedAnsi) {
  HWND panel = nullptr;
  bool behind = false;
  g_typingState.WithBlock([&](SharedBlock& b) {
    panel = reinterpret_cast<HWND>(static_cast<LONG_PTR>(ExchangeTarget(b)));
    behind = PanelBehind(b);
  });
  if (!panel) return std::nullopt;
  if (behind) {
    if (!PanelResponds(panel)) return std::nullopt;
    g_typingState.WithBlock([](SharedBlock& b) { NotePanelResponds(b); });
  }
  bool begun = false;
  g_typingState.WithBlock([&](SharedBlock& b) { begun = BeginExchange(b, typedAnsi); });
  if (!begun) return std::nullopt;
  DWORD_PTR ignored = 0;
  const bool reached = ::SendMessageTimeoutW(panel, RedirMessage(), 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                             kPanelAnswerWaitMs, &ignored) != 0;
  std::optional<std::string> answer;
  g_typingState.WithBlock([&](SharedBlock& b) { answer = EndExchange(b, reached); });
  return answer;
}

std::optional<std::string> AskPanel(const std::string& typedAnsi) {
  // While this thread waits for the panel it may handle sent messages that
  // peek at its queue; a character found then is left alone.
  if (g_exchangeThread == ::GetCurrentThreadId()) return std::nullopt;
  if (!g_typingState.Open() || !g_typingState.LockExchange()) return std::nullopt;
  g_exchangeThread = ::GetCurrentThreadId();
  std::optional<std::string> answer;
  try {
    answer = ExchangeWithPanel(typedAnsi);
  } catch (...) {
    answer.reset();
  }
  g_exchangeThread = 0;
  g_typingState.UnlockExchange();
  return answer;
}

void ReplaceTypedChar(MSG& msg) {
  const wchar_t typed = static_cast<wchar_t>(msg.wParam);
  if (!msg.hwnd || !IsConvertibleChar(typed) || ModifierDown()) return;
  // A character the code page can't carry would come back as "?": it stays as typed.
  std::string typedAnsi;
  if (!foundation::ToAnsiExactly(std::wstring_view(&typed, 1), &typedAnsi)) return;
  const std::optional<std::string> answer = AskPanel(typedAnsi);
  if (!answer) return;
  const Replacement r = SplitReplacement(foundation::FromAnsi(*answer));
  for (wchar_t c : r.sentFirst) ::SendMessageW(msg.hwnd, WM_CHAR, c, msg.lParam);
  if (r.inPlace) {
    msg.message = WM_CHAR;
    msg.wParam = *r.inPlace;
  } else {
    msg.message = WM_NULL;
  }
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM lParam) {
  HookCallScope scope;
  // A message only peeked at comes back later: it is handled when removed.
  if (code == HC_ACTION && removal == PM_REMOVE && IsTypingProcess()) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (msg->message == WM_CHAR || msg->message == WM_IME_CHAR) {
      try {
        ReplaceTypedChar(*msg);
      } catch (...) {
        // Out of memory: the character stays as typed.
      }
    }
  }
  StartUnloadWatch(ReleaseTypingState);
  return ::CallNextHookEx(g_hook, code, removal, lParam);
}

}  // namespace

bool InstallTypingHook(HMODULE library) {
  if (!g_hook) g_hook = ::SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, library, 0);
  return g_hook != nullptr;
}

void RemoveTypingHook() {
  if (g_hook) ::UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
}

}  // namespace hooklib
