#include <gtest/gtest.h>
#include <windows.h>

#include "foundation/app_path.h"
#include "foundation/mod_data.h"
#include "foundation/path_fields.h"
#include "foundation/text_compare.h"
#include "support/message_recorder.h"

using namespace foundation;
using testing_support::MessageRecorder;

namespace {
std::wstring CurrentFolder() {
  wchar_t buf[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, buf);
  return WithTrailingBackslash(buf);
}
}  // namespace

TEST(ModData, AppPathIsTheProgramFolder) {
  const std::wstring app = AppPath();
  ASSERT_GE(app.size(), 3u);
  EXPECT_EQ(app.back(), L'\\');
  EXPECT_NE(app[app.size() - 2], L'\\');
  wchar_t exe[MAX_PATH];
  ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  EXPECT_EQ(app + GetFileName(exe), exe);
}

TEST(ModData, MainMakesProgramFolderCurrentAndOpensDatabase) {
  ::SetCurrentDirectoryW(L"C:\\windows");
  MessageRecorder boxes;
  bool shown = false;
  Main([&] {
    shown = true;
    EXPECT_TRUE(TextEquals(CurrentFolder(), AppPath()));
    EXPECT_TRUE(DBConnection.IsOpen());
  });
  EXPECT_TRUE(shown);
  EXPECT_TRUE(boxes.messages.empty());
  auto rs = OpenRecordset(DBConnection, L"select  * from BTZ where id=1");
  ASSERT_TRUE(rs.has_value());
  EXPECT_EQ(rs->RecordCount(), 1);
}

TEST(ModData, FailureWhileShowingIsReportedOnce) {
  MessageRecorder boxes;
  Main([] { throw ProgramError(5, L"x", L"y"); });
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0].text, L"Ky 错误 #5\r\n错误源： x\r\n\r\nDescription: y");
  EXPECT_EQ(boxes.messages[0].title, L"Ky 运行时错误");
  EXPECT_EQ(boxes.messages[0].style, static_cast<unsigned>(MB_ICONSTOP | MB_OK));
  EXPECT_EQ(CurrentError().number, 0);
  ShowPendingError();  // nothing pending any more
  EXPECT_EQ(boxes.messages.size(), 1u);
}
