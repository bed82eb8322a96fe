#include "controls/mouse_over.h"

namespace controls {

bool IsMouseOver(HWND hwnd) {
  POINT pt{};
  if (!hwnd || !::GetCursorPos(&pt)) return false;
  return ::WindowFromPoint(pt) == hwnd;
}

}  // namespace controls
