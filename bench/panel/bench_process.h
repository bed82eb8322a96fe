// What the panel benchmark's parts share: a clock, starting a program from
// the application folder, finding a process's windows, and waiting.
#pragma once
#include <windows.h>

#include <string>

namespace bench {

// This program's folder, with a trailing backslash.
std::wstring ProgramFolder();
// Milliseconds of the performance counter.
double Now();
// Starts a program with its folder as the current one; its process handle or nullptr.
HANDLE Start(const std::wstring& folder, const std::wstring& commandLine);
// The top-level window of that class of the process, or nullptr.
HWND FindWindowOf(HANDLE process, const wchar_t* cls);
// The first child of that class inside a window, or nullptr.
HWND FindChild(HWND parent, const wchar_t* cls, int id = -1);

template <class Pred>
bool WaitFor(Pred pred, double timeoutMs) {
  const double start = Now();
  while (!pred()) {
    if (Now() - start > timeoutMs) return false;
    ::Sleep(1);
  }
  return true;
}

}  // namespace bench
