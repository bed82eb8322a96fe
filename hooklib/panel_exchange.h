// A typing process's side of the exchange: hands typed text to the panel
// that holds the hooks and waits for its conversion.
#pragma once
#include <optional>
#include <string>

#include "hooklib/shared_state.h"

namespace hooklib {

// The panel's conversion of typedAnsi (ANSI bytes), or nothing when there is
// no answer: no panel holds the hooks, a lock or the panel's answer took too
// long, or this thread is already waiting for the panel. Then the text stays
// as typed. Once the panel left an exchange unanswered, nothing at once,
// until its window handles the library's message again.
std::optional<std::string> AskPanel(const std::string& typedAnsi);

// This process's view of the shared objects.
SharedState& TypingState();

}  // namespace hooklib
