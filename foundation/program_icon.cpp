#include "foundation/program_icon.h"

namespace foundation {

HICON LoadProgramIcon(int size) {
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(PROGRAM_ICON_ID), IMAGE_ICON,
                                         size, size, LR_DEFAULTCOLOR));
}

}  // namespace foundation
