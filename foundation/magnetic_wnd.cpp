#include "foundation/magnetic_wnd.h"

#include <cstdint>

namespace foundation {

namespace {

std::uintptr_t Key(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }
HWND Handle(std::uintptr_t key) { return reinterpret_cast<HWND>(key); }

IntRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const IntRect& r) { return {r.left, r.top, r.right, r.bottom}; }

IntPoint CursorPos() {
  POINT pt{};
  ::GetCursorPos(&pt);
  return {pt.x, pt.y};
}

IntRect WorkArea() {
  RECT rc{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
  return FromRect(rc);
}

// A window's screen rectangle; a window that is gone keeps what was last taken.
void TakeWindowRect(MagneticEntry& e) {
  RECT rc{};
  if (::GetWindowRect(Handle(e.window), &rc)) e.rect = FromRect(rc);
}

}  // namespace

cMagneticWnd::cMagneticWnd() : list_(1), links_(1) {}

cMagneticWnd::~cMagneticWnd() {
  // Last registered first; the host accepts any order.
  while (links_.size() > 1) links_.pop_back();
}

bool cMagneticWnd::AddWindow(HWND hwnd, HWND parent) {
  if (!hwnd || FindWindowIndex(list_, Key(hwnd)) != 0) return false;
  if (!::IsWindow(hwnd) || (parent && !::IsWindow(parent))) return false;
  auto link = std::make_unique<cSubclsThunk>();
  link->AddAfterMsgs({WM_ENTERSIZEMOVE});
  link->AddBeforeMsgs({WM_SIZING, WM_MOVING});
  link->AddAfterMsgs({WM_EXITSIZEMOVE, WM_SYSCOMMAND, WM_COMMAND});
  if (!link->Subclass(hwnd, this)) return false;
  MagneticEntry entry;
  entry.window = Key(hwnd);
  entry.parent = Key(parent);
  list_.push_back(entry);
  links_.push_back(std::move(link));
  CheckGlue();
  return true;
}

bool cMagneticWnd::RemoveWindow(HWND hwnd) {
  const std::size_t index = hwnd ? FindWindowIndex(list_, Key(hwnd)) : 0;
  if (index == 0) return false;
  // Keep the link alive until the lists are consistent: removing it may run
  // while one of its own calls is in flight, which the host allows.
  std::unique_ptr<cSubclsThunk> link = std::move(links_[index]);
  list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(index));
  links_.erase(links_.begin() + static_cast<std::ptrdiff_t>(index));
  for (auto& e : list_)
    if (e.parent == Key(hwnd)) e.parent = 0;
  link.reset();
  CheckGlue();
  return true;
}

void cMagneticWnd::CheckGlueing() { CheckGlue(); }

bool cMagneticWnd::IsGlued(HWND hwnd) const {
  const std::size_t index = FindWindowIndex(list_, Key(hwnd));
  return index != 0 && list_[index].glued;
}

void cMagneticWnd::CheckGlue() {
  for (std::size_t i = 1; i < list_.size(); ++i) TakeWindowRect(list_[i]);
  foundation::CheckGlue(list_);
}

void cMagneticWnd::StartSizeMove(HWND hwnd) {
  list_[0].rect = WorkArea();
  for (std::size_t i = 1; i < list_.size(); ++i) {
    // A maximized window stands for the whole work area.
    if (::IsZoomed(Handle(list_[i].window))) list_[i].rect = list_[0].rect;
    else TakeWindowRect(list_[i]);
  }
  const std::size_t index = FindWindowIndex(list_, Key(hwnd));
  if (index == 0) return;
  moving_ = hwnd;
  startCursor_ = CursorPos();
  grip_ = {list_[index].rect.left - startCursor_.x, list_[index].rect.top - startCursor_.y};
}

void cMagneticWnd::Sizing(HWND hwnd, RECT* rc, int edge) {
  *rc = ToRect(SnapSizing(list_, Key(hwnd), FromRect(*rc), edge, snapWidth_));
}

void cMagneticWnd::Moving(HWND hwnd, RECT* rc) {
  // A WM_MOVING without the move loop's WM_ENTERSIZEMOVE (sent by a
  // program) would otherwise be placed with a stale grip: take the proposed
  // place as the grip instead.
  if (moving_ != hwnd) {
    StartSizeMove(hwnd);
    grip_ = {rc->left - startCursor_.x, rc->top - startCursor_.y};
  }
  const MoveStep step = SnapMoving(list_, Key(hwnd), FromRect(*rc), startCursor_, CursorPos(), grip_, snapWidth_);
  *rc = ToRect(step.rect);
  if (step.glued.empty()) return;
  // All glued windows in one batch, so the group moves in one repaint.
  HDWP batch = ::BeginDeferWindowPos(static_cast<int>(step.glued.size()));
  for (const GluedMove& g : step.glued) {
    if (!batch) break;
    batch = ::DeferWindowPos(batch, Handle(list_[g.index].window), nullptr, g.position.x, g.position.y, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (batch) ::EndDeferWindowPos(batch);
}

void cMagneticWnd::Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                          LPARAM& lParam) {
  auto* rc = reinterpret_cast<RECT*>(lParam);
  if (!rc) return;
  if (uMsg == WM_SIZING) {
    Sizing(hWnd, rc, static_cast<int>(wParam));
  } else if (uMsg == WM_MOVING) {
    Moving(hWnd, rc);
  } else {
    return;
  }
  // The system uses the rectangle as written back; the procedures inside this
  // link do not see the message.
  bHandled = true;
  lReturn = TRUE;
}

void cMagneticWnd::After(LRESULT&, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM) {
  switch (uMsg) {
    case WM_ENTERSIZEMOVE:
      StartSizeMove(hWnd);
      break;
    case WM_EXITSIZEMOVE:
      moving_ = nullptr;
      CheckGlue();
      break;
    case WM_COMMAND:
      CheckGlue();
      break;
    case WM_SYSCOMMAND: {
      // The low four bits of a system command are the system's own.
      const WPARAM command = wParam & 0xFFF0;
      if (command == SC_MINIMIZE || command == SC_RESTORE) CheckGlue();
      break;
    }
    default:
      break;
  }
}

}  // namespace foundation
