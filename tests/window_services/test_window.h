// A plain top-level test window of a class registered with a given procedure.
#pragma once
#include <windows.h>

namespace testing_support {

class TestWindow {
 public:
  TestWindow() = default;
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow() { Destroy(); }

  // Registers className with proc (once per process and name) and creates a
  // hidden window of it with the given style.
  bool Create(const wchar_t* className, WNDPROC proc, DWORD style = WS_OVERLAPPEDWINDOW, int width = 300,
              int height = 200) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);  // fails harmlessly when already registered
    hwnd_ = ::CreateWindowExW(0, className, L"test", style, 10, 10, width, height, nullptr, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    return hwnd_ != nullptr;
  }
  void Destroy() {
    if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace testing_support
