#include "foundation/temp_files.h"

#include <windows.h>

#include <functional>

#include "foundation/core/fresh_name.h"
#include "foundation/handles.h"

namespace foundation {
namespace {

constexpr unsigned kTries = 1000;

// The first path that make() creates itself; a path that exists already
// (anyone's) is passed over.
std::wstring FirstMade(const std::wstring& folder, const std::wstring& prefix, const std::wstring& suffix,
                       const std::function<bool(const std::wstring&)>& make) {
  const DWORD pid = ::GetCurrentProcessId();
  for (unsigned i = ::GetTickCount() % 100000, tries = 0; tries < kTries; ++i, ++tries) {
    const std::wstring path = folder + FreshName(prefix, pid, i) + suffix;
    if (make(path)) return path;
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS && error != ERROR_ACCESS_DENIED) break;
  }
  return {};
}

}  // namespace

std::wstring GetTempDir() {
  const DWORD needed = ::GetTempPathW(0, nullptr);
  std::wstring path(needed, L'\0');
  const DWORD got = needed ? ::GetTempPathW(needed, path.data()) : 0;
  path.resize(got < needed ? got : 0);
  if (path.empty() || path.back() != L'\\') path += L'\\';
  return path;
}

std::wstring MakeFreshFile(const std::wstring& folder, const std::wstring& prefix, const std::wstring& extension) {
  return FirstMade(folder, prefix, extension, [](const std::wstring& path) {
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
  });
}

std::wstring MakeFreshFolder(const std::wstring& folder, const std::wstring& prefix) {
  const std::wstring made = FirstMade(folder, prefix, L"", [](const std::wstring& path) {
    return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
  });
  return made.empty() ? made : made + L"\\";
}

}  // namespace foundation
