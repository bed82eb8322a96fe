// The one window-procedure trampoline of our window classes: the object
// pointer travels in lpCreateParams, lives in GWLP_USERDATA from WM_NCCREATE
// and is dropped at WM_NCDESTROY. No C++ exception crosses into user32.
#pragma once
#include <windows.h>

namespace foundation {

struct WindowClassInfo {
  const wchar_t* name;
  UINT style = CS_DBLCLKS;
  HCURSOR cursor = nullptr;  // nullptr: the arrow
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
};

// Registers the class once per process with WindowBase's procedure (later
// calls with the same name do nothing).
bool RegisterWindowClassOnce(const WindowClassInfo& info);

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  // Destroys the window if it still exists.
  virtual ~WindowBase();

  HWND hwnd() const noexcept { return hwnd_; }

  // The object behind one of our windows, or nullptr.
  static WindowBase* FromHandle(HWND hwnd) noexcept;

  // The class procedure of every window class registered here.
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

 protected:
  // Registers the class if needed and creates the window; false on failure.
  bool CreateWindowObject(const WindowClassInfo& cls, DWORD exStyle, DWORD style, const wchar_t* title, int x, int y,
                          int width, int height, HWND parent, HMENU menuOrId);

  // The window's messages; the default hands them to DefWindowProcW.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called after WM_NCDESTROY, when hwnd() is already null.
  virtual void OnWindowDestroyed() {}

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace foundation
