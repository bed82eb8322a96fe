// Window control for tests: acts on one window given by its handle in signed
// decimal. Prints results on stdout; exit code 0 on success, 1 when the window
// call failed, 2 on a bad command line. Usage: tests/fakes/README.md.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "foundation/handle_text.h"

using foundation::TextToHandle;

namespace {

int Usage() {
  std::fputs(
      "usage: wincontrol activate <hwnd> | move <hwnd> <x> <y> <width> <height> | close <hwnd> |\n"
      "       retitle <hwnd> <title> | rect <hwnd> | foreground\n",
      stderr);
  return 2;
}

bool ParseInt(const wchar_t* text, int* value) {
  wchar_t* end = nullptr;
  long v = std::wcstol(text, &end, 10);
  if (end == text || *end != L'\0') return false;
  *value = static_cast<int>(v);
  return true;
}

int Activate(HWND hwnd) {
  if (::IsIconic(hwnd)) ::ShowWindow(hwnd, SW_RESTORE);
  if (!::SetForegroundWindow(hwnd)) return 1;
  // Wait until the switch took effect, so the caller can rely on it.
  for (int i = 0; i < 100 && ::GetForegroundWindow() != hwnd; ++i) ::Sleep(10);
  return ::GetForegroundWindow() == hwnd ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  const std::wstring command = argv[1];
  if (command == L"foreground") {
    std::printf("%ls\n", foundation::HandleToText(::GetForegroundWindow()).c_str());
    return 0;
  }
  HWND hwnd = nullptr;
  if (argc < 3 || !TextToHandle(argv[2], &hwnd)) return Usage();
  if (!::IsWindow(hwnd)) return 1;

  if (command == L"activate" && argc == 3) return Activate(hwnd);
  if (command == L"close" && argc == 3) return ::PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == L"retitle" && argc == 4) return ::SetWindowTextW(hwnd, argv[3]) ? 0 : 1;
  if (command == L"rect" && argc == 3) {
    RECT r;
    if (!::GetWindowRect(hwnd, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  if (command == L"move" && argc == 7) {
    int v[4];
    for (int i = 0; i < 4; ++i) {
      if (!ParseInt(argv[3 + i], &v[i])) return Usage();
    }
    return ::SetWindowPos(hwnd, nullptr, v[0], v[1], v[2], v[3], SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
  }
  return Usage();
}
