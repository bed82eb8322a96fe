// The pack download window of the running panel, end to end: opened on
// request, fed by a local HTTP server, its packs landing in the panel's
// library and its category list reloaded through the real reload button;
// and the panel answering throughout while a server holds back its answers.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "foundation/ansi_text.h"
#include "foundation/file_ops.h"
#include "panel/frm_down_face.h"
#include "panel/file_download.h"
#include "support/pack_site.h"
#include "support/panel_process.h"
#include "support/remote_list_view.h"

using namespace testing_support;

namespace {

void Click(HWND button) {
  ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// A window's text read without asking its thread, which may be busy.
std::wstring StoredText(HWND h) {
  wchar_t buf[512] = {};
  ::GetWindowTextW(h, buf, 512);
  return buf;
}

// Whether the window's thread handles a message within a second.
bool AnswersWithinASecond(HWND h) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
}

// The panel with the pack window open on the site's list: run from a folder
// of its own or from folder (another panel's, with its library), and under
// its own name or the one given.
struct OpenPackWindow {
  explicit OpenPackWindow(PackSite& site, const std::wstring& folder = L"", const std::wstring& programName = L"")
      : panel(folder) {
    panel.WriteConfig("[Config]\r\nFirst=1\r\nPackServer=" + foundation::ToUtf8(site.url()) + "\r\n");
    if (!programName.empty() && !panel.RenameProgram(programName)) return;
    if (!panel.Start()) return;
    ::PostMessageW(panel.Window(), ::RegisterWindowMessageW(panel::kOpenPackWindowMessage), 0, 0);
    window = panel.WaitForTopLevel(panel::kPackWindowClass);
    frame = ::GetDlgItem(window, panel::kIdFrame1);
  }
  // What is left of a pack, in the library or in the panel's temporary
  // folder: the first path found, or "".
  std::wstring LeftOf(const std::wstring& category) const {
    const std::wstring folder = panel.folder() + L"Face\\" + category;
    if (foundation::FolderExists(folder)) return folder;
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring downloads = L"Tarnwick-" + std::to_wstring(panel.pid()) + L"-";
    for (const std::wstring& name : FilesIn(temp))
      if (name.rfind(downloads, 0) == 0) return temp + name;
    return L"";
  }
  PanelProcess panel;
  HWND window = nullptr, frame = nullptr;
};

}  // namespace

TEST(PanelPackWindow, PacksFromTheServerBecomeCategoriesOfThePanel) {
  ASSERT_TRUE(foundation::FileExists(PackSite::Fixture(L"cats.rar"))) << "fixtures not built";
  PackSite site;
  site.WriteList(L"表情包列表\r\ncats.rar|1 KB|猫咪|2024-01-02\r\ndogs.rar|1 KB|狗狗|x\r\n表情包.rar|1 KB|笑脸|y\r\n");
  site.Serve(L"cats.rar", L"cats.rar");
  site.Serve(L"表情包.rar", L"表情包.rar");
  ASSERT_TRUE(site.Start());

  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\nPackServer=" + foundation::ToUtf8(site.url()) + "\r\n");
  panel.AddCategory(L"dogs");
  ASSERT_TRUE(panel.Start());
  HWND combo1 = panel.Combo(1001);
  EXPECT_EQ(::SendMessageW(combo1, CB_GETCOUNT, 0, 0), 2);  // 默认表情, dogs

  // Nothing of the panel opens it; asking the panel does.
  ::PostMessageW(panel.Window(), ::RegisterWindowMessageW(panel::kOpenPackWindowMessage), 0, 0);
  // Shown once its controls exist (found before that, it may have none yet).
  HWND window = panel.WaitForTopLevel(panel::kPackWindowClass);
  ASSERT_NE(window, nullptr);
  HWND frame = ::GetDlgItem(window, panel::kIdFrame1);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return StoredText(frame) == L"表情包列表 (获取完成)"; }, 15000)) << StoredText(frame);
  EXPECT_EQ(StoredText(window), L"QQ表情包下载");
  RemoteListView list(::GetDlgItem(window, panel::kIdListView1));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Text(0, 0), L"猫咪");
  EXPECT_EQ(list.Text(1, 3), L"已下载");
  EXPECT_TRUE(list.IsChecked(0));
  EXPECT_FALSE(list.IsChecked(1));

  Click(::GetDlgItem(window, panel::kIdXpCommand1));
  HWND label11 = ::GetDlgItem(window, panel::kIdLabel11);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return StoredText(label11) == L"下载完成！"; }, 20000)) << StoredText(label11);
  EXPECT_EQ(StoredText(::GetDlgItem(window, panel::kIdLabel4)), L"100%");
  EXPECT_EQ(list.Text(0, 3), L"已下载");
  EXPECT_EQ(list.Text(2, 3), L"已下载");
  EXPECT_TRUE(foundation::FileExists(panel.folder() + L"Face\\cats\\a.gif"));
  EXPECT_TRUE(foundation::FileExists(panel.folder() + L"Face\\表情包\\笑脸.gif"));
  EXPECT_FALSE(foundation::FileExists(panel.folder() + L"Face\\cats\\cats.rar"));
  // The panel's category lists know the new categories.
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return ::SendMessageW(combo1, CB_GETCOUNT, 0, 0) == 4; }));
  EXPECT_EQ(::SendMessageW(panel.Combo(1003), CB_GETCOUNT, 0, 0), 4);

  // Back: the window goes, the panel stays.
  Click(::GetDlgItem(window, panel::kIdXpCommand2));
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindow(window); }));
  EXPECT_TRUE(panel.Running());
}

TEST(PanelPackWindow, ARenamedPanelStillFetchesTheListAndItsPacks) {
  ASSERT_TRUE(foundation::FileExists(PackSite::Fixture(L"cats.rar"))) << "fixtures not built";
  PackSite site;
  site.WriteList(L"cats.rar|1 KB|猫咪|2024-01-02\r\n");
  site.Serve(L"cats.rar", L"cats.rar");
  ASSERT_TRUE(site.Start());
  // Renamed by its user, and no Tarnwick.exe beside it.
  OpenPackWindow w(site, L"", L"表情 面板.exe");
  ASSERT_NE(w.window, nullptr);
  ASSERT_FALSE(foundation::FileExists(w.panel.folder() + L"Tarnwick.exe"));
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return StoredText(w.frame) == L"表情包列表 (获取完成)"; }, 15000))
      << StoredText(w.frame);
  Click(::GetDlgItem(w.window, panel::kIdXpCommand1));
  HWND label11 = ::GetDlgItem(w.window, panel::kIdLabel11);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return StoredText(label11) == L"下载完成！"; }, 20000)) << StoredText(label11);
  RemoteListView list(::GetDlgItem(w.window, panel::kIdListView1));
  EXPECT_EQ(list.Text(0, 3), L"已下载");
  EXPECT_TRUE(foundation::FileExists(w.panel.FacePath(L"cats", L"a.gif")));
}

TEST(PanelPackWindow, ThePanelAnswersWhileTheListIsFetched) {
  PackSite site;
  // The status line and the headers take five seconds to come.
  site.ServeBytes(L"FaceList.txt", "cats.rar|1 KB|cats|2024-01-02\r\n", L".slowhead");
  ASSERT_TRUE(site.Start());
  OpenPackWindow w(site);
  ASSERT_NE(w.window, nullptr);
  int asked = 0, answered = 0;
  const DWORD start = ::GetTickCount();
  while (StoredText(w.frame) != L"表情包列表 (获取完成)" && ::GetTickCount() - start < 15000) {
    if (StoredText(w.frame) != L"表情包列表 (正在获取列表信息)") {
      ::Sleep(50);
      continue;
    }
    ++asked;
    if (AnswersWithinASecond(w.panel.Window())) ++answered;
    ::Sleep(400);
  }
  EXPECT_GE(asked, 4);
  EXPECT_EQ(answered, asked);
  ASSERT_EQ(StoredText(w.frame), L"表情包列表 (获取完成)");
  RemoteListView list(::GetDlgItem(w.window, panel::kIdListView1));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Text(0, 0), L"cats");
}

// The list's first pack, stuck.rar, is answered with headers that never end.
class StalledPack : public ::testing::Test {
 protected:
  // Opens the pack window on the list and starts the download; returns once
  // the server has the stuck pack's connection.
  void StartDownload(const std::wstring& list, const std::wstring& alsoServed = L"") {
    site_.WriteList(list);
    site_.ServeBytes(L"stuck.rar", "", L".trickle");
    if (!alsoServed.empty()) site_.Serve(alsoServed, alsoServed);
    ASSERT_TRUE(site_.Start());
    w_ = std::make_unique<OpenPackWindow>(site_);
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return StoredText(w_->frame) == L"表情包列表 (获取完成)"; }, 15000));
    clicked_ = ::GetTickCount();
    Click(::GetDlgItem(w_->window, panel::kIdXpCommand1));
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return site_.server().trickles().opened == 1; }, 10000));
  }
  bool SeenClosed(DWORD timeoutMs) {
    return PanelProcess::WaitFor([&] { return site_.server().trickles().closed == 1; }, timeoutMs);
  }

  PackSite site_;
  std::unique_ptr<OpenPackWindow> w_;
  DWORD clicked_ = 0;
};

TEST_F(StalledPack, IsGivenUpWhileThePanelAnswers) {
  ASSERT_TRUE(foundation::FileExists(PackSite::Fixture(L"cats.rar"))) << "fixtures not built";
  ASSERT_NO_FATAL_FAILURE(StartDownload(L"stuck.rar|1 KB|卡住|a\r\ncats.rar|1 KB|猫咪|b\r\n", L"cats.rar"));
  OpenPackWindow& w = *w_;
  RemoteListView list(::GetDlgItem(w.window, panel::kIdListView1));
  int asked = 0, answered = 0;
  while (StoredText(w.frame) == L"表情包列表 (正在下载：卡住)" && ::GetTickCount() - clicked_ < 45000) {
    ++asked;
    if (AnswersWithinASecond(w.panel.Window())) ++answered;
    ::Sleep(3000);
  }
  const DWORD givenUp = ::GetTickCount() - clicked_;
  EXPECT_GE(asked, 5);
  EXPECT_EQ(answered, asked);
  EXPECT_LT(givenUp, 36000u);
  EXPECT_GE(givenUp, panel::kDownloadStallMs);
  EXPECT_EQ(list.Text(0, 3), L"出错");
  EXPECT_TRUE(SeenClosed(3000));
  // The next pack goes on.
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return StoredText(w.frame) == L"表情包列表 (下载完成)"; }, 15000));
  EXPECT_EQ(w.LeftOf(L"stuck"), L"");
  EXPECT_EQ(list.Text(1, 3), L"已下载");
  EXPECT_TRUE(foundation::FileExists(w.panel.folder() + L"Face\\cats\\a.gif"));
}

TEST_F(StalledPack, BackEndsItAtOnce) {
  ASSERT_NO_FATAL_FAILURE(StartDownload(L"stuck.rar|1 KB|卡住|a\r\n"));
  OpenPackWindow& w = *w_;
  ::Sleep(1000);
  EXPECT_TRUE(::IsWindow(w.window));
  // "返回", clicked as a user would while the pack is stuck.
  Click(::GetDlgItem(w.window, panel::kIdXpCommand2));
  EXPECT_TRUE(SeenClosed(1000));
  // Wine under Xvfb, with no window manager, gives a shown window 2 s to be
  // withdrawn as it is destroyed.
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindow(w.window); }, 4000));
  EXPECT_EQ(w.LeftOf(L"stuck"), L"");
  EXPECT_TRUE(AnswersWithinASecond(w.panel.Window()));
  EXPECT_TRUE(w.panel.Running());
}

TEST_F(StalledPack, APanelEndedMeanwhileTakesItsDownloadAlong) {
  ASSERT_NO_FATAL_FAILURE(StartDownload(L"stuck.rar|1 KB|卡住|a\r\n"));
  // As a crash or the task manager would (or Windows shutting down): nothing
  // of the panel's own runs.
  w_->panel.Kill();
  EXPECT_TRUE(SeenClosed(3000));
  // No category of the pack, which would count as downloaded: the next panel
  // offers the pack again.
  EXPECT_FALSE(foundation::FolderExists(w_->panel.CategoryPath(L"stuck")));
  OpenPackWindow next(site_, w_->panel.folder());
  ASSERT_NE(next.window, nullptr);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return StoredText(next.frame) == L"表情包列表 (获取完成)"; }, 15000));
  RemoteListView list(::GetDlgItem(next.window, panel::kIdListView1));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Text(0, 3), L"");
  EXPECT_TRUE(list.IsChecked(0));
}
