#include "foundation/core/literal_path.h"

#include <array>
#include <cwctype>

namespace foundation {
namespace {

constexpr std::wstring_view kLiteralPrefix = L"\\\\?\\";
constexpr std::wstring_view kLiteralUncPrefix = L"\\\\?\\UNC\\";

bool EqualsAscii(std::wstring_view text, std::wstring_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (std::towupper(text[i]) != upper[i]) return false;
  }
  return true;
}

bool IsDriveRoot(std::wstring_view path) {
  return path.size() >= 3 && std::iswalpha(path[0]) && path[1] == L':' && path[2] == L'\\';
}

}  // namespace

bool IsDeviceName(std::wstring_view component) {
  std::wstring_view stem = component.substr(0, component.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
  static constexpr std::array<std::wstring_view, 4> kPlain = {L"CON", L"PRN", L"AUX", L"NUL"};
  for (auto name : kPlain) {
    if (EqualsAscii(stem, name)) return true;
  }
  if (stem.size() == 4 && stem[3] >= L'1' && stem[3] <= L'9') {
    return EqualsAscii(stem.substr(0, 3), L"COM") || EqualsAscii(stem.substr(0, 3), L"LPT");
  }
  return false;
}

bool IsReshapedName(std::wstring_view component) {
  if (component.empty() || component == L"." || component == L"..") return false;
  return component.back() == L'.' || component.back() == L' ' || IsDeviceName(component);
}

bool IsLiteralPath(std::wstring_view path) { return path.substr(0, kLiteralPrefix.size()) == kLiteralPrefix; }

std::wstring LiteralPath(std::wstring_view path) {
  const bool drive = IsDriveRoot(path);
  const bool unc = !drive && path.size() > 2 && path.substr(0, 2) == L"\\\\" && !IsLiteralPath(path);
  if ((!drive && !unc) || path.find(L'/') != std::wstring_view::npos) return std::wstring(path);
  bool reshaped = false;
  for (size_t start = drive ? 3 : 2; start < path.size();) {
    size_t end = path.find(L'\\', start);
    if (end == std::wstring_view::npos) end = path.size();
    const std::wstring_view component = path.substr(start, end - start);
    if (component == L"." || component == L"..") return std::wstring(path);
    reshaped = reshaped || IsReshapedName(component);
    start = end + 1;
  }
  if (!reshaped) return std::wstring(path);
  return drive ? std::wstring(kLiteralPrefix) + std::wstring(path)
               : std::wstring(kLiteralUncPrefix) + std::wstring(path.substr(2));
}

std::wstring OrdinaryPath(std::wstring_view path) {
  if (path.substr(0, kLiteralUncPrefix.size()) == kLiteralUncPrefix)
    return L"\\\\" + std::wstring(path.substr(kLiteralUncPrefix.size()));
  if (IsLiteralPath(path)) return std::wstring(path.substr(kLiteralPrefix.size()));
  return std::wstring(path);
}

}  // namespace foundation
