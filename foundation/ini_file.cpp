#include "foundation/ini_file.h"

#include <windows.h>

#include <atomic>

#include "foundation/ansi_text.h"
#include "foundation/message_box.h"

namespace foundation {

std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& file) {
  // Read generously, then cut as a 255-byte ANSI buffer would: at most 254
  // bytes of value, never half of a double-byte character.
  std::wstring buf(4096, L'\0');
  DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buf.data(), static_cast<DWORD>(buf.size()),
                                       file.c_str());
  buf.resize(n);
  return PrefixFittingAnsiBytes(buf, kIniValueMaxBytes);
}

bool WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file, IniWriteFailure onFailure) {
  if (::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str())) return true;
  static std::atomic<bool> told{false};
  if (onFailure == IniWriteFailure::kTellOnce && !told.exchange(true))
    ShowMessage(nullptr, kIniWriteFailed, kMessageTitle, kBoxStop);
  return false;
}

}  // namespace foundation
