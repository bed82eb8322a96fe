// The pack download window of the running panel, end to end: opened on
// request, fed by a local HTTP server, its packs landing in the panel's
// library and its category list reloaded through the real reload button.
#include <gtest/gtest.h>

#include <string>

#include "foundation/ansi_text.h"
#include "foundation/file_ops.h"
#include "panel/frm_down_face.h"
#include "support/pack_site.h"
#include "support/panel_process.h"
#include "support/remote_list_view.h"

using namespace testing_support;

namespace {

std::wstring Text(HWND h) {
  wchar_t buf[512] = {};
  ::SendMessageW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf));
  return buf;
}

void Click(HWND button) {
  ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

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
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return Text(frame) == L"表情包列表 (获取完成)"; }, 15000)) << Text(frame);
  EXPECT_EQ(Text(window), L"QQ表情包下载");
  RemoteListView list(::GetDlgItem(window, panel::kIdListView1));
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Text(0, 0), L"猫咪");
  EXPECT_EQ(list.Text(1, 3), L"已下载");
  EXPECT_TRUE(list.IsChecked(0));
  EXPECT_FALSE(list.IsChecked(1));

  Click(::GetDlgItem(window, panel::kIdXpCommand1));
  HWND label11 = ::GetDlgItem(window, panel::kIdLabel11);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return Text(label11) == L"下载完成！"; }, 20000)) << Text(label11);
  EXPECT_EQ(Text(::GetDlgItem(window, panel::kIdLabel4)), L"100%");
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
