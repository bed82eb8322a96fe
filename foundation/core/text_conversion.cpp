#include "foundation/core/text_conversion.h"

#include <cmath>
#include <cstdlib>

#include "foundation/text_compare.h"

namespace foundation {
namespace {

// A blank line means "keep the character": spaces anywhere don't count.
bool IsBlankLine(std::wstring_view line) {
  for (wchar_t c : line) {
    if (c != L' ') return false;
  }
  return true;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::wstring ConvertToTraditional(std::wstring_view text, std::wstring_view source, std::wstring_view target) {
  std::wstring result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const std::wstring_view c = text.substr(i, 1);
    const int p = FindTextPos(source, c);
    if (p < 1) {
      result += c;
      continue;
    }
    const size_t at = static_cast<size_t>(p - 1);
    if (at >= target.size()) continue;  // the table is short: the character is dropped
    if (target[at] == L'*') {
      result += c;
    } else {
      result += target[at];
    }
  }
  return result;
}

std::wstring ConvertToMarsText(std::wstring_view text, const MarsTables& tables, RandomSource& random) {
  std::wstring result;
  result.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    const int p = FindTextPos(tables.sourceChars, std::wstring_view(&c, 1));
    if (p < 1) {
      result += c;
    } else {
      RandomNumberText(random);  // re-seeds and spends one draw
      const size_t line = static_cast<size_t>(p - 1);
      std::wstring_view alternatives;
      if (tables.alternatives && line < tables.alternatives->size()) alternatives = (*tables.alternatives)[line];
      if (IsBlankLine(alternatives)) {
        result += c;
      } else {
        result += PickRandomAlternative(alternatives, random);
      }
    }
    if (tables.decorationsOn) result += PickDecoration(tables.randomPercent, tables.decorationChars, random);
  }
  return result;
}

std::wstring PickRandomAlternative(std::wstring_view list, RandomSource& random) {
  if (!ContainsText(list, L",")) return std::wstring(list);
  std::vector<std::wstring_view> pieces;
  size_t start = 0;
  for (;;) {
    const size_t comma = list.find(L',', start);
    if (comma == std::wstring_view::npos) {
      pieces.push_back(list.substr(start));
      break;
    }
    pieces.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  const double last = static_cast<double>(pieces.size() - 1);
  long long index = RoundHalfEven(last * random.Next());
  // A scripted or faulty source outside [0, 1) must not index past the list.
  if (index < 0) index = 0;
  if (index >= static_cast<long long>(pieces.size())) index = static_cast<long long>(pieces.size()) - 1;
  return std::wstring(pieces[static_cast<size_t>(index)]);
}

std::wstring RandomNumberText(RandomSource& random) {
  random.Reseed();
  long long n = RoundHalfEven(random.Next() * 100.0);
  if (n < 0) n = 0;
  if (n > 100) n = 100;
  return std::to_wstring(n);
}

std::wstring PickDecoration(std::wstring_view randomPercent, std::wstring_view decorationChars, RandomSource& random) {
  const double n = LeadingNumber(RandomNumberText(random));
  const double v = LeadingNumber(randomPercent);
  if (v > n) return RandomDecoration(decorationChars, random);
  return {};
}

std::wstring RandomDecoration(std::wstring_view decorationChars, RandomSource& random) {
  random.Reseed();
  const double r = random.Next();
  const double length = static_cast<double>(decorationChars.size());
  const long long position = RoundHalfEven(r * length + 1.0);
  if (position < 1 || position > static_cast<long long>(decorationChars.size())) return {};
  return std::wstring(1, decorationChars[static_cast<size_t>(position - 1)]);
}

double LeadingNumber(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == L'.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  size_t end = i;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) ++j;
    size_t expDigits = 0;
    while (j < text.size() && IsDigit(text[j]) && expDigits < 6) ++j, ++expDigits;
    if (expDigits > 0) end = j;
  }
  std::string ascii;
  for (size_t k = start; k < end; ++k) ascii.push_back(static_cast<char>(text[k]));
  const double value = std::strtod(ascii.c_str(), nullptr);
  return std::isfinite(value) ? value : 0;
}

}  // namespace foundation
