#include "bench/window_crowd/window_crowd.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "foundation/handle_text.h"

namespace bench {
namespace {

constexpr wchar_t kHostSwitch[] = L"--window-crowd";

LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY && ::GetWindowLongPtrW(h, GWLP_USERDATA) == 1) ::PostQuitMessage(0);
  return ::DefWindowProcW(h, m, w, l);
}

int RunHost(int count, bool chatFirst, bool idleTimer) {
  const wchar_t* classes[] = {L"TXGuiFoundation", L"BenchEditor", L"BenchBrowserFrame", L"BenchToolWindow"};
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  for (const wchar_t* c : classes) {
    wc.lpszClassName = c;
    ::RegisterClassW(&wc);
  }
  HWND first = nullptr, other = nullptr;
  for (int i = 0; i < count; ++i) {
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (i % 4 != 0) style |= WS_VISIBLE;            // a quarter hidden
    if (i % 5 == 0) style = WS_POPUP | WS_VISIBLE;  // some without a system menu
    wchar_t title[64];
    std::swprintf(title, 64, L"文档 %d - 编辑器", i);
    const wchar_t* cls = classes[1 + i % 3];
    int x = 10 + i, y = 10 + i, w = 300, h = 200;
    if (i == 0 && chatFirst) {
      style = 0x960F0000;  // the chat window's style
      cls = classes[0];
      std::swprintf(title, 64, L"张三 - 交谈中");
      x = 100, y = 50, w = 500, h = 500;
    }
    HWND hwnd = ::CreateWindowExW(0, cls, title, style & ~WS_VISIBLE, x, y, w, h, nullptr, nullptr, wc.hInstance,
                                  nullptr);
    if (style & WS_VISIBLE) ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    if (i == 0) first = hwnd;
    if (i == 1) other = hwnd;
  }
  // Closing the first window ends the host.
  ::SetWindowLongPtrW(first, GWLP_USERDATA, 1);
  if (idleTimer) ::SetTimer(first, 1, 1, nullptr);
  if (chatFirst) ::SetForegroundWindow(first);
  std::printf("ready %ls %ls\n", foundation::HandleToText(first).c_str(),
              foundation::HandleToText(other ? other : first).c_str());
  std::fflush(stdout);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}

BOOL CALLBACK CountProc(HWND, LPARAM l) {
  ++*reinterpret_cast<int*>(l);
  return TRUE;
}

}  // namespace

int RunWindowCrowdHostIfAsked(int argc, wchar_t** argv) {
  if (argc != 5 || std::wstring(argv[1]) != kHostSwitch) return -1;
  return RunHost(std::max(1, _wtoi(argv[2])), _wtoi(argv[3]) != 0, _wtoi(argv[4]) != 0);
}

bool StartWindowCrowd(int count, bool chatFirst, WindowCrowd* crowd, bool idleTimer) {
  *crowd = {};
  if (count <= 0) return true;
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0)) return false;
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring cmd = L"\"" + std::wstring(self) + L"\" " + kHostSwitch + L" " + std::to_wstring(count) +
                     (chatFirst ? L" 1" : L" 0") + (idleTimer ? L" 1" : L" 0");
  STARTUPINFOW si{sizeof(si)};
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  const BOOL ok = ::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  ::CloseHandle(writeEnd);
  if (!ok) {
    ::CloseHandle(readEnd);
    return false;
  }
  ::CloseHandle(pi.hThread);
  crowd->process = pi.hProcess;
  std::string line;
  char c;
  DWORD n;
  while (::ReadFile(readEnd, &c, 1, &n, nullptr) && n == 1 && c != '\n') line += c;
  ::CloseHandle(readEnd);
  if (line.rfind("ready ", 0) != 0) return false;
  std::string value = line.substr(6);
  if (!value.empty() && value.back() == '\r') value.pop_back();  // text-mode stdout
  const std::wstring handles(value.begin(), value.end());
  const size_t blank = handles.find(L' ');
  return blank != std::wstring::npos && foundation::TextToHandle(handles.substr(0, blank), &crowd->first) &&
         foundation::TextToHandle(handles.substr(blank + 1), &crowd->other);
}

void StopWindowCrowd(WindowCrowd& crowd) {
  if (!crowd.process) return;
  ::PostMessageW(crowd.first, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(crowd.process, 5000) != WAIT_OBJECT_0) ::TerminateProcess(crowd.process, 1);
  ::CloseHandle(crowd.process);
  crowd = {};
}

int CountTopLevelWindows() {
  int count = 0;
  ::EnumWindows(CountProc, reinterpret_cast<LPARAM>(&count));
  return count;
}

}  // namespace bench
