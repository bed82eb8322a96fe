// Start-up of the panel: what it writes, how it reads its options, and the
// reload buttons the editor clicks.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include "foundation/app_path.h"
#include "foundation/handles.h"
#include "foundation/registry.h"
#include "panel/core/menu_items.h"
#include "support/panel_process.h"
#include "support/temp_dir.h"

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

TEST(PanelStartup, StandAloneWithoutAPlaceOnAMonitorIsCentred) {
  // No saved place, then places on monitors that are gone: right of the
  // screen, below it, and above it (as a monitor above the primary one had).
  for (const char* place : {"DefX=abc\r\nDefY=3000000000", "DefX=30000\r\nDefY=600", "DefX=600\r\nDefY=12000",
                            "DefX=-300\r\nDefY=-8000"}) {
    PanelProcess panel;
    panel.WriteConfig(std::string("[Config]\r\nFirst=1\r\nDuLi=1\r\n") + place + "\r\n");
    ASSERT_TRUE(panel.Start()) << place;
    // The position is taken while the window is still 0 wide and 533 high.
    const int left = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int top = static_cast<int>(((::GetSystemMetrics(SM_CYSCREEN) - 533) * 15 / 2) / 15);
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return panel.WindowRect().left == left; }))
        << place << ": " << panel.WindowRect().left;
    EXPECT_NEAR(panel.WindowRect().top, top, 1) << place;
  }
}

// An ordinary user can't write the Windows folder, where the location record
// goes: a folder standing in its place fails the writes the same way.
TEST(PanelStartup, AWindowsFolderItCantWriteCostsNoMessage) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_NE(::GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  const std::wstring record = std::wstring(windows) + L"\\VAZidi.ini";
  ::DeleteFileW(record.c_str());  // an earlier start's; nothing reads it
  ASSERT_TRUE(::CreateDirectoryW(record.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
  struct RemoveAfter {
    const std::wstring& folder;
    ~RemoveAfter() { ::RemoveDirectoryW(folder.c_str()); }
  } removeAfter{record};

  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  ASSERT_TRUE(panel.Start());  // a message box would hold start-up up before its end
  EXPECT_EQ(panel.FindTopLevel(L"#32770"), nullptr);
  EXPECT_EQ(panel.ReadConfig(L"LoadType"), HandleText(::GetDlgItem(panel.Window(), 1107)));
  EXPECT_EQ(panel.ReadConfig(L"LoadFace"), HandleText(::GetDlgItem(panel.Window(), 1103)));
  EXPECT_EQ(panel.ReadConfig(L"TempHwnd"), HandleText(panel.Window()));
}

// Unpacked into a folder the user can't write (Program Files, say): one box
// tells it, however many options fail to be written then and later.
TEST(PanelStartup, AnOptionsFileItCantWriteShowsOneMessage) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\nInput=1\r\n");
  // Held open for reading alone: the panel reads its options but can't write them.
  foundation::UniqueFile held(::CreateFileW((panel.folder() + L"Config.ini").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held);
  ASSERT_TRUE(panel.Begin());
  HWND box = panel.WaitForTopLevel(L"#32770", 15000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), L"提示");
  EXPECT_NE(ChildTexts(box).find(L"写入信息时出错,请确定您有足够的权限！"), std::wstring::npos);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  // The rest of start-up (three handles and the input mode still to write)
  // runs to its end without another box: a second one would keep the window hidden.
  ASSERT_TRUE(panel.WaitUntilShown());
  EXPECT_EQ(panel.FindTopLevel(L"#32770"), nullptr);

  // Choosing an input mode writes Input, quietly now.
  panel.Send(WM_COMMAND, panel::kMenuTextType0, 0, panel.MenuForm());
  EXPECT_EQ(panel.FindTopLevel(L"#32770"), nullptr);
  EXPECT_TRUE(panel.Running());
  held.reset();
  EXPECT_EQ(panel.ReadConfig(L"Input"), L"1");  // as it was: nothing could be written
}

// A hook library is loaded from the program's folder alone: one elsewhere on
// the search path is someone else's file.
TEST(PanelStartup, AHookLibraryOnlyOnTheSearchPathIsNotLoaded) {
  TempDir elsewhere;
  ASSERT_TRUE(::CopyFileW((foundation::AppPath() + L"ostrelkit.dll").c_str(), (elsewhere / L"ostrelkit.dll").c_str(),
                          FALSE));
  wchar_t path[8192] = {};
  ::GetEnvironmentVariableW(L"PATH", path, 8192);
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  ASSERT_TRUE(panel.Start({L"PATH=" + elsewhere.path() + L";" + path}));
  foundation::UniqueKernelHandle process(
      ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, panel.pid()));
  ASSERT_TRUE(process);
  HMODULE modules[512] = {};
  DWORD bytes = 0;
  ASSERT_TRUE(::EnumProcessModules(process.get(), modules, sizeof(modules), &bytes));
  std::vector<std::wstring> names;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
    wchar_t name[MAX_PATH] = {};
    ::GetModuleBaseNameW(process.get(), modules[i], name, MAX_PATH);
    names.push_back(name);
  }
  EXPECT_GT(names.size(), 3u);  // the listing works: the program and system libraries
  for (const std::wstring& name : names) EXPECT_NE(::lstrcmpiW(name.c_str(), L"ostrelkit.dll"), 0);
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
