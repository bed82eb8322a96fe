// Three small registry procedures, used by the programs for one value: the
// start-with-Windows entry of the panel. None shows a message; failures show
// only in the results.
#pragma once
#include <windows.h>

#include <string>

namespace foundation {

// Where the start-with-Windows value lives (under HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER, see auto_run.h) and its name.
inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kAutoRunValueName[] = L"Tarnwick";

// The longest text value GetRegValue reads, in characters; longer ones read as "".
inline constexpr DWORD kMaxRegTextChars = 1023;

// Writes a value, creating its key when needed. REG_SZ and REG_EXPAND_SZ store
// the text; REG_DWORD stores the decimal number the text holds (a text that is
// not such a number is refused); other types are refused. Empty data is stored
// as one blank, and the caller's variable becomes that blank too. True only when
// the key was opened or created and the value written.
bool SetRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName, std::wstring& data,
                 DWORD valueType);

// A value as text: REG_SZ and REG_EXPAND_SZ up to their first NUL (not
// expanded), REG_DWORD as its unsigned decimal number; "" for any other type, a
// missing key or value, a text longer than kMaxRegTextChars, or no access.
// Reads with query access only, so an ordinary user can read HKEY_LOCAL_MACHINE.
std::wstring GetRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName);

// Removes a value; a missing key or value changes nothing and reports nothing.
void DeleteRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName);

}  // namespace foundation
