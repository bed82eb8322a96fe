// What Windows reads from each program's file, in the 64-bit build and in the
// 32-bit one (loaded as data; it never runs here): the manifest that has it
// run with the user's own rights and report its true version, the icon
// Explorer shows, and the version record. And that the icon files the
// programs carry are what their drawing makes today.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/handles.h"
#include "foundation/program_icon.h"
#include "program_version.h"
#include "support/temp_dir.h"

namespace {

using testing_support::ReadFileBytes;

// A folder of the host as Wine's drive Z: shows it, with a trailing "\".
std::wstring HostFolder(const char* unixPath) {
  std::wstring path = L"Z:" + foundation::FromUtf8(unixPath) + L"\\";
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::string Narrow(const std::wstring& text) { return foundation::ToUtf8(text); }

struct ProgramFile {
  const char* arch;
  const wchar_t* exe;
  const wchar_t* product;
  const wchar_t* iconFile;  // under assets/
};

std::ostream& operator<<(std::ostream& out, const ProgramFile& p) { return out << p.arch << " " << Narrow(p.exe); }

std::wstring BinFolder(const ProgramFile& p) {
  return std::string(p.arch) == "x64" ? foundation::AppPath() : HostFolder(X86_BIN_DIR);
}

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
  reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(
      IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name);
  return TRUE;
}

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The names of the resources of a type in the file's order ("#n" for ids).
std::vector<std::wstring> ResourceNames(HMODULE module, const wchar_t* type) {
  std::vector<std::wstring> names;
  ::EnumResourceNamesW(module, type, AddName, reinterpret_cast<LONG_PTR>(&names));
  return names;
}

int LanguageCount(HMODULE module, const wchar_t* type, const wchar_t* name) {
  int count = 0;
  ::EnumResourceLanguagesW(module, type, name, CountLanguage, reinterpret_cast<LONG_PTR>(&count));
  return count;
}

std::string ResourceBytes(HMODULE module, const wchar_t* type, const wchar_t* name) {
  HRSRC found = ::FindResourceW(module, name, type);
  HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  return data ? std::string(static_cast<const char*>(data), ::SizeofResource(module, found)) : std::string();
}

uint32_t Le(const std::string& bytes, size_t at, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes.at(at + static_cast<size_t>(i)));
  return v;
}

// The images of an icon file by their width.
std::map<int, std::string> IconFileImages(const std::string& file) {
  std::map<int, std::string> images;
  if (file.size() < 6) return images;
  for (uint32_t i = 0; i < Le(file, 4, 2); ++i) {
    const size_t entry = 6 + 16 * i;
    const int width = static_cast<uint8_t>(file.at(entry)) == 0 ? 256 : static_cast<uint8_t>(file.at(entry));
    images[width] = file.substr(Le(file, entry + 12, 4), Le(file, entry + 8, 4));
  }
  return images;
}

// The images of an icon group resource by their width.
std::map<int, std::string> IconGroupImages(HMODULE module, const wchar_t* group) {
  std::map<int, std::string> images;
  const std::string dir = ResourceBytes(module, RT_GROUP_ICON, group);
  if (dir.size() < 6) return images;
  for (uint32_t i = 0; i < Le(dir, 4, 2); ++i) {
    const size_t entry = 6 + 14 * i;
    const int width = static_cast<uint8_t>(dir.at(entry)) == 0 ? 256 : static_cast<uint8_t>(dir.at(entry));
    images[width] = ResourceBytes(module, RT_ICON, MAKEINTRESOURCEW(Le(dir, entry + 12, 2)));
  }
  return images;
}

std::wstring VersionText(const std::vector<char>& record, const std::wstring& key) {
  void* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(record.data(), key.c_str(), &value, &length) || !value || length == 0) return L"";
  return static_cast<const wchar_t*>(value);
}

class ProgramFileTest : public testing::TestWithParam<ProgramFile> {
 protected:
  void SetUp() override {
    path_ = BinFolder(GetParam()) + GetParam().exe;
    ASSERT_NE(::GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES)
        << Narrow(path_) << " is missing: tools/build.sh " << GetParam().arch << " builds it";
    module_.reset(::LoadLibraryExW(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(module_) << Narrow(path_) << " can't be read as a program file (" << ::GetLastError() << ")";
  }
  std::wstring path_;
  foundation::UniqueModule module_;
};

TEST_P(ProgramFileTest, ManifestRunsItAsInvokerAndNamesWindows7To11) {
  // One manifest, the one CreateProcess reads, in one language (no second one
  // the linker might have added).
  ASSERT_EQ(ResourceNames(module_.get(), RT_MANIFEST), std::vector<std::wstring>{L"#1"}) << "no manifest";
  EXPECT_EQ(LanguageCount(module_.get(), RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID), 1);
  const std::string manifest = ResourceBytes(module_.get(), RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos)
      << manifest;
  for (const char* os : {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                         "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(manifest.find("<supportedOS Id=\"" + std::string(os) + "\"/>"), std::string::npos) << os;
  }
  // The common controls and the scaling stay as they were without one.
  EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
  EXPECT_EQ(manifest.find("dpiAware"), std::string::npos);  // dpiAwareness too
}

TEST_P(ProgramFileTest, FirstIconIsItsIconFileIn16And32And48Pixels) {
  const std::vector<std::wstring> groups = ResourceNames(module_.get(), RT_GROUP_ICON);
  ASSERT_FALSE(groups.empty()) << "no icon";
  EXPECT_EQ(groups.front(), L"#" + std::to_wstring(PROGRAM_ICON_ID));
  const std::map<int, std::string> carried = IconGroupImages(module_.get(), MAKEINTRESOURCEW(PROGRAM_ICON_ID));
  const std::map<int, std::string> file =
      IconFileImages(ReadFileBytes(HostFolder(ASSETS_DIR) + GetParam().iconFile));
  for (int size : {16, 32, 48}) {
    ASSERT_EQ(carried.count(size), 1u) << size;
    EXPECT_FALSE(carried.at(size).empty()) << size;
  }
  EXPECT_TRUE(carried == file) << "the program's icon differs from assets/" << Narrow(GetParam().iconFile);
}

TEST_P(ProgramFileTest, VersionRecordNamesTheProductAndItsVersion) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path_.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version record";
  std::vector<char> record(size);
  ASSERT_TRUE(::GetFileVersionInfoW(path_.c_str(), 0, size, record.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const WORD numbers[] = {PROGRAM_VERSION_NUMBERS};
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(numbers[1], numbers[0])));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(numbers[3], numbers[2])));
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  // The strings of the record's first (only) translation.
  void* translations = nullptr;
  ASSERT_TRUE(::VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &translations, &length));
  ASSERT_GE(length, 4u);
  const WORD* translation = static_cast<const WORD*>(translations);
  wchar_t block[64];
  swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  EXPECT_EQ(VersionText(record, block + std::wstring(L"ProductName")), GetParam().product);
  EXPECT_EQ(VersionText(record, block + std::wstring(L"FileDescription")).find(GetParam().product), 0u);
  EXPECT_EQ(VersionText(record, block + std::wstring(L"FileVersion")), foundation::FromUtf8(PROGRAM_VERSION_TEXT));
  EXPECT_EQ(VersionText(record, block + std::wstring(L"ProductVersion")), foundation::FromUtf8(PROGRAM_VERSION_TEXT));
  EXPECT_EQ(VersionText(record, block + std::wstring(L"OriginalFilename")), GetParam().exe);
}

INSTANTIATE_TEST_SUITE_P(BothArchitectures, ProgramFileTest,
                         testing::Values(ProgramFile{"x64", L"Tarnwick.exe", L"Tarnwick", L"tarnwick.ico"},
                                         ProgramFile{"x64", L"Brackmere.exe", L"Brackmere", L"brackmere.ico"},
                                         ProgramFile{"x86", L"Tarnwick.exe", L"Tarnwick", L"tarnwick.ico"},
                                         ProgramFile{"x86", L"Brackmere.exe", L"Brackmere", L"brackmere.ico"}),
                         [](const testing::TestParamInfo<ProgramFile>& info) {
                           return info.param.arch + std::string("_") +
                                  Narrow(std::wstring(info.param.exe).substr(0, std::wstring(info.param.exe).find(L'.')));
                         });

TEST(ProgramIcons, FilesAreWhatTheirDrawingMakes) {
  testing_support::TempDir out;
  std::wstring command = L"\"" + foundation::AppPath() + L"icon_maker.exe\" \"" + out.path().substr(0, out.path().size() - 1) + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  foundation::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
  ASSERT_EQ(::WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
  DWORD code = 1;
  ::GetExitCodeProcess(process.get(), &code);
  ASSERT_EQ(code, 0u);
  for (const wchar_t* icon : {L"tarnwick.ico", L"brackmere.ico"}) {
    const std::string drawn = ReadFileBytes(out / icon);
    ASSERT_FALSE(drawn.empty()) << Narrow(icon);
    EXPECT_TRUE(drawn == ReadFileBytes(HostFolder(ASSETS_DIR) + icon))
        << "assets/" << Narrow(icon) << " is not what tools/icon_maker draws: tools/make_icons.sh writes it afresh";
  }
}

}  // namespace
