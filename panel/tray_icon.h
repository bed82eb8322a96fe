// The panel's one icon in the notification area: id 0, callback message
// 0x500, the panel window's small icon and the tip "Pindle ". Each call builds
// its record afresh; a failed call is not noticed (the next "TaskbarCreated"
// adds the icon again).
#pragma once
#include <windows.h>

#include <string>

namespace panel {

inline constexpr UINT kTrayIconId = 0;
// The short product name and one blank.
inline constexpr wchar_t kTrayTip[] = L"Pindle ";

void SysTrayAdd(HWND panel);
void UpdateTips(HWND panel);
void SysTrayDel(HWND panel);
// A balloon on the icon (information icon).
void TiShi(HWND panel, const std::wstring& title, const std::wstring& text);

}  // namespace panel
