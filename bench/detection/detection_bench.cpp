// Times one docking tick's detection work: enumerating the top-level windows
// into the chat-window list, pruning it, the strict test on the foreground
// window and its executable name. The windows live in a child process (this
// program started with --host), as the QQ client's and everyone else's do for
// the panel. Prints microseconds per tick for 20 and for 200 windows.
// Run under Wine with tools/run_bench.sh detection_bench.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "foundation/chat_windows.h"
#include "foundation/handle_text.h"
#include "foundation/process_name.h"
#include "foundation/text_compare.h"

using namespace foundation;

namespace {

LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY && ::GetWindowLongPtrW(h, GWLP_USERDATA) == 1) ::PostQuitMessage(0);
  return ::DefWindowProcW(h, m, w, l);
}

// The host: one chat window in front and count - 1 other windows, most of them
// visible with a system menu (the ones the enumeration has to look at).
int RunHost(int count) {
  const wchar_t* classes[] = {L"TXGuiFoundation", L"BenchEditor", L"BenchBrowserFrame", L"BenchToolWindow"};
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  for (const wchar_t* c : classes) {
    wc.lpszClassName = c;
    ::RegisterClassW(&wc);
  }
  HWND chat = ::CreateWindowExW(0, classes[0], L"张三 - 交谈中", 0x960F0000 & ~WS_VISIBLE, 100, 50, 500, 500, nullptr,
                                nullptr, wc.hInstance, nullptr);
  ::SetWindowLongPtrW(chat, GWLP_USERDATA, 1);
  ::ShowWindow(chat, SW_SHOW);
  for (int i = 1; i < count; ++i) {
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (i % 4 != 0) style |= WS_VISIBLE;      // a quarter hidden
    if (i % 5 == 0) style = WS_POPUP | WS_VISIBLE;  // some without a system menu
    wchar_t title[64];
    std::swprintf(title, 64, L"文档 %d - 编辑器", i);
    HWND w = ::CreateWindowExW(0, classes[1 + i % 3], title, style & ~WS_VISIBLE, 10 + i, 10 + i, 300, 200, nullptr,
                               nullptr, wc.hInstance, nullptr);
    if (style & WS_VISIBLE) ::ShowWindow(w, SW_SHOWNOACTIVATE);
  }
  ::SetForegroundWindow(chat);
  std::printf("ready %ls\n", HandleToText(chat).c_str());
  std::fflush(stdout);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart);
}

struct Host {
  HANDLE process = nullptr;
  HWND chat = nullptr;
};

bool StartHost(int count, Host* host) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0)) return false;
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring cmd = L"\"" + std::wstring(self) + L"\" --host " + std::to_wstring(count);
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
  host->process = pi.hProcess;
  std::string line;
  char c;
  DWORD n;
  while (::ReadFile(readEnd, &c, 1, &n, nullptr) && n == 1 && c != '\n') line += c;
  ::CloseHandle(readEnd);
  if (line.rfind("ready ", 0) != 0) return false;
  std::string value = line.substr(6);
  if (!value.empty() && value.back() == '\r') value.pop_back();  // text-mode stdout
  return TextToHandle(std::wstring(value.begin(), value.end()), &host->chat);
}

void StopHost(Host& host) {
  ::PostMessageW(host.chat, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(host.process, 5000) != WAIT_OBJECT_0) ::TerminateProcess(host.process, 1);
  ::CloseHandle(host.process);
}

BOOL CALLBACK CountProc(HWND, LPARAM l) {
  ++*reinterpret_cast<int*>(l);
  return TRUE;
}
BOOL CALLBACK EmptyProc(HWND, LPARAM) { return TRUE; }
BOOL CALLBACK StyleOnlyProc(HWND h, LPARAM l) {
  *reinterpret_cast<LONG*>(l) ^= ::GetWindowLongW(h, GWL_STYLE);
  return TRUE;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

double Decile(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 10, v.end());
  return v[v.size() / 10];
}

template <class F>
double MedianMicros(int calls, F&& f) {
  std::vector<double> samples;
  for (int i = 0; i < calls; ++i) {
    const double start = Now();
    f();
    samples.push_back(Now() - start);
  }
  return Median(samples);
}

void Measure(int count) {
  Host host;
  if (!StartHost(count, &host)) {
    std::printf("%d windows: the host did not start\n", count);
    return;
  }
  for (int i = 0; i < 100 && ::GetForegroundWindow() != host.chat; ++i) {
    ::SetForegroundWindow(host.chat);
    ::Sleep(10);
  }
  int topLevel = 0;
  ::EnumWindows(CountProc, reinterpret_cast<LPARAM>(&topLevel));
  const HWND fg = ::GetForegroundWindow();

  ChatWindowList list;
  const int ticks = count > 100 ? 1000 : 3000;
  // Per-tick samples: the machine may be shared, so medians and the fastest
  // decile say more than a mean that one stall can double.
  std::vector<double> enumerate, prune, check, exeName, total;
  size_t nameChars = 0;  // keeps the name call from being optimised away
  for (int warm = 0; warm < 50; ++warm) EnumChatWindows(list);
  for (int i = 0; i < ticks; ++i) {
    const double t0 = Now();
    EnumChatWindows(list);
    const double t1 = Now();
    PruneChatWindowList(list);
    const double t2 = Now();
    const bool chat = CheckQQWin(fg, false);
    const double t3 = Now();
    // The docking loop asks for the name only while a chat window is in front.
    if (chat) nameChars += TextEquals(GetWindowExeName(fg), kQqExeName) ? 1 : 0;
    const double t4 = Now();
    enumerate.push_back(t1 - t0);
    prune.push_back(t2 - t1);
    check.push_back(t3 - t2);
    exeName.push_back(t4 - t3);
    total.push_back(t4 - t0);
  }
  std::printf("%4d windows (%d top-level in all, %d listed, foreground %s): median %.1f us per tick (fastest decile %.1f)\n",
              count, topLevel, list.Count(), fg == host.chat ? "the chat window" : "another window", Median(total),
              Decile(total));
  std::printf("       median enumerate %.1f + prune %.1f + strict test %.1f + executable name %.1f us; "
              "%.1f%% of a core at 100 ticks/s\n",
              Median(enumerate), Median(prune), Median(check), Median(exeName), Median(total) / 100.0);
  std::printf("       without the class memo and with EnumWindows: enumerate %.1f us (median)\n",
              MedianMicros(ticks / 4, [] {
                ChatWindowList fresh;
                ::EnumWindows(EnumChatWindowsProc, reinterpret_cast<LPARAM>(&fresh));
              }));
  LONG sink = 0;
  std::printf("       floor (medians): EnumWindows alone %.1f us, with one GetWindowLongW per window %.1f us\n",
              MedianMicros(ticks, [] { ::EnumWindows(EmptyProc, 0); }),
              MedianMicros(ticks, [&] { ::EnumWindows(StyleOnlyProc, reinterpret_cast<LPARAM>(&sink)); }));
  DWORD pid = 0;
  ::GetWindowThreadProcessId(host.chat, &pid);
  std::printf("       executable path (medians): QueryFullProcessImageNameW %.1f us, module walk %.1f us per call\n",
              MedianMicros(200, [&] { ProcessImagePathByQuery(pid); }),
              MedianMicros(50, [&] { ProcessImagePathByModules(pid); }));
  if (nameChars > static_cast<size_t>(ticks)) std::printf("?\n");
  StopHost(host);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"--host") return RunHost(std::max(1, _wtoi(argv[2])));
  std::printf("Detection work of one docking tick (the loop runs about 100 ticks a second)\n");
  // Like the panel, this thread owns a window: without one, every
  // GetDesktopWindow under Wine is a server round trip.
  HWND own = ::CreateWindowExW(0, L"STATIC", L"panel", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
  Measure(20);
  Measure(200);
  ::DestroyWindow(own);
  return 0;
}
