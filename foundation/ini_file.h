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
// Writes the value; a failed write shows one stop box and the caller carries on.
// A bare file name means the file of that name in the Windows directory.
bool WriteIni(const std::wstring& section, const std::wstring& key, const std::wstring& value,
              const std::wstring& file);

}  // namespace foundation
