// The panel's options file: section "Config" of AppPath & "Config.ini".
#pragma once
#include <string>

namespace panel {

inline constexpr wchar_t kConfigFile[] = L"Config.ini";
inline constexpr wchar_t kConfigSection[] = L"Config";

std::wstring ConfigPath();
// Puts the options file elsewhere (tests keep theirs apart from the program's
// folder); "" brings back the program's own.
void SetConfigPath(std::wstring path);
std::wstring ReadConfig(const wchar_t* key);
// The first failed write of the process shows the options file's error box.
void WriteConfig(const wchar_t* key, const std::wstring& value);

}  // namespace panel
