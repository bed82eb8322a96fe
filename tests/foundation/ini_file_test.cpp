#include <gtest/gtest.h>
#include <windows.h>

#include "foundation/ansi_text.h"
#include "foundation/handles.h"
#include "foundation/ini_file.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"

using namespace foundation;
using testing_support::MessageRecorder;
using testing_support::TempDir;

TEST(IniFile, AsciiRoundTrip) {
  TempDir dir;
  const std::wstring file = dir / L"Config.ini";
  MessageRecorder boxes;
  EXPECT_TRUE(WriteIni(L"Config", L"DefX", L"7230", file));
  EXPECT_TRUE(WriteIni(L"Config", L"First", L"1", file));
  EXPECT_EQ(ReadIni(L"Config", L"DefX", file), L"7230");
  EXPECT_EQ(ReadIni(L"config", L"FIRST", file), L"1");  // names match without regard to case
  // Rewriting replaces in place, with no blanks around "=".
  EXPECT_TRUE(WriteIni(L"Config", L"DefX", L"-300", file));
  const std::string bytes = testing_support::ReadFileBytes(file);
  EXPECT_NE(bytes.find("DefX=-300"), std::string::npos) << bytes;
  EXPECT_EQ(bytes.find("7230"), std::string::npos);
  EXPECT_TRUE(boxes.messages.empty());
}

TEST(IniFile, MissingFileSectionOrKeyReadsEmpty) {
  TempDir dir;
  const std::wstring file = dir / L"Config.ini";
  EXPECT_EQ(ReadIni(L"Config", L"First", file), L"");
  testing_support::WriteFileBytes(file, "[Other]\r\nFirst=1\r\n[Config]\r\nDuLi=1\r\n");
  EXPECT_EQ(ReadIni(L"Config", L"First", file), L"");
  EXPECT_EQ(ReadIni(L"Missing", L"DuLi", file), L"");
  EXPECT_EQ(ReadIni(L"Config", L"DuLi", file), L"1");
}

TEST(IniFile, ValueIsTrimmedAndUnquoted) {
  TempDir dir;
  const std::wstring file = dir / L"Config.ini";
  testing_support::WriteFileBytes(file, "[Config]\r\nA=  spaced  \r\nB=\"quoted\"\r\nC='single'\r\n");
  EXPECT_EQ(ReadIni(L"Config", L"A", file), L"spaced");
  EXPECT_EQ(ReadIni(L"Config", L"B", file), L"quoted");
  EXPECT_EQ(ReadIni(L"Config", L"C", file), L"single");
}

TEST(IniFile, LongValueIsCutTo254Bytes) {
  TempDir dir;
  const std::wstring file = dir / L"Config.ini";
  testing_support::WriteFileBytes(file, "[Config]\r\nLong=" + std::string(300, 'v') + "\r\n");
  EXPECT_EQ(ReadIni(L"Config", L"Long", file), std::wstring(254, L'v'));
}

TEST(IniFile, ChineseValueIsStoredInTheCodePage) {
  ASSERT_EQ(::GetACP(), 936u) << "this test needs the zh_CN locale";
  TempDir dir;
  const std::wstring file = dir / L"Config.ini";
  MessageRecorder boxes;
  const std::wstring value = L"默认表情";
  ASSERT_TRUE(WriteIni(L"Config", L"Name", value, file));
  // On disk: code-page 936 bytes, not UTF-16 or UTF-8.
  const std::string bytes = testing_support::ReadFileBytes(file);
  EXPECT_NE(bytes.find("Name=\xc4\xac\xc8\xcf\xb1\xed\xc7\xe9"), std::string::npos);
  EXPECT_EQ(ReadIni(L"Config", L"Name", file), value);

  // 200 Chinese characters are 400 bytes: 127 whole characters (254 bytes) come back.
  const std::wstring longValue(200, L'汉');
  ASSERT_TRUE(WriteIni(L"Config", L"Long", longValue, file));
  EXPECT_EQ(ReadIni(L"Config", L"Long", file), std::wstring(127, L'汉'));
  // An odd byte budget never splits a character: "a" + 127 characters = 255 bytes > 254.
  ASSERT_TRUE(WriteIni(L"Config", L"Odd", L"a" + longValue, file));
  EXPECT_EQ(ReadIni(L"Config", L"Odd", file), L"a" + std::wstring(126, L'汉'));
}

// The only test of this program that fails a write: the box is once per process.
TEST(IniFile, FailedWritesShowOneBoxInAll) {
  TempDir dir;
  MessageRecorder boxes;
  // A record nobody reads fails without a word, and leaves the one box for
  // the options that matter.
  const std::wstring folder = dir / L"Config.ini";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  EXPECT_FALSE(WriteIni(L"SetupPath", L"VAZidiVer", L"2.0", folder, IniWriteFailure::kQuiet));
  EXPECT_TRUE(boxes.messages.empty());

  // A folder where the file should be can't be written.
  EXPECT_FALSE(WriteIni(L"Config", L"LoadType", L"1", folder));
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0].text, L"写入信息时出错,请确定您有足够的权限！");
  EXPECT_EQ(boxes.messages[0].title, L"提示");
  EXPECT_EQ(boxes.messages[0].style, static_cast<unsigned>(MB_ICONSTOP | MB_OK));

  // Every later failure is quiet: the same file again, a missing folder, a
  // file held open exclusively.
  EXPECT_FALSE(WriteIni(L"Config", L"LoadFace", L"2", folder));
  EXPECT_FALSE(WriteIni(L"Config", L"X", L"1", dir / L"missing\\Config.ini"));
  const std::wstring file = dir / L"Other.ini";
  testing_support::WriteFileBytes(file, "[Config]\r\nFirst=1\r\n");
  UniqueFile held(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  EXPECT_FALSE(WriteIni(L"Config", L"First", L"2", file));
  held.reset();
  EXPECT_EQ(ReadIni(L"Config", L"First", file), L"1");
  EXPECT_EQ(boxes.messages.size(), 1u);

  // Writes that work go on working.
  EXPECT_TRUE(WriteIni(L"Config", L"First", L"2", file));
  EXPECT_EQ(ReadIni(L"Config", L"First", file), L"2");
}
