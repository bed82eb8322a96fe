// Stands in for a program another one starts (the editor, the file explorer,
// the web browser): appends its command-line arguments as one UTF-8 line to
// "<its own file name without extension>.log" beside itself, then ends. A
// copy renamed to the program it stands for logs under that name.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
  wchar_t self[MAX_PATH] = {};
  const DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring log(self, n);
  const size_t dot = log.rfind(L'.');
  if (dot != std::wstring::npos) log.resize(dot);
  log += L".log";
  std::wstring line = args ? args : L"";
  line += L"\n";
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                          nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), bytes, nullptr,
                        nullptr);
  HANDLE f = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  ::WriteFile(f, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  ::CloseHandle(f);
  return 0;
}
