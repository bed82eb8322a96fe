// Keeps the Wine desktop in use for as long as a session lasts.
//
// Wine's desktop window lives in a process of its own (explorer.exe /desktop),
// which the wineserver closes about a second after the last thread using the
// desktop has gone. The next program that needs the desktop starts a new one,
// and that process inherits the starter's standard error: when the starter is
// a test, the desktop process holds the test's output pipe open until the
// desktop next falls idle, so the test passes and then looks hung to ctest.
// One thread that stays on the desktop for the whole session keeps the first
// desktop process (started by this program, its output on /dev/null) alive.
// The session ends this program with the wineserver.
//
//   desktop_keeper.exe [ready file]   the file is created once the desktop is up
#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The first window call attaches this thread to the desktop, starting the
  // desktop process when there is none yet.
  if (!::GetDesktopWindow()) return 1;
  if (__argc > 1) {
    HANDLE ready = ::CreateFileW(__wargv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    ::CloseHandle(ready);
  }
  for (;;) ::Sleep(INFINITE);
}
