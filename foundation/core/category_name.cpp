#include "foundation/core/category_name.h"

#include <array>
#include <cwctype>

namespace foundation {

const wchar_t kInvalidCategoryNameMessage[] =
    L"分类名称只能是表情文件夹下的一个文件夹名,不能含有 \\ / : * ? \" < > | 等字符,也不能是 . 或 ..,请重新输入！";

namespace {

bool IsRefusedCharacter(wchar_t c) {
  if (c < 0x20) return true;
  switch (c) {
    case L'<': case L'>': case L':': case L'"': case L'/': case L'|': case L'?': case L'*':
      return true;
    default:
      return false;
  }
}

bool EqualsAscii(std::wstring_view text, std::wstring_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (std::towupper(text[i]) != upper[i]) return false;
  }
  return true;
}

// Windows maps these names to devices in every folder, extension or not.
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

bool IsValidComponent(std::wstring_view component) {
  if (component.empty()) return false;
  for (wchar_t c : component) {
    if (IsRefusedCharacter(c)) return false;
  }
  // "." and ".." leave the folder, and anything with ".." in it reads as if
  // it did; a trailing dot is dropped by the file system, so the folder made
  // would not carry the name shown.
  if (component.find(L"..") != std::wstring_view::npos || component.back() == L'.') return false;
  // Only blanks: the folder would get no name at all.
  if (component.find_first_not_of(L' ') == std::wstring_view::npos) return false;
  return !IsDeviceName(component);
}

}  // namespace

CategoryNameVerdict CheckCategoryName(std::wstring_view name, bool allowNesting) {
  if (name.find_first_not_of(L' ') == std::wstring_view::npos) return CategoryNameVerdict::kBlank;
  if (!allowNesting && name.find(L'\\') != std::wstring_view::npos) return CategoryNameVerdict::kInvalid;
  size_t start = 0;
  for (;;) {
    const size_t end = name.find(L'\\', start);
    const std::wstring_view component = name.substr(start, end == std::wstring_view::npos ? end : end - start);
    if (!IsValidComponent(component)) return CategoryNameVerdict::kInvalid;
    if (end == std::wstring_view::npos) return CategoryNameVerdict::kOk;
    start = end + 1;
  }
}

}  // namespace foundation
