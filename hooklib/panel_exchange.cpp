#include "hooklib/panel_exchange.h"

#include <atomic>

#include "foundation/hook_library.h"

namespace hooklib {
namespace {

// How long typed text waits for the panel; a panel that is busy, hung or
// gone leaves the text as typed, and all text after it until it answers again.
constexpr DWORD kPanelAnswerWaitMs = 1000;

// The thread holding the exchange lock. While it waits for the panel it may
// handle sent messages that pass the hooks again; text found then is left
// alone (the lock itself would let the same thread in again).
std::atomic<DWORD> g_askingThread{0};

UINT RedirMessage() {
  static const UINT message = ::RegisterWindowMessageW(foundation::kInputHookMessageName);
  return message;
}

bool PanelBehindNow() {
  bool behind = false;
  TypingState().Peek([&](const SharedBlock& b) { behind = PanelBehind(b); });
  return behind;
}

// The panel left an exchange unanswered. It counts as answering again once
// its window handles the message once more (reading the block clears the
// mark), which is seen on its own thread, never waited for here. Windows
// still delivers the message whose wait ran out, Wine drops it: one more is
// queued, without a wait. Should that fail, the mark goes, so that typing
// keeps asking (each character with a wait) rather than never converting again.
void AskForAnswerLater(HWND panel) {
  if (::SendNotifyMessageW(panel, RedirMessage(), 0, 0)) return;
  TypingState().WithBlock([](SharedBlock& b) { NotePanelResponds(b); });
}

// One exchange, holding the exchange lock.
std::optional<std::wstring> ExchangeWithPanel(std::wstring_view typed) {
  SharedState& state = TypingState();
  HWND panel = nullptr;
  bool begun = false;
  state.WithBlock([&](SharedBlock& b) {
    panel = reinterpret_cast<HWND>(static_cast<LONG_PTR>(ExchangeTarget(b)));
    // Another typist's exchange may have gone unanswered while this one
    // waited for the lock.
    begun = !PanelBehind(b) && BeginExchange(b, typed);
  });
  if (!begun) return std::nullopt;
  DWORD_PTR ignored = 0;
  const bool reached = ::SendMessageTimeoutW(panel, RedirMessage(), 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                             kPanelAnswerWaitMs, &ignored) != 0;
  std::optional<std::wstring> answer;
  bool behind = false;
  state.WithBlock([&](SharedBlock& b) {
    answer = EndExchange(b, reached);
    behind = PanelBehind(b);
  });
  if (behind) AskForAnswerLater(panel);
  return answer;
}

}  // namespace

SharedState& TypingState() {
  static SharedState state;
  return state;
}

std::optional<std::wstring> AskPanel(std::wstring_view typed) {
  if (g_askingThread == ::GetCurrentThreadId() || !TypingState().Open()) return std::nullopt;
  // Behind: not waited for, not even for the exchange lock.
  if (PanelBehindNow()) return std::nullopt;
  const MutexLock exchange = TypingState().LockExchange();
  if (!exchange) return std::nullopt;
  g_askingThread = ::GetCurrentThreadId();
  std::optional<std::wstring> answer;
  try {
    answer = ExchangeWithPanel(typed);
  } catch (...) {
    answer.reset();
  }
  g_askingThread = 0;
  return answer;
}

}  // namespace hooklib
