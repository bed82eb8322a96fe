#include "foundation/core/category_name.h"

#include "foundation/core/literal_path.h"

namespace foundation {

const wchar_t kInvalidCategoryNameMessage[] =
    L"分类名称只能是表情文件夹下的一个文件夹名,不能含有 \\ / : * ? \" < > | 等字符,不能以空格或 . 结尾,"
    L"也不能是 . 或 ..,请重新输入！";

namespace {

bool IsRefusedCharacter(wchar_t c) {
  if (c < 0x20) return true;
  switch (c) {
    case L'<': case L'>': case L':': case L'"': case L'/': case L'\\': case L'|': case L'?': case L'*':
      return true;
    default:
      return false;
  }
}

bool HasRefusedCharacter(std::wstring_view text) {
  for (wchar_t c : text) {
    if (IsRefusedCharacter(c)) return true;
  }
  return false;
}

}  // namespace

bool IsPlainName(std::wstring_view component) {
  if (component.empty() || HasRefusedCharacter(component)) return false;
  // "." and ".." leave the folder ("a..b" is a name like any other). A name
  // the system reshapes (a dot or blank at the end is dropped, a device name
  // opens the device) would make another file or folder than the one named,
  // or none.
  if (component == L"." || component == L"..") return false;
  return !IsReshapedName(component);
}

CategoryNameVerdict CheckCategoryName(std::wstring_view name, bool allowNesting) {
  if (name.find_first_not_of(L' ') == std::wstring_view::npos) return CategoryNameVerdict::kBlank;
  if (!allowNesting && name.find(L'\\') != std::wstring_view::npos) return CategoryNameVerdict::kInvalid;
  size_t start = 0;
  for (;;) {
    const size_t end = name.find(L'\\', start);
    const std::wstring_view component = name.substr(start, end == std::wstring_view::npos ? end : end - start);
    if (!IsPlainName(component)) return CategoryNameVerdict::kInvalid;
    if (end == std::wstring_view::npos) return CategoryNameVerdict::kOk;
    start = end + 1;
  }
}

bool IsListedCategoryName(std::wstring_view name) {
  return !name.empty() && name != L"." && name != L".." && !HasRefusedCharacter(name);
}

}  // namespace foundation
