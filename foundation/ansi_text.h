// Conversions at the program's ANSI and UTF-8 boundaries (profile files, the
// hook library's shared string, SQLite). Inside, all text is UTF-16.
#pragma once
#include <string>
#include <string_view>

namespace foundation {

// Text in the system's ANSI code page; what the code page can't represent becomes "?".
std::string ToAnsi(std::wstring_view text);
// False when some character has no form of its own in the code page (no "?"
// and no best-fit look-alike stands in for it).
bool ToAnsiExactly(std::wstring_view text, std::string* ansi);
std::wstring FromAnsi(std::string_view bytes);

// The same two in a code page given by number (936, 1252, 65001 for UTF-8,
// ...; 0 is the ANSI code page).
std::string ToCodePage(unsigned codePage, std::wstring_view text);
bool ToCodePageExactly(unsigned codePage, std::wstring_view text, std::string* bytes);

// How WideCharToMultiByte is called for a code page: the flags, whether a
// default character ("?") is given, and whether its use is asked back (exact
// conversions in code pages that can lack a character).
struct NarrowingCall {
  unsigned long flags;
  bool defaultChar;
  bool reportsDefault;
};
NarrowingCall NarrowingCallFor(unsigned codePage, bool exact);

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view bytes);

// The longest prefix of whole characters whose ANSI form takes at most maxBytes
// bytes: a double-byte character is never cut in half.
std::wstring PrefixFittingAnsiBytes(std::wstring_view text, size_t maxBytes);
// ANSI text cut to at most maxBytes bytes on a whole character.
std::string CutAnsiOnWholeChars(std::string_view ansi, size_t maxBytes);

}  // namespace foundation
