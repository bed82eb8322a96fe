// Values of profile (INI) files: ANSI text on disk, read and written through
// the wide profile functions, which keep a file's code-page encoding.
#pragma once
#include <string>

namespace foundation {

// Longest value ReadIni hands back, in bytes of the ANSI code page.
inline constexpr size_t kIniValueMaxBytes = 254;
inline constexpr wchar_t kIniWriteFailed[] =
    L"写入信息时出错,请确定您有足够的权限！";

// The value, cut to its first 254 bytes (whole characters), or "" on any failure.
std::wstring ReadIni(const std::wstring& section, const std::wstring& key, const std::wstring& file);

// What a failed write tells the user.
enum class IniWriteFailure {
  // One stop box for the first failed write of the process, none after it: a
  // folder the user can't write fails every write the same way, and one box
  // says all there is to say.
  kTellOnce,
  // Nothing: a record no one reads, in a place the user can do nothing about.
  kQuiet,
};

// Writes the value; true when it was stored. The caller carries on either way.
// A bare file name means the file of that name in the Windows directory.
bool WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file, IniWriteFailure onFailure = IniWriteFailure::kTellOnce);

}  // namespace foundation
