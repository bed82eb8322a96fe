#include "foundation/app_path.h"

#include <windows.h>

#include "foundation/path_fields.h"

namespace foundation {

std::wstring ProgramFile() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      return buf;
    }
    buf.resize(buf.size() * 2);
  }
}

std::wstring AppPath() {
  std::wstring path = ProgramFile();
  size_t pos = path.rfind(L'\\');
  return WithTrailingBackslash(pos == std::wstring::npos ? std::wstring() : path.substr(0, pos));
}

std::wstring ExeName() {
  std::wstring name = GetFileName(ProgramFile());
  size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

}  // namespace foundation
