#include "bench/panel/bench_process.h"

namespace bench {
namespace {

struct Find {
  DWORD pid;
  const wchar_t* cls;
  int id;
  HWND found;
};

bool Matches(HWND h, const Find& f) {
  wchar_t cls[64] = {};
  ::GetClassNameW(h, cls, 64);
  return std::wstring(cls) == f.cls && (f.id < 0 || ::GetDlgCtrlID(h) == f.id);
}

BOOL CALLBACK FindTopLevel(HWND h, LPARAM l) {
  auto* f = reinterpret_cast<Find*>(l);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  if (pid != f->pid || !Matches(h, *f)) return TRUE;
  f->found = h;
  return FALSE;
}

BOOL CALLBACK FindInside(HWND h, LPARAM l) {
  auto* f = reinterpret_cast<Find*>(l);
  if (!Matches(h, *f)) return TRUE;
  f->found = h;
  return FALSE;
}

}  // namespace

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

double Now() {
  static LARGE_INTEGER f = [] {
    LARGE_INTEGER v;
    ::QueryPerformanceFrequency(&v);
    return v;
  }();
  LARGE_INTEGER c;
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

HANDLE Start(const std::wstring& folder, const std::wstring& commandLine) {
  std::wstring cmd = commandLine;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) return nullptr;
  ::CloseHandle(pi.hThread);
  return pi.hProcess;
}

HWND FindWindowOf(HANDLE process, const wchar_t* cls) {
  Find f{::GetProcessId(process), cls, -1, nullptr};
  ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

HWND FindChild(HWND parent, const wchar_t* cls, int id) {
  Find f{0, cls, id, nullptr};
  if (parent) ::EnumChildWindows(parent, FindInside, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

}  // namespace bench
