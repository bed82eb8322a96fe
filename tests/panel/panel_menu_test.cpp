// The panel's menus and tab buttons, driven from outside: every item through
// its command, the main menu chosen with the keyboard, the tab pages and the
// editor button, and a category added through the menu's dialog.
#include <gtest/gtest.h>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/registry.h"
#include "panel/core/menu_items.h"
#include "support/panel_process.h"
#include "support/temp_dir.h"

using namespace testing_support;

namespace {

constexpr wchar_t kCommandClass[] = L"ControlsCommand";

void RunMenuItem(const PanelProcess& p, unsigned id) { p.Send(WM_COMMAND, id, 0, p.MenuForm()); }

std::wstring AutoRunValue() {
  return foundation::GetRegValue(HKEY_LOCAL_MACHINE, foundation::kRunKey, foundation::kAutoRunValueName);
}

// Explorer's arguments as it reads its command line: split at commas (and
// blanks) outside quotation marks, which are dropped.
std::vector<std::string> ExplorerArguments(const std::string& line) {
  std::vector<std::string> args;
  std::string arg;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (!quoted && (c == ',' || c == ' ')) {
      if (any) args.push_back(arg);
      arg.clear();
      any = false;
    } else {
      arg += c;
      any = true;
    }
  }
  if (any) args.push_back(arg);
  return args;
}

// The web addresses go to a logger for as long as this lives.
class BrowserStandIn {
 public:
  BrowserStandIn() {
    ::CopyFileW((foundation::AppPath() + L"arg_log.exe").c_str(), (dir_ / L"Browser.exe").c_str(), FALSE);
    const wchar_t key[] = L"http\\shell\\open\\command";
    ::RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    wchar_t old[1024] = {};
    DWORD size = sizeof(old);
    if (::RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS)
      old_ = old;
    const std::wstring command = L"\"" + dir_.path() + L"Browser.exe\" \"%1\"";
    ::RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  }
  ~BrowserStandIn() {
    ::RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                     static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key_);
  }
  std::vector<std::string> Opened() const { return ReadLogLines(dir_ / L"Browser.log"); }

 private:
  TempDir dir_;
  HKEY key_ = nullptr;
  std::wstring old_;
};

// The visible one of the three input-mode buttons (they share one place).
HWND VisibleModeButton(const PanelProcess& p) {
  HWND visible = nullptr;
  int count = 0;
  for (const PanelProcess::ChildPlace& c : p.Children(kCommandClass)) {
    if (c.rect.left == 157 && c.rect.top == 26 && ::IsWindowVisible(c.hwnd)) {
      visible = c.hwnd;
      ++count;
    }
  }
  return count == 1 ? visible : nullptr;
}

}  // namespace

TEST(PanelMenus, EveryItemThroughItsCommand) {
  foundation::DeleteRegValue(HKEY_LOCAL_MACHINE, foundation::kRunKey, foundation::kAutoRunValueName);
  BrowserStandIn browser;
  // A program folder whose name holds a comma, where Explorer's command line splits.
  TempDir outer;
  const std::wstring folder = outer / L"表情,备份\\";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  PanelProcess panel(folder);
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  panel.AddCategory(L"默认表情");
  // The file explorer the shell starts for a folder is found beside the program first.
  ::CopyFileW((foundation::AppPath() + L"arg_log.exe").c_str(), (panel.folder() + L"explorer.exe").c_str(), FALSE);
  ASSERT_TRUE(panel.Start());
  ASSERT_NE(panel.MenuForm(), nullptr);

  // Each browser logs before the next item starts one: browsers started
  // together would log in whatever order the system runs them.
  size_t opened = 0;
  for (unsigned id : {panel::kMenuDown, panel::kMenuUpdate, panel::kMenuJianYi}) {
    RunMenuItem(panel, id);
    ASSERT_TRUE(PanelProcess::WaitFor([&] { return browser.Opened().size() == opened + 1; })) << id;
    ++opened;
  }
  const std::vector<std::string> pages{"\"http://www.pindle.example/biaoqing/index.html\"",
                                       "\"http://www.pindle.example/\"", "\"http://bbs.pindle.example/\""};
  EXPECT_EQ(browser.Opened(), pages);

  // The check mark decides: unchecked at start (no value), so the first
  // choice writes the value and the second removes it.
  RunMenuItem(panel, panel::kMenuAutoRun);
  EXPECT_EQ(AutoRunValue(), panel.folder() + L"Tarnwick.exe");
  RunMenuItem(panel, panel::kMenuAutoRun);
  EXPECT_EQ(AutoRunValue(), L"");

  RunMenuItem(panel, panel::kMenuTypeGuanLi);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return ReadLogLines(panel.folder() + L"explorer.log").size() == 1; }));
  EXPECT_EQ(ExplorerArguments(ReadLogLines(panel.folder() + L"explorer.log")[0]),
            std::vector<std::string>{foundation::ToUtf8(panel.folder() + L"Face")});

  // The input modes: each shows its own button and writes Input.
  std::vector<HWND> modeButtons;
  for (unsigned mode : {1u, 0u, 2u}) {
    RunMenuItem(panel, panel::kMenuTextType0 + mode);
    EXPECT_EQ(panel.ReadConfig(L"Input"), std::to_wstring(mode));
    modeButtons.push_back(VisibleModeButton(panel));
    ASSERT_NE(modeButtons.back(), nullptr);
  }
  EXPECT_NE(modeButtons[0], modeButtons[1]);
  EXPECT_NE(modeButtons[1], modeButtons[2]);
  EXPECT_NE(modeButtons[0], modeButtons[2]);

  RunMenuItem(panel, panel::kMenuDuLi);
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"1");
  RunMenuItem(panel, panel::kMenuEnabled);
  EXPECT_EQ(panel.ReadConfig(L"DuLi"), L"0");

  // The emoticon menu: with no emoticon pressed, deleting does nothing; the
  // file and folder choices come up and are cancelled; each dialog opens once.
  RunMenuItem(panel, panel::kMenuDelFace);
  EXPECT_EQ(panel.FindTopLevel(L"#32770"), nullptr);
  for (unsigned id : {panel::kMenuAddFace, panel::kMenuInPutFace}) {
    ::PostMessageW(panel.MenuForm(), WM_COMMAND, id, 0);
    HWND chooser = panel.WaitForTopLevel(L"#32770");
    ASSERT_NE(chooser, nullptr) << id;
    ::PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindow(chooser); })) << id;
  }
  const std::pair<unsigned, const wchar_t*> dialogs[] = {{panel::kMenuNewType, L"TarnwickFrmNewType"},
                                                         {panel::kMenuKillAll, L"TarnwickFrmType"},
                                                         {panel::kMenuMoveFace, L"TarnwickFrmMove"},
                                                         {panel::kMenuCopyFace, L"TarnwickFrmCopy"}};
  for (const auto& [id, cls] : dialogs) {
    RunMenuItem(panel, id);
    EXPECT_NE(panel.WaitForTopLevel(cls), nullptr) << id;
  }

  // The exit item ends the program.
  ::PostMessageW(panel.MenuForm(), WM_COMMAND, panel::kMenuExit, 0);
  EXPECT_EQ(panel.WaitForExit(15000), 0);
}

TEST(PanelMenus, MenusPoppedUpAndChosenWithTheKeyboard) {
  foundation::DeleteRegValue(HKEY_LOCAL_MACHINE, foundation::kRunKey, foundation::kAutoRunValueName);
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  ASSERT_TRUE(panel.Start());
  auto popUp = [&] {
    ::PostMessageW(panel.Window(), 0x500, 0, WM_RBUTTONUP);
    return panel.WaitForTopLevel(L"#32768");
  };

  // The access key R.
  HWND menu = popUp();
  ASSERT_NE(menu, nullptr);
  ::PostMessageW(menu, WM_CHAR, L'r', 0);
  ASSERT_TRUE(PanelProcess::WaitFor([] { return !AutoRunValue().empty(); }));
  EXPECT_EQ(AutoRunValue(), panel.folder() + L"Tarnwick.exe");

  // Four steps down (the separator is passed over) and Enter: the same item again.
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindowVisible(menu); }));
  menu = popUp();
  ASSERT_NE(menu, nullptr);
  for (int i = 0; i < 4; ++i) ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(PanelProcess::WaitFor([] { return AutoRunValue().empty(); }));

  // The logo picture's click pops up the same menu; Esc closes it.
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindowVisible(menu); }));
  panel.PostClick(panel.Window(), 10, 10);
  menu = panel.WaitForTopLevel(L"#32768");
  ASSERT_NE(menu, nullptr);
  ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindowVisible(menu); }));

  // The input-mode button pops up the input menu: its first item is mode 0.
  ASSERT_EQ(panel.ReadConfig(L"Input"), L"2");
  HWND modeButton = VisibleModeButton(panel);
  ASSERT_NE(modeButton, nullptr);
  panel.PostClick(modeButton);
  menu = panel.WaitForTopLevel(L"#32768");
  ASSERT_NE(menu, nullptr);
  ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return panel.ReadConfig(L"Input") == L"0"; }));
}

TEST(PanelTabs, PagesAndTheEditorButton) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\nDuLi=1\r\n");
  ASSERT_TRUE(panel.Start());
  HWND tabs[3] = {panel.WaitForChildAt(kCommandClass, 6, 26), panel.WaitForChildAt(kCommandClass, 51, 26),
                  panel.WaitForChildAt(kCommandClass, 96, 26)};
  for (HWND t : tabs) ASSERT_NE(t, nullptr);
  // Each page holds its category list.
  HWND pages[3] = {::GetParent(panel.Combo(1001)), ::GetParent(panel.Combo(1003)), ::GetParent(panel.Combo(1002))};
  auto shown = [&](int i) { return ::IsWindowVisible(pages[i]) != FALSE; };
  ASSERT_TRUE(shown(0) && !shown(1) && !shown(2));

  panel.Click(tabs[2]);
  EXPECT_TRUE(!shown(0) && !shown(1) && shown(2));
  RECT r{};
  ::GetWindowRect(pages[2], &r);
  EXPECT_EQ(r.right - r.left, 242);
  panel.Click(tabs[0]);
  EXPECT_TRUE(shown(0) && !shown(1) && !shown(2));

  // The middle button starts the editor, or says it is missing; the pages stay.
  panel.PostClick(tabs[1]);
  HWND box = panel.WaitForTopLevel(L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(ChildTexts(box).find(L"Wrenlow程序丢失,请重新安装程序！"), std::wstring::npos);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindow(box); }));
  EXPECT_TRUE(shown(0) && !shown(1) && !shown(2));

  ::CopyFileW((foundation::AppPath() + L"arg_log.exe").c_str(), (panel.folder() + L"Brackmere.exe").c_str(), FALSE);
  panel.Click(tabs[1]);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return ReadLogLines(panel.folder() + L"Brackmere.log").size() == 1; }));
  EXPECT_EQ(ReadLogLines(panel.folder() + L"Brackmere.log")[0], "");  // no arguments
  EXPECT_TRUE(shown(0) && !shown(1) && !shown(2));
}

TEST(PanelDialogs, ACategoryAddedThroughTheMenu) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  ASSERT_TRUE(panel.Start());
  ASSERT_EQ(::SendMessageW(panel.Combo(1001), CB_GETCOUNT, 0, 0), 1);
  RunMenuItem(panel, panel::kMenuNewType);
  HWND dialog = panel.WaitForTopLevel(L"TarnwickFrmNewType");
  ASSERT_NE(dialog, nullptr);
  HWND text = ::GetDlgItem(dialog, 101);
  HWND add = ChildWithText(dialog, L"QQButton1");
  ASSERT_NE(text, nullptr);
  ASSERT_NE(add, nullptr);
  for (wchar_t c : std::wstring(L"新分类")) ::PostMessageW(text, WM_CHAR, c, 1);
  panel.PostClick(add);
  HWND box = panel.WaitForTopLevel(L"#32770");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(ChildTexts(box).find(L"新的分类添加成功！"), std::wstring::npos);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PanelProcess::WaitFor([&] { return !::IsWindow(dialog); }));
  const DWORD a = ::GetFileAttributesW((panel.folder() + L"Face\\新分类").c_str());
  EXPECT_TRUE(a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(::SendMessageW(panel.Combo(1001), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(::SendMessageW(panel.Combo(1003), CB_GETCOUNT, 0, 0), 2);
}
