#include "foundation/ansi_text.h"

#include <windows.h>

namespace foundation {
namespace {

// usedDefault (code pages other than UTF-8 only) reports a character that had
// no form of its own.
std::string Narrow(UINT codePage, std::wstring_view text, bool ansiDefault, DWORD flags = 0,
                   BOOL* usedDefault = nullptr) {
  if (text.empty()) return {};
  const int len = static_cast<int>(text.size());
  // WideCharToMultiByte refuses a default character for UTF-8.
  const char* defaultChar = ansiDefault ? "?" : nullptr;
  int n = ::WideCharToMultiByte(codePage, flags, text.data(), len, nullptr, 0, defaultChar, usedDefault);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, flags, text.data(), len, out.data(), n, defaultChar, usedDefault);
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

std::string ToAnsi(std::wstring_view text) { return Narrow(CP_ACP, text, true); }
std::wstring FromAnsi(std::string_view bytes) { return Widen(CP_ACP, bytes); }

bool ToAnsiExactly(std::wstring_view text, std::string* ansi) {
  BOOL usedDefault = FALSE;
  *ansi = Narrow(CP_ACP, text, false, WC_NO_BEST_FIT_CHARS, &usedDefault);
  return !usedDefault && (text.empty() || !ansi->empty());
}

std::string ToUtf8(std::wstring_view text) { return Narrow(CP_UTF8, text, false); }
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
