#include "panel/desktop_monitors.h"

#include <windows.h>

#include "panel/core/desktop_layout.h"

namespace panel {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
  reinterpret_cast<std::vector<foundation::IntRect>*>(list)->push_back({r->left, r->top, r->right, r->bottom});
  return TRUE;
}

}  // namespace

std::vector<foundation::IntRect> MonitorRects() {
  std::vector<foundation::IntRect> monitors;
  if (!::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors))) monitors.clear();
  return monitors;
}

int HiddenTop(int height) { return TopAboveDesktop(MonitorRects(), height); }

}  // namespace panel
