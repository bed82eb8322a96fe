#include "foundation/windows_version.h"

#include <windows.h>

namespace foundation {

WindowsVersion ClassifyWindowsVersion(unsigned long platformId, unsigned long major, unsigned long minor) {
  if (platformId == VER_PLATFORM_WIN32_WINDOWS) {  // the 9x line: told apart by the minor number alone
    switch (minor) {
      case 0: return WindowsVersion::kWin95;
      case 10: return WindowsVersion::kWin98;
      case 90: return WindowsVersion::kWinMe;
      default: return WindowsVersion::kNone;
    }
  }
  if (platformId == VER_PLATFORM_WIN32_NT) {
    if (major == 3) return WindowsVersion::kWinNT351;
    if (major == 4) return WindowsVersion::kWinNT4;
    if (major == 5) {
      switch (minor) {
        case 0: return WindowsVersion::kWin2000;
        case 1: return WindowsVersion::kWinXP;
        case 2: return WindowsVersion::kWin2003;
        default: return WindowsVersion::kNone;
      }
    }
    return WindowsVersion::kNone;
  }
  return WindowsVersion::kFailed;
}

WindowsVersion GetWindowsVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!::GetVersionExW(&info)) return WindowsVersion::kFailed;
  return ClassifyWindowsVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

bool IsWin2000OrLater() {
  WindowsVersion v = GetWindowsVersion();
  return v == WindowsVersion::kWin2000 || v == WindowsVersion::kWinXP || v == WindowsVersion::kWin2003;
}

bool IsWin2003() { return GetWindowsVersion() == WindowsVersion::kWin2003; }

}  // namespace foundation
