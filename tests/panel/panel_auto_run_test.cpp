// Start with Windows for a user the machine's Run key refuses, as it refuses
// every user without administrator rights: the registry's own access check
// makes the keys refuse.
#include <gtest/gtest.h>

#include "foundation/registry.h"
#include "panel/core/menu_items.h"
#include "support/panel_process.h"
#include "support/refused_registry_key.h"

using namespace testing_support;

namespace {

std::wstring RunValue(HKEY root) { return foundation::GetRegValue(root, foundation::kRunKey, foundation::kAutoRunValueName); }

void RemoveRunValues() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
    foundation::DeleteRegValue(root, foundation::kRunKey, foundation::kAutoRunValueName);
}

// Chooses "系统启动时运行" and waits for its handling to end.
void ChooseAutoRun(const PanelProcess& panel) { panel.Send(WM_COMMAND, panel::kMenuAutoRun, 0, panel.MenuForm()); }

// Chooses it while the registry refuses: whether a box titled "提示" said
// text, closed again.
::testing::AssertionResult ChooseAutoRunAndSee(const PanelProcess& panel, const std::wstring& text) {
  ::PostMessageW(panel.MenuForm(), WM_COMMAND, panel::kMenuAutoRun, 0);
  HWND box = panel.WaitForTopLevel(L"#32770");
  if (!box) return ::testing::AssertionFailure() << "no box";
  wchar_t title[64] = {};
  ::GetWindowTextW(box, title, 64);
  const std::wstring texts = ChildTexts(box);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  if (!PanelProcess::WaitFor([&] { return !::IsWindow(box); })) return ::testing::AssertionFailure() << "box stays";
  if (std::wstring(title) != L"提示" || texts.find(text) == std::wstring::npos)
    return ::testing::AssertionFailure() << "another box";
  return ::testing::AssertionSuccess();
}

class RunValuesCleared : public ::testing::Test {
 protected:
  void SetUp() override { RemoveRunValues(); }
  void TearDown() override { RemoveRunValues(); }
};

}  // namespace

TEST_F(RunValuesCleared, AFirstRunTheMachineRefusesLandsInTheUsersKey) {
  RefusedRegistryKey machine(HKEY_LOCAL_MACHINE, foundation::kRunKey);
  ASSERT_TRUE(machine.Refuses());
  PanelProcess panel;
  ASSERT_TRUE(panel.Start());  // no Config.ini: the first run, with no box on the way
  const std::wstring path = panel.folder() + L"Tarnwick.exe";
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER), path);
  EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), L"");
  EXPECT_EQ(panel.FindTopLevel(L"#32770"), nullptr);

  // The mark shows the value in place: the item takes it away, and then
  // puts it back in the user's key.
  ChooseAutoRun(panel);
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER), L"");
  ChooseAutoRun(panel);
  EXPECT_EQ(RunValue(HKEY_CURRENT_USER), path);
  EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), L"");
  EXPECT_EQ(panel.FindTopLevel(L"#32770"), nullptr);
}

TEST_F(RunValuesCleared, WhereNeitherKeyTakesTheChangeABoxSaysSoAndTheMarkStays) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  ASSERT_TRUE(panel.Start());
  const std::wstring path = panel.folder() + L"Tarnwick.exe";
  {
    RefusedRegistryKey machine(HKEY_LOCAL_MACHINE, foundation::kRunKey), user(HKEY_CURRENT_USER, foundation::kRunKey);
    ASSERT_TRUE(machine.Refuses() && user.Refuses());
    EXPECT_TRUE(ChooseAutoRunAndSee(panel, L"无法设置系统启动时运行,请确定您有足够的权限！"));
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE) + RunValue(HKEY_CURRENT_USER), L"");
  }
  // Still unchecked: the item sets the value (under the machine's key, which
  // Wine as root lets everyone write).
  ChooseAutoRun(panel);
  EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), path);
  {
    RefusedRegistryKey machine(HKEY_LOCAL_MACHINE, foundation::kRunKey), user(HKEY_CURRENT_USER, foundation::kRunKey);
    ASSERT_TRUE(machine.Refuses() && user.Refuses());
    EXPECT_TRUE(ChooseAutoRunAndSee(panel, L"无法取消系统启动时运行,请确定您有足够的权限！"));
    EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), path);
  }
  // Still checked: the item removes it.
  ChooseAutoRun(panel);
  EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), L"");
  EXPECT_EQ(panel.FindTopLevel(L"#32770"), nullptr);
}
