// The menus' check marks, the mode table set by every switch, and the records
// the tray icon calls hand to the notification area.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "foundation/ini_file.h"
#include "foundation/input_hook.h"
#include "panel/core/menu_items.h"
#include "panel/frm_menu.h"
#include "panel/panel_config.h"
#include "panel/panel_state.h"
#include "panel/tray_and_modes.h"
#include "panel/tray_icon.h"
#include "support/temp_dir.h"
#include "support/tray_double.h"
#include "test_library.h"

using namespace panel_windows_test;

namespace {

// Options in a folder of the test's own.
class TestOptions {
 public:
  TestOptions() { panel::SetConfigPath(dir_ / L"Config.ini"); }
  ~TestOptions() { panel::SetConfigPath(L""); }
  std::wstring Read(const wchar_t* key) const { return panel::ReadConfig(key); }

 private:
  testing_support::TempDir dir_;
};

HWND MakePanelWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MenuAndModesPanel";
  ::RegisterClassW(&wc);
  return ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 100, 80, 257, 400,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace

TEST(FrmMenu, HiddenFormAndTheInputModeCheckMarks) {
  TestOptions options;
  std::vector<int> shown;
  panel::MenuActions actions;
  actions.showModeButton = [&](int i) { shown.push_back(i); };
  panel::FrmMenu menu(actions);
  ASSERT_TRUE(menu.Create());
  EXPECT_EQ(WindowText(menu.hwnd()), L"Form1");
  EXPECT_FALSE(::IsWindowVisible(menu.hwnd()));

  menu.Choose(panel::kMenuTextType1);
  EXPECT_EQ(shown, std::vector<int>{1});
  EXPECT_EQ(foundation::TextConvertMode, 1);
  EXPECT_TRUE(menu.IsChecked(panel::kMenuTextType1));
  EXPECT_FALSE(menu.IsChecked(panel::kMenuTextType0));
  EXPECT_FALSE(menu.IsChecked(panel::kMenuTextType2));
  EXPECT_EQ(options.Read(L"Input"), L"1");

  // Outside 0 to 2: only Input changes.
  menu.mTypeClick(5);
  EXPECT_EQ(options.Read(L"Input"), L"5");
  menu.mTypeClick(-1);
  EXPECT_EQ(options.Read(L"Input"), L"-1");
  EXPECT_EQ(shown, std::vector<int>{1});
  EXPECT_EQ(foundation::TextConvertMode, 1);
  EXPECT_TRUE(menu.IsChecked(panel::kMenuTextType1));
}

class ModeTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_ = MakePanelWindow();
    ASSERT_NE(panel_, nullptr);
    controls::PropertyBag bag;
    bag.Write(L"Enabled", true);
    bag.Write(L"Check", true);
    ASSERT_TRUE(bType_.Create(panel_, 0, 189, 0, 31, 20, &bag));
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                 panel_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(menu_.Create());
    panel::TitleStripParts parts;
    parts.panel = panel_;
    parts.bType = &bType_;
    parts.tooltip = tooltip_;
    parts.menu = &menu_;
    parts.setTitle = [this](const std::wstring& t) { title_ = t; };
    modes_ = std::make_unique<panel::TrayAndModes>(parts);
    panel::SavedLeft = 3000;
    panel::SavedTop = 1500;
  }
  void TearDown() override {
    modes_.reset();
    ::DestroyWindow(panel_);
  }
  std::wstring Tip() const {
    wchar_t text[80] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    ti.hwnd = panel_;
    ti.uId = reinterpret_cast<UINT_PTR>(bType_.hwnd());
    ti.lpszText = text;
    ::SendMessageW(tooltip_, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&ti));
    return text;
  }
  void ExpectColumn(bool standAlone) {
    EXPECT_EQ(panel::StandAloneMode, standAlone);
    EXPECT_EQ(Tip(), standAlone ? L"窗口吸附模式" : L"普通窗口模式");
    EXPECT_EQ(bType_.GetStatus(), standAlone);
    EXPECT_EQ(menu_.IsChecked(panel::kMenuDuLi), standAlone);
    EXPECT_EQ(menu_.IsChecked(panel::kMenuEnabled), !standAlone);
    EXPECT_EQ(title_, standAlone ? L"Pindle-独立" : L"Pindle-吸附");
  }
  RECT Rect() const {
    RECT r{};
    ::GetWindowRect(panel_, &r);
    return r;
  }

  TestOptions options_;
  HWND panel_ = nullptr;
  HWND tooltip_ = nullptr;
  controls::Command bType_;
  panel::FrmMenu menu_{panel::MenuActions{}};
  std::unique_ptr<panel::TrayAndModes> modes_;
  std::wstring title_;
};

TEST_F(ModeTableTest, EverySwitchSetsOneColumn) {
  modes_->EnterStartMode(false);
  ExpectColumn(false);
  EXPECT_EQ(options_.Read(L"DuLi"), L"");

  // The pin while docking: stand-alone where the window is.
  modes_->bType_Click();
  ExpectColumn(true);
  EXPECT_EQ(options_.Read(L"DuLi"), L"1");
  EXPECT_EQ(Rect().left, 100);
  EXPECT_EQ(Rect().top, 80);

  // The pin again: docking, just above the screen.
  modes_->bType_Click();
  ExpectColumn(false);
  EXPECT_EQ(options_.Read(L"DuLi"), L"0");
  EXPECT_EQ(Rect().bottom, 0);

  // The close button: only the flag and the menu marks change.
  ::SetWindowPos(panel_, nullptr, 100, 80, 257, 400, SWP_NOZORDER | SWP_NOACTIVATE);
  modes_->bExit_Click();
  EXPECT_TRUE(panel::StandAloneMode);
  EXPECT_TRUE(menu_.IsChecked(panel::kMenuDuLi));
  EXPECT_FALSE(menu_.IsChecked(panel::kMenuEnabled));
  EXPECT_EQ(Tip(), L"普通窗口模式");
  EXPECT_FALSE(bType_.GetStatus());
  EXPECT_EQ(title_, L"Pindle-吸附");
  EXPECT_EQ(options_.Read(L"DuLi"), L"0");
  EXPECT_EQ(Rect().bottom, 0);

  // The tray's double click: placed at the saved position, 8000 twips high.
  EXPECT_EQ(modes_->WndProcTrayIcon(panel_, 0x500, 1, WM_LBUTTONDBLCLK), 0);
  EXPECT_EQ(Rect().bottom, 0);
  EXPECT_EQ(modes_->WndProcTrayIcon(panel_, 0x500, 0, WM_LBUTTONDBLCLK), 0);
  ExpectColumn(true);
  const RECT r = Rect();
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.bottom - r.top, 533);
  EXPECT_EQ(options_.Read(L"DuLi"), L"1");
}

TEST(TrayIcon, RecordsOfAddModifyBalloonAndDelete) {
  testing_support::TrayDouble tray;
  ASSERT_TRUE(tray.Ready());
  const HWND w = MakePanelWindow();
  HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
  ::SendMessageW(w, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  panel::SysTrayAdd(w);
  panel::UpdateTips(w);
  panel::TiShi(w, L"标题", L"内容");
  panel::SysTrayDel(w);
  ASSERT_TRUE(tray.WaitForCalls(w, 4));
  const auto calls = tray.Calls(w);
  const DWORD commands[] = {NIM_ADD, NIM_MODIFY, NIM_MODIFY, NIM_DELETE};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(calls[i].command, commands[i]);
    EXPECT_EQ(calls[i].id, 0u);
  }
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(calls[i].callbackMessage, 0x500u);
    EXPECT_EQ(calls[i].tip, L"Pindle ");
    EXPECT_TRUE(calls[i].hasIcon);
  }
  EXPECT_EQ(calls[0].flags, 7u);
  EXPECT_EQ(calls[1].flags, 7u);
  EXPECT_EQ(calls[2].flags, 23u);
  EXPECT_EQ(calls[2].info, L"内容");
  EXPECT_EQ(calls[2].infoTitle, L"标题");
  EXPECT_EQ(calls[2].timeout, 100u);
  EXPECT_EQ(calls[2].infoFlags, 1u);
  EXPECT_EQ(calls[3].flags, 0u);
  ::DestroyWindow(w);
}
