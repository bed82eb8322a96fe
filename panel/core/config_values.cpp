#include "panel/core/config_values.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

#include "foundation/core/rounding.h"

namespace panel {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::optional<double> ParseConfigNumber(std::wstring_view text) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  if (b == e) return std::nullopt;
  // Only a plain decimal form: sign, digits, one point, an exponent. No hex, inf or nan.
  const std::wstring s(text.substr(b, e - b));
  size_t i = 0;
  if (s[i] == L'+' || s[i] == L'-') ++i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == L'.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == L'e' || s[i] == L'E')) {
    ++i;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) ++i;
    size_t expDigits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != s.size()) return std::nullopt;
  double v = std::wcstod(s.c_str(), nullptr);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

std::wstring ClampPercentText(std::wstring_view text) {
  auto v = ParseConfigNumber(text);
  if (!v) return L"50";
  if (*v < 0) return L"0";
  if (*v > 100) return L"100";
  return std::wstring(text);
}

int ClampInputMode(std::wstring_view text) {
  auto v = ParseConfigNumber(text);
  if (!v) return 2;
  if (*v < 0) return 0;
  if (*v > 2) return 2;
  return static_cast<int>(foundation::RoundHalfEven(*v));
}

int32_t ConfigPosition(std::wstring_view text, int32_t fallback) {
  auto v = ParseConfigNumber(text);
  if (!v) return fallback;
  const int64_t r = foundation::RoundHalfEven(*v);
  if (r < INT32_MIN || r > INT32_MAX) return fallback;
  return static_cast<int32_t>(r);
}

}  // namespace panel
