// The pack download window in the test's own process, against a local HTTP
// server: the list as shown, downloads into the library, failures that leave
// nothing behind, and closing or losing the window while a pack downloads.
#include <gtest/gtest.h>
#include <ole2.h>
#include <wininet.h>

#include <functional>
#include <memory>
#include <vector>

#include "foundation/file_ops.h"
#include "panel/frm_down_face.h"
#include "support/message_recorder.h"
#include "support/pack_site.h"

using namespace panel;
using testing_support::MessageRecorder;
using testing_support::FilesIn;
using testing_support::FoldersIn;
using testing_support::PackSite;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

namespace {

void Click(controls::XpCommand& button) {
  ::SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Red text pixels the list draws in a row (the list painted into a bitmap).
int RedPixelsInRow(PackListView& list, int row) {
  RECT client{};
  ::GetClientRect(list.hwnd(), &client);
  HDC screen = ::GetDC(nullptr);
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(screen));
  foundation::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen, client.right, client.bottom));
  ::ReleaseDC(nullptr, screen);
  foundation::SelectionGuard select(dc.get(), bitmap.get());
  ::SendMessageW(list.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
  RECT item{LVIR_BOUNDS, 0, 0, 0};
  ::SendMessageW(list.hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  int red = 0;
  for (int y = item.top; y < item.bottom; ++y)
    for (int x = item.left; x < item.right; ++x) {
      const COLORREF c = ::GetPixel(dc.get(), x, y);
      if (GetRValue(c) > 180 && GetGValue(c) < 90 && GetBValue(c) < 90) ++red;
    }
  return red;
}

// Runs a function from inside the next message pump of this thread: during
// a download that is the downloader's progress report.
class DuringRun {
 public:
  explicit DuringRun(std::function<void()> action) : action_(std::move(action)) {
    static const wchar_t kClass[] = L"PackWindowTestProbe";
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = kClass;
    ::RegisterClassW(&wc);
    hwnd_ = ::CreateWindowW(kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::PostMessageW(hwnd_, WM_APP, 0, 0);
  }
  ~DuringRun() { ::DestroyWindow(hwnd_); }
  bool ran() const { return ran_; }

 private:
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<DuringRun*>(::GetWindowLongPtrW(h, GWLP_USERDATA));
    if (msg == WM_APP && self && !self->ran_) {
      self->ran_ = true;
      self->action_();
      return 0;
    }
    return ::DefWindowProcW(h, msg, w, l);
  }
  HWND hwnd_ = nullptr;
  std::function<void()> action_;
  bool ran_ = false;
};

class PackWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ::OleInitialize(nullptr);
    ASSERT_TRUE(foundation::FileExists(PackSite::Fixture(L"cats.rar"))) << "fixtures not built";
    library_ = lib_ / L"Face\\";
    ::CreateDirectoryW(library_.c_str(), nullptr);
    // The downloads' temporary folder is one of the test's own.
    wchar_t saved[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"TMP", saved, MAX_PATH)) savedTmp_ = saved;
    ::SetEnvironmentVariableW(L"TMP", temp_.path().c_str());
  }
  void TearDown() override {
    window_.reset();
    ::SetEnvironmentVariableW(L"TMP", savedTmp_.empty() ? nullptr : savedTmp_.c_str());
    ::OleUninitialize();
  }
  FrmDownFace& Open(HWND owner = nullptr, const std::wstring& server = {}) {
    FrmDownFace::Options options;
    options.server = server.empty() ? site_.url() : server;
    options.libraryRoot = library_;
    options.reloadCategories = [this] { ++reloads_; };
    options.owner = owner;
    window_ = std::make_unique<FrmDownFace>(std::move(options));
    EXPECT_TRUE(window_->Show());
    return *window_;
  }
  bool InLibrary(const std::wstring& path) const { return ::GetFileAttributesW((library_ + path).c_str()) != INVALID_FILE_ATTRIBUTES; }
  bool TempFolderEmpty() const { return FilesIn(temp_.path()).empty() && FoldersIn(temp_.path()).empty(); }

  PackSite site_;
  TempDir lib_;
  std::wstring library_;
  MessageRecorder messages_;
  int reloads_ = 0;
  std::unique_ptr<FrmDownFace> window_;
  TempDir temp_;
  std::wstring savedTmp_;
};

}  // namespace

TEST_F(PackWindow, ListShowsEachPackOnceWithThoseOnDiskRed) {
  site_.WriteList(
      L"QQ表情包列表 2024\r\n"
      L"\r\n"
      L"cats.rar|12 KB|猫咪|2024-01-02\r\n"
      L"dogs.rar|8 KB|狗狗|2024-02-03\r\n"
      L"..\\..\\evil.rar|1 KB|越界|2024-01-01\r\n"
      L"CATS.rar|99 KB|重复|2099-01-01\r\n"
      L"表情包.rar|1 KB|笑脸|2024-03-04\r\n");
  ASSERT_TRUE(site_.Start());
  ::CreateDirectoryW((library_ + L"dogs").c_str(), nullptr);
  FrmDownFace& w = Open();
  EXPECT_EQ(w.Frame1Caption(), L"表情包列表 (获取完成)");
  PackListView& list = w.ListView1();
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Key(0), L"cats.rar");
  EXPECT_EQ(list.Text(0, 0), L"猫咪");
  EXPECT_EQ(list.Text(0, 1), L"12 KB");
  EXPECT_EQ(list.Text(0, 2), L"2024-01-02");
  EXPECT_EQ(list.Text(1, 0), L"狗狗");
  EXPECT_EQ(list.Key(2), L"表情包.rar");
  // On disk: red, "已下载", unchecked; the others checked with no status.
  EXPECT_EQ(list.Status(0), L"");
  EXPECT_EQ(list.Status(1), L"已下载");
  EXPECT_TRUE(list.IsChecked(0));
  EXPECT_FALSE(list.IsChecked(1));
  EXPECT_TRUE(list.IsChecked(2));
  EXPECT_FALSE(list.IsRed(0));
  EXPECT_TRUE(list.IsRed(1));
  EXPECT_EQ(RedPixelsInRow(list, 0), 0);
  EXPECT_GT(RedPixelsInRow(list, 1), 20);
  EXPECT_FALSE(InLibrary(L"..\\..\\evil"));
  // The check buttons.
  Click(w.Button(kIdXpCommand4));
  EXPECT_FALSE(list.IsChecked(0) || list.IsChecked(1) || list.IsChecked(2));
  Click(w.Button(kIdXpCommand3));
  EXPECT_TRUE(list.IsChecked(0) && list.IsChecked(1) && list.IsChecked(2));
  Click(w.Button(kIdXpCommand6));
  EXPECT_TRUE(list.IsChecked(0));
  EXPECT_FALSE(list.IsChecked(1));
  EXPECT_TRUE(list.IsChecked(2));
  EXPECT_EQ(w.Label11Caption(), L"正在下载：");
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PackWindow, DownloadsTheCheckedPacksIntoNewCategories) {
  site_.WriteList(L"cats.rar|12 KB|猫咪|2024-01-02\r\ndogs.rar|8 KB|狗狗|x\r\n表情包.rar|1 KB|笑脸|y\r\n");
  site_.Serve(L"cats.rar", L"cats.rar");
  site_.Serve(L"表情包.rar", L"表情包.rar");
  ASSERT_TRUE(site_.Start());
  ::CreateDirectoryW((library_ + L"dogs").c_str(), nullptr);
  FrmDownFace& w = Open();
  ASSERT_EQ(w.ListView1().Count(), 3);
  std::vector<BOOL> enabledDuringRun;
  bool runningDuringRun = false;
  DuringRun probe([&] {
    runningDuringRun = w.running();
    for (int id = kIdXpCommand1; id <= kIdXpCommand6; ++id) enabledDuringRun.push_back(::IsWindowEnabled(w.Button(id).hwnd()));
  });
  Click(w.Button(kIdXpCommand1));
  // Nothing but "返回" could be pressed while it ran.
  EXPECT_TRUE(probe.ran());
  EXPECT_TRUE(runningDuringRun);
  std::vector<BOOL> onlyBack(6, FALSE);
  onlyBack[kIdXpCommand2 - kIdXpCommand1] = TRUE;
  EXPECT_EQ(enabledDuringRun, onlyBack);
  EXPECT_FALSE(w.running());
  EXPECT_TRUE(::IsWindowEnabled(w.Button(kIdXpCommand1).hwnd()));
  // Unpacked where the list said, the archives gone, the panel told each time.
  EXPECT_TRUE(InLibrary(L"cats\\a.gif"));
  EXPECT_TRUE(InLibrary(L"cats\\b.gif"));
  EXPECT_FALSE(InLibrary(L"cats\\cats.rar"));
  EXPECT_TRUE(InLibrary(L"表情包\\笑脸.gif"));
  EXPECT_FALSE(InLibrary(L"表情包\\表情包.rar"));
  EXPECT_EQ(reloads_, 2);
  PackListView& list = w.ListView1();
  EXPECT_EQ(list.Status(0), L"已下载");
  EXPECT_EQ(list.Status(2), L"已下载");
  EXPECT_TRUE(list.IsRed(0));
  EXPECT_TRUE(list.IsChecked(0));  // the check boxes stay as they were
  EXPECT_EQ(w.Frame1Caption(), L"表情包列表 (下载完成)");
  EXPECT_EQ(w.Label11Caption(), L"下载完成！");
  EXPECT_EQ(w.Label4Caption(), L"100%");
  EXPECT_EQ(w.ProgBar1().percent(), 100);
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PackWindow, FailedPacksShowAnErrorAndLeaveNothingBehind) {
  site_.WriteList(
      L"missing.rar|1|不存在|a\r\n"
      L"truncated.rar|1|截断|b\r\n"
      L"drop.rar|1|断线|c\r\n"
      L"page.rar|1|网页|d\r\n"
      L"old.rar|1|旧的|e\r\n"
      L"cats.rar|1|猫咪|f\r\n");
  site_.Serve(L"truncated.rar", L"truncated.rar");
  site_.Serve(L"drop.rar", L"big.rar", L".drop");
  site_.ServeBytes(L"page.rar", "<html><body>Not here</body></html>");
  site_.Serve(L"cats.rar", L"cats.rar");
  ASSERT_TRUE(site_.Start());
  // A category of the user's that the list names: whatever happens, it stays.
  ::CreateDirectoryW((library_ + L"old").c_str(), nullptr);
  testing_support::WriteFileBytes(library_ + L"old\\mine.gif", "mine");
  FrmDownFace& w = Open();
  ASSERT_EQ(w.ListView1().Count(), 6);
  Click(w.Button(kIdXpCommand3));  // the one on disk too
  Click(w.Button(kIdXpCommand1));
  PackListView& list = w.ListView1();
  for (int row = 0; row < 5; ++row) {
    SCOPED_TRACE(list.Key(row));
    EXPECT_EQ(list.Status(row), L"出错");
    EXPECT_TRUE(list.IsRed(row));
  }
  for (const wchar_t* made : {L"missing", L"truncated", L"drop", L"page"}) EXPECT_FALSE(InLibrary(made)) << made;
  EXPECT_EQ(testing_support::ReadFileBytes(library_ + L"old\\mine.gif"), "mine");
  EXPECT_FALSE(InLibrary(L"old\\old.rar"));
  // The next pack still goes in.
  EXPECT_EQ(list.Status(5), L"已下载");
  EXPECT_TRUE(InLibrary(L"cats\\a.gif"));
  EXPECT_EQ(reloads_, 1);
  // The RAR library reported the cut archive in its own words.
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text, L"Unexpected end of archive");
  EXPECT_EQ(w.Label11Caption(), L"下载完成！");
}

TEST_F(PackWindow, NothingOfTheUsersIsWrittenOverOrTakenAway) {
  site_.WriteList(L"big.rar|200 KB|慢|a\r\ncats.rar|1 KB|猫咪|b\r\n");
  site_.Serve(L"big.rar", L"big.rar", L".slow");
  site_.Serve(L"cats.rar", L"cats.rar");
  ASSERT_TRUE(site_.Start());
  // A category of the user's holding a file named like the pack.
  ::CreateDirectoryW((library_ + L"cats").c_str(), nullptr);
  WriteFileBytes(library_ + L"cats\\cats.rar", "mine");
  FrmDownFace& w = Open();
  Click(w.Button(kIdXpCommand3));
  // While the slow pack comes, the user makes its category and puts two
  // files into it, one named like its second entry (first.gif, then big.bin).
  DuringRun drop([&] {
    ::CreateDirectoryW((library_ + L"big").c_str(), nullptr);
    WriteFileBytes(library_ + L"big\\big.bin", "user's");
    WriteFileBytes(library_ + L"big\\mine.gif", "user's");
  });
  Click(w.Button(kIdXpCommand1));
  EXPECT_TRUE(drop.ran());
  PackListView& list = w.ListView1();
  // The pack can't go in whole: what it unpacked goes, the user's files stay.
  EXPECT_EQ(list.Status(0), L"出错");
  EXPECT_FALSE(InLibrary(L"big\\first.gif"));
  EXPECT_EQ(ReadFileBytes(library_ + L"big\\big.bin"), "user's");
  EXPECT_EQ(ReadFileBytes(library_ + L"big\\mine.gif"), "user's");
  // The pack named like the user's file goes in beside it.
  EXPECT_EQ(list.Status(1), L"已下载");
  EXPECT_TRUE(InLibrary(L"cats\\a.gif"));
  EXPECT_EQ(ReadFileBytes(library_ + L"cats\\cats.rar"), "mine");
  EXPECT_EQ(reloads_, 1);
  EXPECT_TRUE(TempFolderEmpty());
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PackWindow, AFailedPackTakesBackOnlyWhatIsStillItsOwn) {
  site_.WriteList(L"cut.rar|120 KB|截断|a\r\n");
  site_.Serve(L"cut.rar", L"cut.rar");
  ASSERT_TRUE(site_.Start());
  FrmDownFace& w = Open();
  // The extraction reports the cut entry while its two pictures are written
  // and not yet taken back; meanwhile the user moves a copy of the first one
  // (same size and time) in over it, and writes over the second in place.
  const std::wstring one = library_ + L"cut\\one.gif";
  const std::wstring two = library_ + L"cut\\two.gif";
  std::wstring reported;
  foundation::ScopedMessageReporter userMeanwhile([&](HWND, const std::wstring& text, const std::wstring&, UINT) {
    reported = text;
    const std::wstring copy = lib_ / L"copy.gif";
    ::CopyFileW(one.c_str(), copy.c_str(), FALSE);
    ::MoveFileExW(copy.c_str(), one.c_str(), MOVEFILE_REPLACE_EXISTING);
    WriteFileBytes(two, "user's");
    return IDOK;
  });
  Click(w.Button(kIdXpCommand1));
  EXPECT_EQ(reported, L"Unexpected end of archive");
  EXPECT_EQ(w.ListView1().Status(0), L"出错");
  EXPECT_EQ(FilesIn(library_ + L"cut"), (std::vector<std::wstring>{L"one.gif", L"two.gif"}));
  EXPECT_EQ(ReadFileBytes(two), "user's");
  EXPECT_EQ(reloads_, 0);
}

TEST_F(PackWindow, PacksWithNamesWindowsCannotHoldLeaveNothing) {
  site_.WriteList(L"q1.rar|1 KB|问号|a\r\ndotted.rar|1 KB|点|b\r\ndevice.rar|1 KB|设备|c\r\n"
                  L"blank.rar|1 KB|空格|d\r\n");
  for (const wchar_t* pack : {L"q1.rar", L"dotted.rar", L"device.rar", L"blank.rar"}) site_.Serve(pack, pack);
  ASSERT_TRUE(site_.Start());
  // The user's own picture under the name the RAR library would give "min?.gif".
  ::CreateDirectoryW((library_ + L"q1").c_str(), nullptr);
  WriteFileBytes(library_ + L"q1\\min_.gif", "mine");
  FrmDownFace& w = Open();
  Click(w.Button(kIdXpCommand3));
  Click(w.Button(kIdXpCommand1));
  PackListView& list = w.ListView1();
  for (int row = 0; row < 4; ++row) {
    SCOPED_TRACE(list.Key(row));
    EXPECT_EQ(list.Status(row), L"出错");
  }
  EXPECT_EQ(FoldersIn(library_), (std::vector<std::wstring>{L"q1"}));
  EXPECT_EQ(FilesIn(library_ + L"q1"), (std::vector<std::wstring>{L"min_.gif"}));
  EXPECT_EQ(ReadFileBytes(library_ + L"q1\\min_.gif"), "mine");
  EXPECT_TRUE(TempFolderEmpty());
  EXPECT_EQ(reloads_, 0);
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(PackWindow, PacksPastTheBoundsOrWithUnreadableNamesLeaveNothing) {
  site_.WriteList(L"secret.rar|1 KB|加密|a\r\nbomb.rar|13 KB|炸弹|b\r\nhuge.rar|65 MB|太大|c\r\n");
  site_.Serve(L"secret.rar", L"encnames.rar");
  // Unpacks to 270 MiB.
  site_.Serve(L"bomb.rar", L"bomb.rar");
  // A good pack, padded past the download bound, its length not announced.
  site_.ServePadded(L"huge.rar", L"cats.rar", kMaxDownloadBytes + 1);
  ASSERT_TRUE(site_.Start());
  FrmDownFace& w = Open();
  Click(w.Button(kIdXpCommand1));
  PackListView& list = w.ListView1();
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(list.Key(row));
    EXPECT_EQ(list.Status(row), L"出错");
  }
  EXPECT_TRUE(FoldersIn(library_).empty());
  EXPECT_TRUE(TempFolderEmpty());
  // Nor in the system's Internet cache, where the download service puts them.
  for (const wchar_t* name : {L"secret.rar", L"bomb.rar", L"huge.rar"}) {
    DWORD size = 0;
    const std::wstring url = site_.url() + L"tolvery/" + name;
    EXPECT_FALSE(::GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size) || ::GetLastError() == ERROR_INSUFFICIENT_BUFFER)
        << name;
  }
  EXPECT_EQ(reloads_, 0);
  // Only the encrypted names get the library's own word.
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].text.rfind(L"Filenames encrypted", 0), 0u);
}

TEST_F(PackWindow, EmptyOrUnreachableListsSayTheFetchFailed) {
  // Nothing listens there.
  FrmDownFace& unreachable = Open(nullptr, L"http://127.0.0.1:1/");
  EXPECT_EQ(unreachable.Frame1Caption(), L"表情包列表 (获取列表失败,请重试)");
  EXPECT_EQ(unreachable.ListView1().Count(), 0);
  ASSERT_TRUE(site_.Start());
  // No list on the server: its error page is no list.
  FrmDownFace& missing = Open();
  EXPECT_EQ(missing.Frame1Caption(), L"表情包列表 (获取列表失败,请重试)");
  site_.WriteList(L"");
  FrmDownFace& empty = Open();
  EXPECT_EQ(empty.Frame1Caption(), L"表情包列表 (获取列表失败,请重试)");
  // The list appears: refreshing shows it and the button comes back.
  site_.WriteList(L"cats.rar|12 KB|猫咪|2024-01-02\r\n");
  Click(empty.Button(kIdXpCommand5));
  EXPECT_EQ(empty.Frame1Caption(), L"表情包列表 (获取完成)");
  EXPECT_EQ(empty.ListView1().Count(), 1);
  EXPECT_TRUE(::IsWindowEnabled(empty.Button(kIdXpCommand5).hwnd()));
  // A refresh starts from an empty list.
  Click(empty.Button(kIdXpCommand5));
  EXPECT_EQ(empty.ListView1().Count(), 1);
}

TEST_F(PackWindow, ClosingDuringADownloadAbortsItAndCleansUp) {
  site_.WriteList(L"slow.rar|200 KB|慢|a\r\ncats.rar|1|猫咪|b\r\n");
  site_.Serve(L"slow.rar", L"big.rar", L".slow");
  site_.Serve(L"cats.rar", L"cats.rar");
  ASSERT_TRUE(site_.Start());
  FrmDownFace& w = Open();
  HWND h = w.hwnd();
  DuringRun closeIt([&] { ::SendMessageW(h, WM_CLOSE, 0, 0); });
  Click(w.Button(kIdXpCommand1));
  EXPECT_TRUE(closeIt.ran());
  EXPECT_FALSE(::IsWindow(h));
  EXPECT_EQ(w.hwnd(), nullptr);
  EXPECT_FALSE(w.running());
  // The pack stopped halfway left nothing; the next one never started.
  EXPECT_FALSE(InLibrary(L"slow"));
  EXPECT_FALSE(InLibrary(L"cats"));
  EXPECT_EQ(reloads_, 0);

  // The owner goes while a pack downloads: the window goes with it, quietly.
  HWND owner = ::CreateWindowW(L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  FrmDownFace& owned = Open(owner);
  DuringRun destroyOwner([&] { ::DestroyWindow(owner); });
  Click(owned.Button(kIdXpCommand1));
  EXPECT_TRUE(destroyOwner.ran());
  EXPECT_EQ(owned.hwnd(), nullptr);
  EXPECT_FALSE(owned.running());
  EXPECT_FALSE(InLibrary(L"slow"));
  EXPECT_TRUE(messages_.messages.empty());
}
