#include "foundation/process_name.h"

#include <psapi.h>

#include <iterator>

#include "foundation/handles.h"
#include "foundation/path_fields.h"

namespace foundation {

// QueryFullProcessImageNameW needs only limited query rights, works on a
// process of the other bitness and costs a fraction of the module walk under
// Wine (one server call instead of reading the loader's lists).
std::wstring ProcessImagePathByQuery(DWORD pid) {
  UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  return process ? ProcessImagePath(process.get()) : std::wstring();
}

std::wstring ProcessImagePath(HANDLE process) {
  wchar_t buf[MAX_PATH * 2];
  DWORD size = static_cast<DWORD>(std::size(buf));
  if (!::QueryFullProcessImageNameW(process, 0, buf, &size)) return {};
  return std::wstring(buf, size);
}

// The first module of a process is its executable. The module walk needs
// query and read rights (0x410) and fails across bitness, hence only a fallback.
std::wstring ProcessImagePathByModules(DWORD pid) {
  UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  if (!process) return {};
  HMODULE modules[50];
  DWORD needed = 0;
  if (!::EnumProcessModules(process.get(), modules, sizeof(modules), &needed) || needed == 0) return {};
  wchar_t buf[MAX_PATH];
  DWORD n = ::GetModuleFileNameExW(process.get(), modules[0], buf, MAX_PATH);
  return std::wstring(buf, n);
}

namespace {

std::wstring TrimBlanks(std::wstring s) {
  size_t first = s.find_first_not_of(L' ');
  if (first == std::wstring::npos) return {};
  size_t last = s.find_last_not_of(L' ');
  return s.substr(first, last - first + 1);
}

}  // namespace

std::wstring GetWindowExeName(HWND hwnd) {
  if (!hwnd) return {};
  DWORD pid = 0;
  if (!::GetWindowThreadProcessId(hwnd, &pid) || pid == 0) return {};
  std::wstring path = ProcessImagePathByQuery(pid);
  if (path.empty()) path = ProcessImagePathByModules(pid);
  path = TrimBlanks(std::move(path));
  if (path.empty()) return {};
  return GetExeNameFromPath(path);
}

}  // namespace foundation
