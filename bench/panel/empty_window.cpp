// A program that only shows an empty window: the panel benchmark times its
// start as the floor that Wine's process start sets.
#include <windows.h>

namespace {
LRESULT CALLBACK EmptyWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(h, msg, w, l);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = EmptyWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"BenchEmptyWindow";
  ::RegisterClassW(&wc);
  ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                    instance, nullptr);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
