// Which typed characters go to the panel, and how its answer takes the place
// of the character's message.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace hooklib {

// Printable characters only: control characters (Enter, Backspace, Tab, the
// Ctrl+letter codes such as Ctrl+V's), DEL and the C1 range pass untouched,
// and so do surrogate halves: each is half of one character, which a
// conversion taking it alone could only mistake for another.
bool IsConvertibleChar(wchar_t c);

// The answer replaces one character message: its last character rewrites the
// message in place, the ones before it are handed to the window first, so the
// window sees them in order. An empty answer drops the message.
struct Replacement {
  std::wstring sentFirst;
  std::optional<wchar_t> inPlace;
};
Replacement SplitReplacement(std::wstring_view answer);

}  // namespace hooklib
