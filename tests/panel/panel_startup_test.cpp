// Start-up of the panel: what it writes, how it reads its options, and the
// reload buttons the editor clicks.
#include <gtest/gtest.h>

#include "foundation/registry.h"
#include "support/panel_process.h"

using namespace testing_support;

namespace {

std::wstring WindowText(HWND h) {
  wchar_t buf[512] = {};
  ::GetWindowTextW(h, buf, 512);
  return buf;
}

std::wstring HandleText(HWND h) { return std::to_wstring(static_cast<int32_t>(reinterpret_cast<intptr_t>(h))); }

}  // namespace

TEST(PanelStartup, FirstRunWithoutConfig) {
  foundation::DeleteRegValue(HKEY_LOCAL_MACHINE, foundation::kRunKey, foundation::kAutoRunValueName);
  PanelProcess panel;
  ASSERT_TRUE(panel.Start());
  EXPECT_EQ(panel.ReadConfig(L"First"), L"1");
  EXPECT_EQ(panel.ReadConfig(L"Input"), L"2");
  EXPECT_EQ(panel.ReadConfig(L"LoadType"), HandleText(::GetDlgItem(panel.Window(), 1107)));
  EXPECT_EQ(panel.ReadConfig(L"LoadFace"), HandleText(::GetDlgItem(panel.Window(), 1103)));
  EXPECT_EQ(panel.ReadConfig(L"TempHwnd"), HandleText(panel.Window()));
  EXPECT_EQ(foundation::GetRegValue(HKEY_LOCAL_MACHINE, foundation::kRunKey, foundation::kAutoRunValueName),
            panel.folder() + L"Tarnwick.exe");
  // Docking mode: waiting above the screen.
  EXPECT_LE(panel.WindowRect().bottom, 0);
  // The category list starts with the default category, which has no folder here.
  HWND combo1 = panel.Combo(1001);
  ASSERT_NE(combo1, nullptr);
  EXPECT_EQ(::SendMessageW(combo1, CB_GETCOUNT, 0, 0), 1);
}

TEST(PanelStartup, SecondRunLeavesTheRegistryAlone) {
  foundation::DeleteRegValue(HKEY_LOCAL_MACHINE, foundation::kRunKey, foundation::kAutoRunValueName);
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  ASSERT_TRUE(panel.Start());
  EXPECT_EQ(foundation::GetRegValue(HKEY_LOCAL_MACHINE, foundation::kRunKey, foundation::kAutoRunValueName), L"");
}

TEST(PanelStartup, InputModeIsClampedAndWrittenBack) {
  const std::pair<const char*, const wchar_t*> cases[] = {
      {"1.5", L"2"}, {"-3", L"0"}, {"7", L"2"}, {"abc", L"2"}, {"1", L"1"}};
  for (const auto& [stored, mode] : cases) {
    PanelProcess panel;
    panel.WriteConfig(std::string("[Config]\r\nFirst=1\r\nInput=") + stored + "\r\n");
    ASSERT_TRUE(panel.Start()) << stored;
    EXPECT_TRUE(PanelProcess::WaitFor([&] { return panel.ReadConfig(L"Input") == mode; })) << stored;
  }
}

TEST(PanelStartup, StandAloneModeUsesTheSavedPosition) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\nDuLi=1\r\nDefX=-300\r\nDefY=600\r\n");
  ASSERT_TRUE(panel.Start());
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return panel.WindowRect().left == -20; }));
  const RECT r = panel.WindowRect();
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.bottom - r.top, 533);  // 8000 twips
  EXPECT_EQ(r.right - r.left, 257);
  EXPECT_TRUE(::IsWindowVisible(panel.Window()));
}

TEST(PanelStartup, StandAloneWithoutPositionIsCentred) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\nDuLi=1\r\nDefX=abc\r\nDefY=3000000000\r\n");
  ASSERT_TRUE(panel.Start());
  // The position is taken while the window is still 0 wide and 533 high.
  const int left = ::GetSystemMetrics(SM_CXSCREEN) / 2;
  const int top = static_cast<int>(((::GetSystemMetrics(SM_CYSCREEN) - 533) * 15 / 2) / 15);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return panel.WindowRect().left == left; })) << panel.WindowRect().left;
  EXPECT_NEAR(panel.WindowRect().top, top, 1);
}

TEST(PanelStartup, MissingDatabaseStartsQuietly) {
  PanelProcess panel;
  ::DeleteFileW((panel.folder() + L"Thumbs.mdb").c_str());
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  ASSERT_TRUE(panel.Start());
  PanelProcess::WaitFor([] { return false; }, 300);
  EXPECT_EQ(panel.FindTopLevel(L"#32770"), nullptr);
  EXPECT_TRUE(panel.Running());
  // Not created either.
  EXPECT_EQ(::GetFileAttributesW((panel.folder() + L"Thumbs.mdb").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PanelStartup, MissingConversionRowEndsTheProgram) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  ASSERT_TRUE(panel.EditDatabase("DELETE FROM BTZ WHERE id=3"));
  panel.Start();  // start-up stops at the message
  // Shown once its text and button exist.
  HWND box = panel.WaitForTopLevel(L"#32770", 15000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), L"提示");
  EXPECT_NE(ChildTexts(box).find(L"数据出错,请重新安装Sorvane！"), std::wstring::npos);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(panel.WaitForExit(10000), 0);
}

TEST(PanelStartup, EditorsReloadButtons) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  for (int i = 0; i < 5; ++i) panel.AddPicture(L"默认表情", L"f" + std::to_wstring(i) + L".bmp");
  ASSERT_TRUE(panel.Start());
  HWND grid = panel.Grids().front();
  RECT r;
  ASSERT_TRUE(PanelProcess::WaitFor([&] {
    ::GetWindowRect(grid, &r);
    return r.bottom - r.top == 45;  // one row: (645 + 10 + 15) / 15 pixels
  }));
  // The editor adds emoticons, then clicks the published LoadFace button.
  for (int i = 5; i < 12; ++i) panel.AddPicture(L"默认表情", L"f" + std::to_wstring(i) + L".bmp");
  HWND loadFace = reinterpret_cast<HWND>(static_cast<intptr_t>(std::stoi(panel.ReadConfig(L"LoadFace"))));
  ::SendMessageW(loadFace, BM_CLICK, 0, 0);
  ASSERT_TRUE(PanelProcess::WaitFor([&] {
    ::GetWindowRect(grid, &r);
    return r.bottom - r.top == 133;  // three rows: (645 + 1330 + 15) / 15
  })) << r.bottom - r.top;

  // A new category, then the LoadType button: both lists get it.
  panel.AddCategory(L"新分类");
  HWND loadType = reinterpret_cast<HWND>(static_cast<intptr_t>(std::stoi(panel.ReadConfig(L"LoadType"))));
  ::SendMessageW(loadType, BM_CLICK, 0, 0);
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return ::SendMessageW(panel.Combo(1001), CB_GETCOUNT, 0, 0) == 2; }));
  EXPECT_EQ(::SendMessageW(panel.Combo(1003), CB_GETCOUNT, 0, 0), 2);
}
