// A typing process's side of the exchange: hands typed text to the panel
// that holds the hooks and waits for its conversion.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "hooklib/shared_state.h"

namespace hooklib {

// The panel's conversion of typed, or nothing when there is no answer: no
// panel holds the hooks, the text is longer than the block carries, a lock or
// the panel's answer took too long, or this thread is already waiting for the
// panel. Then the text stays as typed. Once the panel left an exchange
// unanswered, nothing at once, until its window handles the library's message
// again.
std::optional<std::wstring> AskPanel(std::wstring_view typed);

// This process's view of the shared objects.
SharedState& TypingState();

}  // namespace hooklib
