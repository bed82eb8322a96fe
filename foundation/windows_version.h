// Which Windows the programs run on, as far as they care: Windows 2000 and
// later trim their working set, and Windows 2003 copies pictures to the
// clipboard by another road. Versions after 5.2 fall into no class.
#pragma once

namespace foundation {

enum class WindowsVersion {
  kFailed,  // the platform id is neither 9x (1) nor NT (2)
  kNone,    // a known platform with an unlisted version (also everything after 5.2)
  kWin95,
  kWin98,
  kWinMe,
  kWinNT351,
  kWinNT4,
  kWin2000,
  kWinXP,
  kWin2003,
};

// Pure classification of the platform id and version numbers that the
// system's version record reports.
WindowsVersion ClassifyWindowsVersion(unsigned long platformId, unsigned long major, unsigned long minor);

// The running system's class.
WindowsVersion GetWindowsVersion();
// True for Windows 2000, XP and 2003 (not for later versions).
bool IsWin2000OrLater();
// True for every system that reports 5.2.
bool IsWin2003();

}  // namespace foundation
