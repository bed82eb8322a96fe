#include "foundation/ansi_text.h"

#include <windows.h>

#include <optional>

namespace foundation {
namespace {

// Text in codePage; with exact set, nullopt when some character has no form
// of its own there, otherwise such a character becomes "?" (U+FFFD under UTF-8).
std::optional<std::string> Narrow(UINT codePage, std::wstring_view text, bool exact) {
  if (text.empty()) return std::string();
  const int len = static_cast<int>(text.size());
  // The number, not CP_ACP: whether the page is UTF-8 decides the call.
  if (codePage == CP_ACP) codePage = ::GetACP();
  const NarrowingCall call = NarrowingCallFor(codePage, exact);
  const char* defaultChar = call.defaultChar ? "?" : nullptr;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = call.reportsDefault ? &usedDefault : nullptr;
  const DWORD flags = call.flags;
  int n = ::WideCharToMultiByte(codePage, flags, text.data(), len, nullptr, 0, defaultChar, usedDefaultOut);
  if (n <= 0) return exact ? std::nullopt : std::optional<std::string>(std::string());
  std::string out(static_cast<size_t>(n), '\0');
  n = ::WideCharToMultiByte(codePage, flags, text.data(), len, out.data(), n, defaultChar, usedDefaultOut);
  if (exact && (n <= 0 || usedDefault)) return std::nullopt;
  out.resize(static_cast<size_t>(n > 0 ? n : 0));
  return out;
}

std::wstring Widen(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int len = static_cast<int>(bytes.size());
  int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), len, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), len, out.data(), n);
  return out;
}

}  // namespace

NarrowingCall NarrowingCallFor(unsigned codePage, bool exact) {
  // UTF-8 and UTF-7 hold every character but a lone surrogate, and Windows
  // refuses a default character, a used-default flag and
  // WC_NO_BEST_FIT_CHARS for them (ERROR_INVALID_PARAMETER or
  // ERROR_INVALID_FLAGS): UTF-8 takes WC_ERR_INVALID_CHARS alone, UTF-7 no flag.
  if (codePage == CP_UTF8) return {exact ? static_cast<unsigned long>(WC_ERR_INVALID_CHARS) : 0ul, false, false};
  if (codePage == CP_UTF7) return {0, false, false};
  if (exact) return {WC_NO_BEST_FIT_CHARS, false, true};
  return {0, true, false};
}

std::string ToCodePage(unsigned codePage, std::wstring_view text) { return *Narrow(codePage, text, false); }

bool ToCodePageExactly(unsigned codePage, std::wstring_view text, std::string* bytes) {
  std::optional<std::string> exact = Narrow(codePage, text, true);
  *bytes = exact ? std::move(*exact) : std::string();
  return exact.has_value();
}

std::string ToAnsi(std::wstring_view text) { return ToCodePage(CP_ACP, text); }
bool ToAnsiExactly(std::wstring_view text, std::string* ansi) { return ToCodePageExactly(CP_ACP, text, ansi); }
std::wstring FromAnsi(std::string_view bytes) { return Widen(CP_ACP, bytes); }

std::string ToUtf8(std::wstring_view text) { return ToCodePage(CP_UTF8, text); }
std::wstring FromUtf8(std::string_view bytes) { return Widen(CP_UTF8, bytes); }

std::wstring PrefixFittingAnsiBytes(std::wstring_view text, size_t maxBytes) {
  size_t used = 0;
  size_t i = 0;
  while (i < text.size()) {
    // A surrogate pair is one character.
    size_t step = (IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1])) ? 2 : 1;
    size_t bytes = ToAnsi(text.substr(i, step)).size();
    if (used + bytes > maxBytes) break;
    used += bytes;
    i += step;
  }
  return std::wstring(text.substr(0, i));
}

std::string CutAnsiOnWholeChars(std::string_view ansi, size_t maxBytes) {
  if (ansi.size() <= maxBytes) return std::string(ansi);
  return ToAnsi(PrefixFittingAnsiBytes(FromAnsi(ansi), maxBytes));
}

}  // namespace foundation
