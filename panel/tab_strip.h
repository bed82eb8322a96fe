// The panel's three tab buttons: the first and the last select their page;
// the middle one starts the editor program instead of showing its page.
#pragma once
#include <windows.h>

#include <array>

#include "controls/command.h"

namespace panel {

inline constexpr wchar_t kEditorProgram[] = L"Brackmere.exe";
inline constexpr wchar_t kEditorMissing[] = L"Wrenlow程序丢失,请重新安装程序！";

class TabStrip {
 public:
  TabStrip(HWND panel, std::array<controls::Command*, 3> buttons, std::array<HWND, 3> pages)
      : panel_(panel), buttons_(buttons), pages_(pages) {}

  void Command_Click(int index);

 private:
  HWND panel_;
  std::array<controls::Command*, 3> buttons_;
  std::array<HWND, 3> pages_;
};

}  // namespace panel
