#include "foundation/registry.h"

#include <cstring>
#include <cwchar>
#include <string_view>

#include "foundation/handles.h"

namespace foundation {

namespace {

struct RegKeyTraits {
  using handle_type = HKEY;
  static HKEY null() noexcept { return nullptr; }
  static void close(HKEY h) noexcept { ::RegCloseKey(h); }
};
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

// A whole decimal number that fits a DWORD (a leading "-" wraps, as a 32-bit
// signed value written into the DWORD would).
bool ParseDword(const std::wstring& text, DWORD& value) {
  std::wstring_view digits = text;
  bool negative = !digits.empty() && digits.front() == L'-';
  if (negative) digits.remove_prefix(1);
  if (digits.empty() || digits.size() > 10) return false;
  unsigned long long n = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return false;
    n = n * 10 + static_cast<unsigned>(c - L'0');
  }
  if (negative ? n > 0x80000000ull : n > 0xFFFFFFFFull) return false;
  value = static_cast<DWORD>(negative ? 0 - n : n);
  return true;
}

}  // namespace

bool SetRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName, std::wstring& data,
                 DWORD valueType) {
  if (data.empty()) data = L" ";
  DWORD number = 0;
  const BYTE* bytes = nullptr;
  DWORD size = 0;
  if (valueType == REG_SZ || valueType == REG_EXPAND_SZ) {
    bytes = reinterpret_cast<const BYTE*>(data.c_str());
    size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  } else if (valueType == REG_DWORD && ParseDword(data, number)) {
    bytes = reinterpret_cast<const BYTE*>(&number);
    size = sizeof(number);
  } else {
    return false;
  }
  HKEY raw = nullptr;
  // Write access only, and a handle no child process inherits.
  if (::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
    return false;
  UniqueRegKey key(raw);
  return ::RegSetValueExW(key.get(), valueName.c_str(), 0, valueType, bytes, size) == ERROR_SUCCESS;
}

std::wstring GetRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName) {
  HKEY raw = nullptr;
  // Query access is all a read needs; asking for more fails for ordinary users
  // under HKEY_LOCAL_MACHINE and would read as "value absent".
  if (::RegOpenKeyExW(root, subKey.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return L"";
  UniqueRegKey key(raw);
  wchar_t buffer[kMaxRegTextChars + 1] = {};
  DWORD type = 0;
  DWORD size = sizeof(buffer);
  if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS)
    return L"";
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    // The stored data need not end in a NUL: never read past what was returned.
    size_t chars = size / sizeof(wchar_t);
    return std::wstring(buffer, wcsnlen(buffer, chars));
  }
  if (type == REG_DWORD && size >= sizeof(DWORD)) {
    DWORD value = 0;
    std::memcpy(&value, buffer, sizeof(value));
    return std::to_wstring(value);
  }
  return L"";
}

void DeleteRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName) {
  HKEY raw = nullptr;
  if (::RegOpenKeyExW(root, subKey.c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS) return;
  UniqueRegKey key(raw);
  ::RegDeleteValueW(key.get(), valueName.c_str());
}

}  // namespace foundation
