#include "support/pack_site.h"

#include <windows.h>

#include "foundation/app_path.h"

namespace testing_support {

PackSite::PackSite() : packs_(dir_ / L"www\\tolvery\\"), server_(dir_ / L"www") {
  ::CreateDirectoryW((dir_ / L"www").c_str(), nullptr);
  ::CreateDirectoryW(packs_.c_str(), nullptr);
}

std::wstring PackSite::Fixture(const std::wstring& name) { return foundation::AppPath() + L"pack_fixtures\\" + name; }

void PackSite::Serve(const std::wstring& name, const std::wstring& fixture, const std::wstring& how) {
  ::CopyFileW(Fixture(fixture).c_str(), (packs_ + name + how).c_str(), FALSE);
}

void PackSite::ServeBytes(const std::wstring& name, const std::string& bytes, const std::wstring& how) {
  WriteFileBytes(packs_ + name + how, bytes);
}

void PackSite::ServePadded(const std::wstring& name, const std::wstring& fixture, uint64_t size) {
  ServeBytes(name, std::to_string(size) + "\n" + ReadFileBytes(Fixture(fixture)), L".padded");
}

void PackSite::WriteList(const std::wstring& lines) {
  std::string bytes;
  if (!lines.empty()) {
    const int n = ::WideCharToMultiByte(936, 0, lines.data(), static_cast<int>(lines.size()), nullptr, 0, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(n));
    ::WideCharToMultiByte(936, 0, lines.data(), static_cast<int>(lines.size()), bytes.data(), n, nullptr, nullptr);
  }
  WriteFileBytes(packs_ + L"FaceList.txt", bytes);
}

}  // namespace testing_support
