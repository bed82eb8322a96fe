#include "foundation/window_base.h"

#include <set>
#include <string>

namespace foundation {

bool RegisterWindowClassOnce(const WindowClassInfo& info) {
  static std::set<std::wstring> registered;
  if (registered.count(info.name)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = info.style;
  wc.lpfnWndProc = WindowBase::WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = info.cursor ? info.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = info.background;
  wc.hIcon = info.icon;
  wc.hIconSm = info.smallIcon;
  wc.lpszClassName = info.name;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  registered.insert(info.name);
  return true;
}

WindowBase::~WindowBase() {
  if (hwnd_) {
    // Detach first: the object is half destroyed, its handlers must not run.
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    HWND h = hwnd_;
    hwnd_ = nullptr;
    ::DestroyWindow(h);
  }
}

WindowBase* WindowBase::FromHandle(HWND hwnd) noexcept {
  // Only windows of our classes carry an object in their user data.
  if (!hwnd || reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hwnd, GCLP_WNDPROC)) != WindowProc) return nullptr;
  return reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool WindowBase::CreateWindowObject(const WindowClassInfo& cls, DWORD exStyle, DWORD style, const wchar_t* title,
                                    int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
  if (!RegisterWindowClassOnce(cls)) return false;
  HWND h = ::CreateWindowExW(exStyle, cls.name, title, style, x, y, width, height, parent, menuOrId,
                             ::GetModuleHandleW(nullptr), this);
  return h != nullptr && hwnd_ == h;
}

LRESULT WindowBase::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  WindowBase* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE && !self) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    self = static_cast<WindowBase*>(cs->lpCreateParams);
    if (self) {
      self->hwnd_ = hwnd;
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->HandleMessage(msg, wParam, lParam);
  } catch (...) {
    result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnWindowDestroyed();
  }
  return result;
}

}  // namespace foundation
