#include "foundation/registry.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/app_path.h"

using namespace foundation;

namespace {

// A value name of the test's own under the real start-with-Windows key, and a
// key of its own: per process, since the tests run in parallel in one prefix.
const std::wstring kTestParent = L"SOFTWARE\\TarnwickRegistryTest" + std::to_wstring(::GetCurrentProcessId());
const std::wstring kTestKey = kTestParent + L"\\Sub";
const std::wstring kMissingKey = kTestParent + L"\\Missing";
const std::wstring kTestValue = L"TarnwickRegistryTest" + std::to_wstring(::GetCurrentProcessId());

class Registry : public ::testing::Test {
 protected:
  void TearDown() override {
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, kTestValue);
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kTestKey.c_str());
    ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kTestParent.c_str());
  }
  // Writes raw bytes, as another program could have left them.
  void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kTestKey.c_str(), name, type, data, size), ERROR_SUCCESS);
  }
};

}  // namespace

TEST_F(Registry, StartWithWindowsValueRoundTrip) {
  std::wstring path = AppPath() + L"Tarnwick.exe";
  ASSERT_TRUE(SetRegValue(HKEY_LOCAL_MACHINE, kRunKey, kTestValue, path, REG_SZ));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kRunKey, kTestValue), path);
  DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, kTestValue);
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kRunKey, kTestValue), L"");
  DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKey, kTestValue);  // gone already: nothing happens
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kRunKey, kTestValue), L"");
}

TEST_F(Registry, ChineseTextSurvivesWhateverTheCodePage) {
  std::wstring path = L"C:\\程序\\表情\\Tarnwick.exe";
  ASSERT_TRUE(SetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"路径", path, REG_SZ));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"路径"), path);
}

TEST_F(Registry, WritesCreateTheKeyAndEmptyDataBecomesABlank) {
  std::wstring data;
  ASSERT_TRUE(SetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"empty", data, REG_SZ));
  EXPECT_EQ(data, L" ");
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"empty"), L" ");

  std::wstring number = L"305419896";
  ASSERT_TRUE(SetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"dword", number, REG_DWORD));
  DWORD stored = 0, size = sizeof(stored), type = 0;
  ASSERT_EQ(::RegGetValueW(HKEY_LOCAL_MACHINE, kTestKey.c_str(), L"dword", RRF_RT_ANY, &type, &stored, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(stored, 0x12345678u);
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"dword"), L"305419896");

  std::wstring notANumber = L"12a";
  EXPECT_FALSE(SetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"bad", notANumber, REG_DWORD));
  std::wstring tooBig = L"4294967296";
  EXPECT_FALSE(SetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"bad", tooBig, REG_DWORD));
  std::wstring binary = L"x";
  EXPECT_FALSE(SetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"bad", binary, REG_BINARY));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"bad"), L"");
}

TEST_F(Registry, ReadsByTypeAndNeverOverrunTheBuffer) {
  DWORD one = 1;
  WriteRaw(L"one", REG_DWORD, &one, sizeof(one));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"one"), L"1");
  DWORD all = 0xFFFFFFFFu;
  WriteRaw(L"all", REG_DWORD, &all, sizeof(all));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"all"), L"4294967295");
  WORD shortDword = 7;  // a DWORD value shorter than four bytes
  WriteRaw(L"short", REG_DWORD, &shortDword, sizeof(shortDword));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"short"), L"");
  BYTE bytes[] = {0x41, 0, 0x42, 0};
  WriteRaw(L"binary", REG_BINARY, bytes, sizeof(bytes));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"binary"), L"");

  // Expandable text is not expanded; text stops at its first NUL.
  const wchar_t expand[] = L"%SystemRoot%\\x";
  WriteRaw(L"expand", REG_EXPAND_SZ, expand, sizeof(expand));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"expand"), L"%SystemRoot%\\x");
  const wchar_t twoParts[] = L"ab\0cd";
  WriteRaw(L"nul", REG_SZ, twoParts, sizeof(twoParts));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"nul"), L"ab");

  // Stored without its terminating NUL: read exactly, no further.
  std::wstring full(kMaxRegTextChars, L'z');
  WriteRaw(L"unterminated", REG_SZ, full.data(), static_cast<DWORD>(full.size() * sizeof(wchar_t)));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"unterminated"), full);
  const wchar_t odd[] = L"abc";
  WriteRaw(L"odd", REG_SZ, odd, 5);  // two characters and half of a third
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"odd"), L"ab");

  // The longest text that fits, and one character more.
  std::wstring longest(kMaxRegTextChars, L'y');
  ASSERT_TRUE(SetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"longest", longest, REG_SZ));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"longest"), longest);
  std::wstring tooLong(1100, L'y');
  ASSERT_TRUE(SetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"long", tooLong, REG_SZ));
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"long"), L"");

  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kTestKey, L"missing"), L"");
  EXPECT_EQ(GetRegValue(HKEY_LOCAL_MACHINE, kMissingKey, L"one"), L"");
  DeleteRegValue(HKEY_LOCAL_MACHINE, kMissingKey, L"one");
}
