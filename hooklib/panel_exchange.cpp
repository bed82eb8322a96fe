#include "hooklib/panel_exchange.h"

#include <atomic>

#include "foundation/hook_library.h"

namespace hooklib {
namespace {

// How long typed text waits for the panel; a panel that is hung or gone
// leaves the text as typed.
constexpr DWORD kPanelAnswerWaitMs = 1000;
// After a wait ran out: how long typed text checks whether the panel responds again.
constexpr DWORD kPanelCheckWaitMs = 200;

// The thread holding the exchange lock. While it waits for the panel it may
// handle sent messages that pass the hooks again; text found then is left
// alone (the lock itself would let the same thread in again).
std::atomic<DWORD> g_askingThread{0};

UINT RedirMessage() {
  static const UINT message = ::RegisterWindowMessageW(foundation::kInputHookMessageName);
  return message;
}

bool PanelResponds(HWND panel) {
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(panel, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kPanelCheckWaitMs, &ignored) != 0;
}

// One exchange, holding the exchange lock.
std::optional<std::string> ExchangeWithPanel(const std::string& typedAnsi) {
  SharedState& state = TypingState();
  HWND panel = nullptr;
  bool behind = false;
  state.WithBlock([&](SharedBlock& b) {
    panel = reinterpret_cast<HWND>(static_cast<LONG_PTR>(ExchangeTarget(b)));
    behind = PanelBehind(b);
  });
  if (!panel) return std::nullopt;
  if (behind) {
    if (!PanelResponds(panel)) return std::nullopt;
    state.WithBlock([](SharedBlock& b) { NotePanelResponds(b); });
  }
  bool begun = false;
  state.WithBlock([&](SharedBlock& b) { begun = BeginExchange(b, typedAnsi); });
  if (!begun) return std::nullopt;
  DWORD_PTR ignored = 0;
  const bool reached = ::SendMessageTimeoutW(panel, RedirMessage(), 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                             kPanelAnswerWaitMs, &ignored) != 0;
  std::optional<std::string> answer;
  state.WithBlock([&](SharedBlock& b) { answer = EndExchange(b, reached); });
  return answer;
}

}  // namespace

SharedState& TypingState() {
  static SharedState state;
  return state;
}

std::optional<std::string> AskPanel(const std::string& typedAnsi) {
  if (g_askingThread == ::GetCurrentThreadId() || !TypingState().Open()) return std::nullopt;
  const MutexLock exchange = TypingState().LockExchange();
  if (!exchange) return std::nullopt;
  g_askingThread = ::GetCurrentThreadId();
  std::optional<std::string> answer;
  try {
    answer = ExchangeWithPanel(typedAnsi);
  } catch (...) {
    answer.reset();
  }
  g_askingThread = 0;
  return answer;
}

}  // namespace hooklib
