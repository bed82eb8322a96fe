// The executable name of the process behind a window.
#pragma once
#include <windows.h>

#include <string>

namespace foundation {

// File name (no folder) of the executable of the process that owns hwnd, in
// the letter case the system reports; "" for 0, a destroyed window or a process
// that can't be queried. Opens and closes one process handle per call.
std::wstring GetWindowExeName(HWND hwnd);

// The full image path of a process, "" when it can't be queried: by
// QueryFullProcessImageNameW (the route GetWindowExeName takes first), and by
// the first module of the process (its fallback).
std::wstring ProcessImagePathByQuery(DWORD pid);
// The same query on a process handle with at least limited query rights.
std::wstring ProcessImagePath(HANDLE process);
std::wstring ProcessImagePathByModules(DWORD pid);

}  // namespace foundation
