// The reload notification: with the panel running on the same library, each
// adding operation of the editor makes the panel reload its emoticons or its
// categories; deletions send nothing, and neither goes a click to a handle
// that no longer names the panel's button.
#include "editor_fixture.h"

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/core/rounding.h"
#include "foundation/handle_text.h"
#include "panel/core/page_math.h"
#include "support/panel_process.h"
#include "support/qq_double_process.h"

using namespace editor_tests;
using namespace editor;
using testing_support::PanelProcess;
using testing_support::QqDoubleProcess;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

namespace {

constexpr wchar_t kDefault[] = L"默认表情";

// The height of the panel's main grid showing n emoticons.
int GridHeight(int n) {
  return static_cast<int>(foundation::RoundHalfEven(panel::LayoutMainGrid(n).containerHeightPixels));
}

int Height(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return r.bottom - r.top;
}

TEST(EditorReload, AddingOperationsMakeThePanelReloadAndDeletionsDoNot) {
  PanelProcess panel;
  panel.WriteConfig("[Config]\r\nFirst=1\r\n");
  for (int i = 0; i < 5; ++i) panel.AddPicture(kDefault, L"p" + std::to_wstring(i) + L".gif");
  for (int i = 0; i < 10; ++i) panel.AddPicture(L"zz", NumberedName(i));
  ASSERT_TRUE(panel.Start());
  HWND grid = panel.Grids().front();
  HWND categories = panel.Combo(1001);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return Height(grid) == GridHeight(5); })) << Height(grid);
  ASSERT_EQ(::SendMessageW(categories, CB_GETCOUNT, 0, 0), 2);
  auto gridShows = [&](int n) { return PanelProcess::WaitFor([&] { return Height(grid) == GridHeight(n); }); };
  auto categoryCount = [&] { return ::SendMessageW(categories, CB_GETCOUNT, 0, 0); };

  EditorProcess editor(panel.folder());
  ASSERT_TRUE(editor.Start());
  ASSERT_EQ(editor.Categories(), (std::vector<std::wstring>{L"zz", kDefault}));
  auto okOf = [&](const wchar_t* caption) {
    HWND dialog = nullptr;
    EditorProcess::WaitFor([&] { return (dialog = editor.Dialog(caption)) != nullptr; });
    return ::GetDlgItem(dialog, kIdDialogOk);
  };
  auto selectCells = [&](int first, int last) {
    editor.ClickControl(kIdSelectNone);
    for (int i = first; i <= last; ++i) editor.ClickCell(i);
    ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.CellSelected(last) && !editor.CellSelected(last + 1); }));
  };

  // Copy five, then move the other five, into the panel's category.
  selectCells(0, 4);
  editor.ClickControl(kIdCopyFaces);
  HWND ok = okOf(kCopyCaption);
  ::SendMessageW(::GetDlgItem(::GetParent(ok), kIdDialogText1), CB_SETCURSEL, 0, 0);
  EditorProcess::Click(ok);
  ASSERT_TRUE(gridShows(10)) << Height(grid);
  selectCells(5, 9);
  editor.ClickControl(kIdMoveFaces);
  EditorProcess::Click(okOf(kMoveCaption));
  ASSERT_TRUE(gridShows(15)) << Height(grid);

  // Add one emoticon, then import a folder, into the panel's category.
  editor.ClickCategory(kDefault);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.CellTag(0).find(kDefault) != std::wstring::npos; }));
  TempDir source;
  for (int i = 0; i < 6; ++i) WriteFileBytes(source / (L"s" + std::to_wstring(i) + L".gif"), "GIF89a");
  editor.Answer(L"open " + (source / L"s0.gif"));
  editor.ClickControl(kIdAddFace);
  ASSERT_TRUE(gridShows(16)) << Height(grid);
  std::wstring folder = source.path();
  folder.pop_back();
  editor.Answer(L"folder " + folder);
  editor.ClickControl(kIdImportFolder);
  ASSERT_TRUE(gridShows(21)) << Height(grid);  // s0.gif is replaced, s1..s5 are new

  // A new category, then a pack: the panel's category list follows.
  editor.ClickControl(kIdAddCategory);
  HWND newOk = okOf(kAddCategoryCaption);
  EditorProcess::Type(::GetDlgItem(::GetParent(newOk), kIdDialogText1), L"新");
  EditorProcess::Click(newOk);
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return categoryCount() == 3; }));
  editor.Answer(L"open " + foundation::AppPath() + L"editor_packs\\cute.rar");
  editor.ClickControl(kIdImportRar);
  EditorProcess::Click(okOf(kAddRarCaption));
  ASSERT_TRUE(PanelProcess::WaitFor([&] { return categoryCount() == 4; }));

  // Deleting emoticons and a category sends nothing: once the editor is done
  // the panel still shows what it showed.
  editor.ClickCategory(kDefault);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.CellTag(0).find(kDefault) != std::wstring::npos; }));
  selectCells(0, 5);
  editor.Answer(L"yes");
  editor.ClickControl(kIdDeleteFaces);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.CellTag(15) == L""; }));
  ASSERT_TRUE(editor.Settle());
  EXPECT_EQ(Height(grid), GridHeight(21));
  editor.ClickCategory(L"新");
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.CellTag(0) == L""; }));
  editor.Answer(L"yes");
  editor.ClickControl(kIdDeleteCategory);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.Categories().size() == 3; }));
  ASSERT_TRUE(editor.Settle(0));
  EXPECT_EQ(categoryCount(), 4);
}

TEST(EditorReload, HandlesThatNoLongerNameThePanelsButtonsGetNoClick) {
  // The chat double's send button is a push button of another program; its
  // window is no button at all.
  QqDoubleProcess qq;
  ASSERT_TRUE(qq.Start(L"QQ.exe", {L"--inactive"}));
  EditorProcess editor;
  editor.WriteConfig("[Config]\r\nLoadFace=" + foundation::ToUtf8(foundation::HandleToText(qq.button())) + "\r\nLoadType=" +
                     foundation::ToUtf8(foundation::HandleToText(qq.hwnd())) + "\r\n");
  editor.AddCategory(L"a");
  TempDir source;
  WriteFileBytes(source / L"new.gif", "GIF89a");
  ASSERT_TRUE(editor.Start());

  editor.Answer(L"open " + (source / L"new.gif"));
  editor.ClickControl(kIdAddFace);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.CellTag(0) == editor.FacePath(L"a", L"new.gif"); }));
  editor.ClickControl(kIdAddCategory);
  HWND dialog = nullptr;
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return (dialog = editor.Dialog(kAddCategoryCaption)) != nullptr; }));
  EditorProcess::Type(::GetDlgItem(dialog, kIdDialogText1), L"b");
  EditorProcess::Click(::GetDlgItem(dialog, kIdDialogOk));
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.Categories().size() == 2; }));
  ASSERT_TRUE(editor.Settle(0));
  for (const std::string& line : qq.LogLines()) EXPECT_EQ(line.find("click"), std::string::npos) << line;
  EXPECT_TRUE(::IsWindow(qq.hwnd()));
}

}  // namespace
