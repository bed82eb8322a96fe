#include "foundation/core/fresh_name.h"

namespace foundation {
namespace {

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

// A run of decimal digits that fits 32 bits, taken from the front of text.
std::optional<uint32_t> TakeNumber(std::wstring_view& text) {
  size_t n = 0;
  uint64_t value = 0;
  while (n < text.size() && text[n] >= L'0' && text[n] <= L'9' && n < 10) {
    value = value * 10 + static_cast<uint64_t>(text[n] - L'0');
    ++n;
  }
  if (n == 0 || value > UINT32_MAX) return std::nullopt;
  text.remove_prefix(n);
  return static_cast<uint32_t>(value);
}

}  // namespace

std::wstring FreshName(std::wstring_view prefix, uint32_t processId, uint32_t number) {
  return std::wstring(prefix) + std::to_wstring(processId) + L"-" + std::to_wstring(number);
}

std::optional<uint32_t> FreshNameOwner(std::wstring_view name, std::wstring_view prefix) {
  if (name.size() <= prefix.size()) return std::nullopt;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiLower(name[i]) != AsciiLower(prefix[i])) return std::nullopt;
  }
  name.remove_prefix(prefix.size());
  const std::optional<uint32_t> owner = TakeNumber(name);
  if (!owner || name.empty() || name.front() != L'-') return std::nullopt;
  name.remove_prefix(1);
  if (!TakeNumber(name) || !name.empty()) return std::nullopt;
  return owner;
}

}  // namespace foundation
