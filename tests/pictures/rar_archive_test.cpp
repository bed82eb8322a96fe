// Extraction and listing through the real unrar.dll, on archives made at build
// time by the rar archiver (make_rar_fixtures.sh).
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "foundation/app_path.h"
#include "foundation/extraction_trail.h"
#include "foundation/file_ops.h"
#include "foundation/rar_archive.h"
#include "support/host_link.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"

using namespace foundation;
using testing_support::MessageRecorder;
using testing_support::ReadFileBytes;
using testing_support::TempDir;

namespace {

std::wstring Fixture(const wchar_t* name) { return AppPath() + L"rar_fixtures\\" + name; }

class RarArchive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(Fixture(L"plain.rar"))) << "fixtures not built";
    out_ = dir_ / L"out\\";
    CreateFolderTree(out_);
  }
  int16_t Extract(const wchar_t* archive, const std::wstring& password = L"") {
    return ProcessRarArchive(L"Extract", Fixture(archive), out_, password);
  }
  TempDir dir_;
  std::wstring out_;
  MessageRecorder messages_;
};

TEST_F(RarArchive, PlainArchiveInAnyLetterCase) {
  for (const wchar_t* name : {L"plain.rar", L"UPPER.RAR"}) {
    TempDir dir;
    EXPECT_EQ(ProcessRarArchive(L"Extract", Fixture(name), dir.path(), L""), 0) << name;
    EXPECT_EQ(ReadFileBytes(dir / L"a.gif"), "GIF89a plain a") << name;
    EXPECT_EQ(ReadFileBytes(dir / L"b.txt"), "text b") << name;
  }
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RarArchive, ChineseNamesAndNestedFoldersSurvive) {
  EXPECT_EQ(Extract(L"chinese.rar"), 0);
  EXPECT_EQ(ReadFileBytes(out_ + L"表情\\笑脸.gif"), "GIF89a smile");
  EXPECT_EQ(Extract(L"nested.rar"), 0);
  EXPECT_EQ(ReadFileBytes(out_ + L"d1\\d2\\deep.gif"), "deep");
  EXPECT_EQ(ReadFileBytes(out_ + L"d1\\top.gif"), "top");
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RarArchive, DestinationIsJoinedUnchanged) {
  EXPECT_EQ(ProcessRarArchive(L"Extract", Fixture(L"plain.rar"), out_ + L"pre_", L""), 0);
  EXPECT_TRUE(FileExists(out_ + L"pre_a.gif"));
  EXPECT_TRUE(FileExists(out_ + L"pre_b.txt"));
}

TEST_F(RarArchive, EncryptedNamesNeedThePassword) {
  EXPECT_EQ(Extract(L"encnames.rar"), -1);
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text,
            L"Filenames encrypted. To see the filenames, enter a password in the 'Password' box\r\n\r\n"
            L"then click on the 'Reload Archive Data' button at the bottom of window ");
  EXPECT_EQ(messages_.messages[0].style, static_cast<unsigned>(MB_ICONINFORMATION | MB_OK));
  EXPECT_FALSE(FileExists(out_ + L"a.gif"));
  EXPECT_EQ(Extract(L"encnames.rar", L"secret"), 0);
  EXPECT_EQ(ReadFileBytes(out_ + L"a.gif"), "GIF89a plain a");
  EXPECT_EQ(messages_.messages.size(), 1u);
}

TEST_F(RarArchive, PasswordProtectedContent) {
  EXPECT_EQ(Extract(L"password.rar", L"secret"), 0);
  EXPECT_EQ(ReadFileBytes(out_ + L"a.gif"), "GIF89a plain a");
  EXPECT_TRUE(messages_.messages.empty());
  for (const wchar_t* wrong : {L"", L"nope"}) {
    TempDir other;
    EXPECT_EQ(ProcessRarArchive(L"Extract", Fixture(L"password.rar"), other.path(), wrong), -1) << wrong;
    ASSERT_FALSE(messages_.messages.empty());
    EXPECT_EQ(messages_.messages.back().text, L"Unexpected end of archive");
    EXPECT_EQ(messages_.messages.back().title, L"Error");
  }
}

TEST_F(RarArchive, PasswordOutsideAscii) {
  EXPECT_EQ(Extract(L"chinese_password.rar", L"密码"), 0);
  EXPECT_EQ(ReadFileBytes(out_ + L"a.gif"), "GIF89a plain a");
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RarArchive, DamagedOrForeignArchives) {
  EXPECT_EQ(Extract(L"truncated.rar"), -1);
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text, L"Unexpected end of archive");

  EXPECT_EQ(Extract(L"notrar.rar"), -1);
  ASSERT_EQ(messages_.messages.size(), 2u);
  EXPECT_EQ(messages_.messages[1].text, L"The archive is corrupt or damaged");
  EXPECT_EQ(messages_.messages[1].title, L"Error code 13");
  EXPECT_EQ(messages_.messages[1].style, static_cast<unsigned>(MB_ICONSTOP | MB_OK));

  EXPECT_EQ(ProcessRarArchive(L"Extract", dir_ / L"absent.rar", out_, L""), -1);
  ASSERT_EQ(messages_.messages.size(), 3u);
  EXPECT_EQ(messages_.messages[2].title, L"Error code 15");
}

TEST_F(RarArchive, OtherNamesAreNotTouched) {
  testing_support::WriteFileBytes(dir_ / L"pack.zip", ReadFileBytes(Fixture(L"plain.rar")));
  EXPECT_EQ(ProcessRarArchive(L"Extract", dir_ / L"pack.zip", out_, L""), 0);
  EXPECT_FALSE(FileExists(out_ + L"a.gif"));
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RarArchive, AnEntryLeavingTheDestinationRefusesTheWholeArchive) {
  EXPECT_EQ(Extract(L"traversal.rar"), -1);
  EXPECT_FALSE(FileExists(dir_ / L"x"));   // out\..\x
  EXPECT_FALSE(FileExists(out_ + L"x"));
  EXPECT_FALSE(FileExists(out_ + L"ok.txt"));  // the clean entry before it is taken back
  EXPECT_EQ(Extract(L"link.rar"), -1);
  EXPECT_FALSE(FileExists(out_ + L"lnk"));
  EXPECT_FALSE(FolderExists(out_ + L"lnk"));
  EXPECT_FALSE(FileExists(out_ + L"f.txt"));
  EXPECT_TRUE(FolderExists(out_));  // it was there before
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RarArchive, TheTrailNotesOnlyWhatIsNotThereAndTakesItBackReadOnlyOrNot) {
  // "?" is refused by the lookup itself: it tells nothing about what the
  // library would write instead.
  ExtractionTrail trail;
  EXPECT_FALSE(trail.Prepare(out_, out_ + L"min?.gif", false));
  // An entry of an archive made on Windows comes with its attributes.
  ASSERT_TRUE(trail.Prepare(out_, out_ + L"d1\\ro.gif", false));
  CreateFolderTree(out_ + L"d1\\");
  testing_support::WriteFileBytes(out_ + L"d1\\ro.gif", "GIF89a read-only");
  ASSERT_TRUE(::SetFileAttributesW((out_ + L"d1\\ro.gif").c_str(), FILE_ATTRIBUTE_READONLY));
  trail.Settle();
  trail.Undo();
  EXPECT_FALSE(FolderExists(out_ + L"d1"));
  EXPECT_TRUE(FolderExists(out_));
}

TEST_F(RarArchive, NothingThereBeforeIsWrittenOver) {
  testing_support::WriteFileBytes(out_ + L"a.gif", "mine");
  EXPECT_EQ(Extract(L"plain.rar"), -1);
  EXPECT_EQ(ReadFileBytes(out_ + L"a.gif"), "mine");
  EXPECT_FALSE(FileExists(out_ + L"b.txt"));
  // A folder of the archive may be there already; what it holds stays.
  CreateFolderTree(out_ + L"d1\\");
  testing_support::WriteFileBytes(out_ + L"d1\\mine.gif", "mine");
  EXPECT_EQ(Extract(L"nested.rar"), 0);
  EXPECT_EQ(ReadFileBytes(out_ + L"d1\\d2\\deep.gif"), "deep");
  EXPECT_EQ(ReadFileBytes(out_ + L"d1\\mine.gif"), "mine");
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RarArchive, ADestinationThatIsALinkIsNotWrittenThrough) {
  // A category folder linked to a folder outside the library.
  const std::wstring elsewhere = dir_ / L"elsewhere\\";
  CreateFolderTree(elsewhere);
  testing_support::HostLink link(out_ + L"linked", dir_ / L"elsewhere");
  ASSERT_TRUE(link.ok());
  EXPECT_EQ(ProcessRarArchive(L"Extract", Fixture(L"plain.rar"), out_ + L"linked\\", L""), -1);
  EXPECT_FALSE(FileExists(elsewhere + L"a.gif"));
  EXPECT_FALSE(FileExists(elsewhere + L"b.txt"));
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RarArchive, AnEntryOfUnknownSizeIsStoppedAtTheBoundAsItIsWritten) {
  // Its header claims nothing: only the bytes written tell.
  EXPECT_EQ(Extract(L"hidden_size.rar"), -1);
  EXPECT_FALSE(FileExists(out_ + L"zeros.gif"));
  EXPECT_FALSE(FileExists(out_ + L"a.gif"));  // written before it, taken back
  EXPECT_TRUE(messages_.messages.empty());    // refused, not damaged
}

TEST_F(RarArchive, ListingWritesNothing) {
  std::vector<std::pair<std::wstring, int>> items;
  auto sink = [&](const std::wstring& text, int icon) { items.emplace_back(text, icon); };
  EXPECT_EQ(ProcessRarArchive(L"ObtainList", Fixture(L"nested.rar"), out_, L"", nullptr, sink), 0);
  const std::vector<std::pair<std::wstring, int>> expected = {
      {L"deep.gif", 1}, {L"top.gif", 1}, {L"d2", 2}, {L"d1", 2}};
  EXPECT_EQ(items, expected);
  EXPECT_FALSE(FolderExists(out_ + L"d1"));
  // The operation names are compared exactly.
  items.clear();
  EXPECT_EQ(ProcessRarArchive(L"extract", Fixture(L"plain.rar"), out_, L"", nullptr, sink), 0);
  EXPECT_FALSE(FileExists(out_ + L"a.gif"));
  EXPECT_TRUE(items.empty());
}

TEST_F(RarArchive, MissingLibraryIsReported) {
  SetUnrarLibraryPath(dir_ / L"unrar.dll");
  EXPECT_EQ(Extract(L"plain.rar"), -1);
  SetUnrarLibraryPath(L"");
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_NE(messages_.messages[0].text.find(L"unrar.dll"), std::wstring::npos);
  EXPECT_EQ(Extract(L"plain.rar"), 0);  // bound again from the program's folder
}

// A window that starts a second extraction while the first one pumps messages.
int16_t g_nestedResult = 1;
LRESULT CALLBACK NestingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) {
    g_nestedResult = ProcessRarArchive(L"Extract", Fixture(L"plain.rar"), *reinterpret_cast<std::wstring*>(lp), L"");
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST_F(RarArchive, NestedCallWhilePumpingIsRefused) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = NestingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"RarNestingTest";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"RarNestingTest", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  std::wstring other = dir_ / L"other\\";
  CreateFolderTree(other);
  PostMessageW(hwnd, WM_APP, 0, reinterpret_cast<LPARAM>(&other));
  EXPECT_EQ(Extract(L"plain.rar"), 0);
  EXPECT_EQ(g_nestedResult, -1);
  EXPECT_FALSE(FileExists(other + L"a.gif"));
  EXPECT_TRUE(FileExists(out_ + L"a.gif"));
  DestroyWindow(hwnd);
}

}  // namespace
