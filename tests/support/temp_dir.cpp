#include "support/temp_dir.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/library_ops.h"

namespace testing_support {
namespace {

std::vector<std::wstring> Entries(const std::wstring& folder, bool folders) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    if (((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == folders) names.push_back(name);
  } while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TempDir::TempDir() {
  wchar_t base[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    std::wstring candidate = std::wstring(base) + L"tw-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                             std::to_wstring(++counter) + L"\\";
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
}

TempDir::~TempDir() { RemoveTree(path_); }

// The programs' own removal of a scratch folder: read-only entries too, past
// whatever stays, links as links, names taken literally.
void RemoveTree(const std::wstring& path) { foundation::RemoveScratchFolder(path); }

std::vector<std::wstring> FilesIn(const std::wstring& folder) { return Entries(folder, false); }
std::vector<std::wstring> FoldersIn(const std::wstring& folder) { return Entries(folder, true); }

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream f(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream f(std::filesystem::path(path), std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> ReadLogLines(const std::wstring& path) {
  std::vector<std::string> lines;
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return lines;
  std::string all;
  char buf[4096];
  DWORD n = 0;
  while (::ReadFile(f, buf, sizeof(buf), &n, nullptr) && n > 0) all.append(buf, n);
  ::CloseHandle(f);
  size_t start = 0;
  for (size_t nl; (nl = all.find('\n', start)) != std::string::npos; start = nl + 1) {
    std::string line = all.substr(start, nl - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace testing_support
