// The downloader and the list fetch against a real local HTTP server: what
// counts as a finished download, its progress reports, that nothing else can
// start meanwhile, and fetches given up at their deadline.
#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <vector>

#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "panel/file_download.h"
#include "panel/http_text.h"
#include "support/pack_site.h"
#include "support/program_process.h"

using namespace panel;
using testing_support::PackSite;
using testing_support::ProgramProcess;
using testing_support::ReadFileBytes;
using testing_support::TempDir;

namespace {

class FileDownload : public ::testing::Test {
 protected:
  void SetUp() override {
    ::OleInitialize(nullptr);
    ASSERT_TRUE(foundation::FileExists(PackSite::Fixture(L"cats.rar"))) << "fixtures not built";
    site_.Serve(L"cats.rar", L"cats.rar");
    site_.Serve(L"big.rar", L"big.rar");
    site_.Serve(L"drop.rar", L"big.rar", L".drop");
    // Half of the announced bytes, then the server holds the connection.
    site_.Serve(L"halfway.rar", L"big.rar", L".stall");
    ASSERT_TRUE(site_.Start());
  }
  void TearDown() override { ::OleUninitialize(); }
  std::wstring Url(const std::wstring& name) { return site_.url() + L"tolvery/" + name; }

  PackSite site_;
  TempDir out_;
  FileDownloadRef downloader_{CFileDownload::Create()};
};

// The threads of this process now.
int ThreadsOfThisProcess() {
  foundation::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{sizeof(entry)};
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more; more = ::Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
  }
  return count;
}

// The files anywhere in the system's Internet cache folder whose names start
// with prefix.
std::vector<std::wstring> InternetCacheFilesStartingWith(const std::wstring& prefix) {
  wchar_t cache[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_INTERNET_CACHE, nullptr, SHGFP_TYPE_CURRENT, cache))) return {L"?"};
  std::vector<std::wstring> found, folders{std::wstring(cache) + L"\\"};
  while (!folders.empty()) {
    const std::wstring folder = folders.back();
    folders.pop_back();
    for (const std::wstring& name : testing_support::FoldersIn(folder)) folders.push_back(folder + name + L"\\");
    for (const std::wstring& name : testing_support::FilesIn(folder))
      if (name.rfind(prefix, 0) == 0) found.push_back(folder + name);
  }
  return found;
}

}  // namespace

TEST_F(FileDownload, ADownloadGivenUpHalfwayLeavesNothingInTheInternetCache) {
  const std::wstring file = out_ / L"halfway.rar";
  bool bytesCame = false, copyNamed = false, givenUp = false;
  // Given up once bytes of the body have come and the service has said where
  // it keeps its copy (it says so around the first bytes, in either order).
  downloader_->OnProgressEvent = [&](ULONG progress, ULONG, ULONG statusCode, const std::wstring&) {
    bytesCame = bytesCame || progress > 0;
    copyNamed = copyNamed || statusCode == BINDSTATUS_CACHEFILENAMEAVAILABLE;
    if (!bytesCame || !copyNamed || givenUp) return;
    givenUp = true;
    EXPECT_FALSE(InternetCacheFilesStartingWith(L"halfway").empty());
    downloader_->AbortDownloading();
  };
  EXPECT_FALSE(downloader_->StartDownloading(Url(L"halfway.rar"), file));
  EXPECT_TRUE(givenUp);
  EXPECT_EQ(site_.server().trickles().opened, 1);
  EXPECT_FALSE(foundation::FileExists(file));
  EXPECT_EQ(InternetCacheFilesStartingWith(L"halfway"), std::vector<std::wstring>{});
}

TEST_F(FileDownload, ADownloadReportsProgressUpToItsWholeSize) {
  std::vector<std::pair<ULONG, ULONG>> reports;
  downloader_->OnProgressEvent = [&](ULONG progress, ULONG max, ULONG, const std::wstring&) {
    reports.emplace_back(progress, max);
    EXPECT_TRUE(downloader_->busy());
  };
  const std::wstring file = out_ / L"big.rar";
  ASSERT_TRUE(downloader_->StartDownloading(Url(L"big.rar"), file));
  EXPECT_FALSE(downloader_->busy());
  EXPECT_EQ(downloader_->last_http_status(), 200u);
  EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(PackSite::Fixture(L"big.rar")));
  ASSERT_FALSE(reports.empty());
  EXPECT_EQ(reports.back().first, reports.back().second);  // the last report is complete
  EXPECT_EQ(reports.back().second, ReadFileBytes(file).size());
  for (size_t i = 1; i < reports.size(); ++i) EXPECT_GE(reports[i].first, reports[i - 1].first);
}

TEST_F(FileDownload, ErrorPagesAndDroppedConnectionsFailAndLeaveNoFile) {
  const std::wstring file = out_ / L"x.rar";
  // The service saves a 404 page and says it succeeded: the status tells.
  EXPECT_FALSE(downloader_->StartDownloading(Url(L"missing.rar"), file));
  EXPECT_EQ(downloader_->last_http_status(), 404u);
  EXPECT_FALSE(foundation::FileExists(file));
  // Half of the announced bytes, then the connection is gone.
  EXPECT_FALSE(downloader_->StartDownloading(Url(L"drop.rar"), file));
  EXPECT_FALSE(foundation::FileExists(file));
  // Nothing listening at all.
  EXPECT_FALSE(downloader_->StartDownloading(L"http://127.0.0.1:1/tolvery/cats.rar", file));
  EXPECT_FALSE(foundation::FileExists(file));
  // A good one after all that.
  EXPECT_TRUE(downloader_->StartDownloading(Url(L"cats.rar"), file));
  EXPECT_TRUE(foundation::FileExists(file));
}

TEST_F(FileDownload, NoSecondDownloadWhileOneRunsAndAbortStopsIt) {
  int reports = 0;
  bool secondStarted = true;
  downloader_->OnProgressEvent = [&](ULONG, ULONG, ULONG, const std::wstring&) {
    if (++reports == 1) {
      secondStarted = downloader_->StartDownloading(Url(L"cats.rar"), out_ / L"second.rar");
      downloader_->AbortDownloading();
    }
  };
  const std::wstring file = out_ / L"big.rar";
  EXPECT_FALSE(downloader_->StartDownloading(Url(L"big.rar"), file));
  EXPECT_FALSE(secondStarted);
  EXPECT_FALSE(foundation::FileExists(out_ / L"second.rar"));
  EXPECT_FALSE(foundation::FileExists(file));  // the part that came is gone
  EXPECT_FALSE(downloader_->busy());
  // The handler may go away: the downloader carries on without it.
  downloader_->OnProgressEvent = nullptr;
  EXPECT_TRUE(downloader_->StartDownloading(Url(L"big.rar"), file));
  EXPECT_EQ(CFileDownload::StrFromPtr(L"文本", true), L"文本");
  EXPECT_EQ(CFileDownload::StrFromPtr("text", false), L"text");
  EXPECT_EQ(CFileDownload::StrFromPtr(nullptr, true), L"");
}

TEST(HttpText, ListBytesDecodeWhateverTheMachinesCodePage) {
  EXPECT_EQ(panel::DecodeText("cats.rar|1|\xC3\xA8\xDF\xE4"), L"cats.rar|1|猫咪");          // code page 936
  EXPECT_EQ(panel::DecodeText("\xE7\x8C\xAB\xE5\x92\xAA"), L"猫咪");                       // UTF-8
  EXPECT_EQ(panel::DecodeText("\xEF\xBB\xBF\xE7\x8C\xAB"), L"猫");                         // UTF-8 with its mark
  EXPECT_EQ(panel::DecodeText(std::string("\xFF\xFE\x2B\x73\x61\x00", 6)), L"猫a");        // UTF-16
  EXPECT_EQ(panel::DecodeText(""), L"");
  EXPECT_TRUE(panel::IsHttpAddress(L"http://127.0.0.1:8080/"));
  EXPECT_TRUE(panel::IsHttpAddress(L"https://packs.example/x/"));
  EXPECT_FALSE(panel::IsHttpAddress(L"ftp://packs.example/"));
  EXPECT_FALSE(panel::IsHttpAddress(L"packs.example"));
  EXPECT_FALSE(panel::IsHttpAddress(L""));
  EXPECT_EQ(panel::FetchHttpText(L"file:///C:/windows/win.ini"), L"");
}

TEST(HttpText, AListStillComingAtTheDeadlineIsNoList) {
  PackSite site;
  // Ten pieces 0.2 s apart: the whole list takes more than a second.
  site.ServeBytes(L"FaceList.txt", "cats.rar|1 KB|cats|2024-01-02\r\n", L".slow");
  ASSERT_TRUE(site.Start());
  const std::wstring url = site.url() + L"tolvery/FaceList.txt";
  EXPECT_EQ(panel::FetchHttpText(url, 1000), L"");
  EXPECT_EQ(panel::FetchHttpText(url), L"cats.rar|1 KB|cats|2024-01-02\r\n");
}

TEST(HttpText, HeadersStillComingAtTheDeadlineEndTheFetchThere) {
  PackSite site;
  // The status line and headers alone take five seconds.
  site.ServeBytes(L"FaceList.txt", "cats.rar|1 KB|cats|2024-01-02\r\n", L".slowhead");
  ASSERT_TRUE(site.Start());
  const std::wstring url = site.url() + L"tolvery/FaceList.txt";
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_EQ(panel::FetchHttpText(url, 1000), L"");
  EXPECT_LT(::GetTickCount64() - start, 3000u);
  EXPECT_EQ(panel::FetchHttpText(url), L"cats.rar|1 KB|cats|2024-01-02\r\n");
}

TEST(HttpText, FetchesGivenUpAtTheirDeadlineCloseTheirConnections) {
  PackSite site;
  // The status line, then a header that never ends.
  site.ServeBytes(L"FaceList.txt", "", L".trickle");
  ASSERT_TRUE(site.Start());
  const std::wstring url = site.url() + L"tolvery/FaceList.txt";
  const int threads = ThreadsOfThisProcess();
  ASSERT_GT(threads, 0);
  // No SCOPED_TRACE: GoogleTest's first trace starts a thread of its own.
  for (int fetch = 1; fetch <= 3; ++fetch) {
    const ULONGLONG start = ::GetTickCount64();
    EXPECT_EQ(panel::FetchHttpText(url, 3000), L"") << "fetch " << fetch;
    EXPECT_LT(::GetTickCount64() - start, 4000u) << "fetch " << fetch;
    EXPECT_EQ(site.server().trickles().opened, fetch);
    EXPECT_TRUE(ProgramProcess::WaitFor([&] { return site.server().trickles().closed == fetch; }, 3000))
        << "fetch " << fetch << ": " << site.server().trickles().closed << " closed";
  }
  EXPECT_TRUE(ProgramProcess::WaitFor([&] { return ThreadsOfThisProcess() == threads; }, 3000))
      << ThreadsOfThisProcess() << " threads, " << threads << " before";
}
