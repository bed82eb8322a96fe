// A child program for the window-service tests: reports what only a separate
// process can show (its own Windows version setting, the show command it was
// started with).
//   window_services_probe version <file>   writes "<class> <2000 or later> <2003>"
//   window_services_probe                  writes the show command to
//                                          window_services_probe_showcmd.txt beside itself
#include <windows.h>

#include <fstream>
#include <string>

#include "foundation/windows_version.h"

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"version") {
    std::ofstream out(argv[2]);
    out << static_cast<int>(foundation::GetWindowsVersion()) << ' ' << foundation::IsWin2000OrLater() << ' '
        << foundation::IsWin2003();
    return 0;
  }
  wchar_t path[MAX_PATH];
  DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path, n);
  file = file.substr(0, file.find_last_of(L'\\') + 1) + L"window_services_probe_showcmd.txt";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  ::GetStartupInfoW(&si);
  std::ofstream out(file.c_str());
  out << ((si.dwFlags & STARTF_USESHOWWINDOW) ? static_cast<int>(si.wShowWindow) : -1);
  return 0;
}
