// Adding and deleting categories, and a library with none at all.
#include "editor_fixture.h"

#include <algorithm>

#include "foundation/core/category_name.h"
#include "foundation/core/literal_path.h"
#include "foundation/file_ops.h"
#include "support/combo_input.h"
#include "support/host_link.h"
#include "support/panel_process.h"
#include "support/program_process.h"
#include "support/thumbs_records.h"

using namespace editor_tests;
using namespace editor;

namespace {

class EditorCategories : public EditorTest {
 protected:
  // Types the name into the open add-category dialog and presses "确定";
  // the prompt that follows.
  EditorPrompt TryName(HWND dialog, const std::wstring& name) {
    EditorProcess::Type(DialogItem(dialog, kIdDialogText1), name);
    return ClickForPrompt(DialogItem(dialog, kIdDialogOk));
  }
};

TEST_F(EditorCategories, AddRefusesBadNamesThenCreatesTheFolder) {
  AddFaces(L"b", 2);
  // A file where the folder would go: the folder cannot be made.
  testing_support::WriteFileBytes(editor_.folder() + L"Face\\plain", "a file");
  ASSERT_TRUE(Start());
  editor_.ClickControl(kIdAddCategory);
  HWND dialog = WaitForDialog(kAddCategoryCaption);
  ASSERT_NE(dialog, nullptr);
  HWND text = DialogItem(dialog, kIdDialogText1);

  ExpectBox(TryName(dialog, L"   "), kEnterCategoryName, foundation::kBoxStop);
  EXPECT_TRUE(EditorProcess::WaitFor([&] { return testing_support::WindowText(text).empty(); }));
  ExpectBox(TryName(dialog, L"b"), kCategoryExists, foundation::kBoxWarning);
  // Names that would not name a folder directly inside Face.
  for (const wchar_t* bad : {L"..", L"x\\y", L"\\z", L"C:", L"a<b", L"q?", L"b ", L"b.", L"c "})
    ExpectBox(TryName(dialog, bad), foundation::kInvalidCategoryNameMessage, foundation::kBoxWarning);
  ExpectBox(TryName(dialog, L"plain"), kCategoryNotCreated, foundation::kBoxWarning);
  EXPECT_EQ(FoldersIn(editor_.folder() + L"Face"), (std::vector<std::wstring>{L"b"}));
  EXPECT_EQ(FoldersIn(editor_.folder()), (std::vector<std::wstring>{L"Face"}));
  EXPECT_EQ(testing_support::ReadFileBytes(editor_.folder() + L"Face\\plain"), "a file");
  ASSERT_NE(editor_.Dialog(kAddCategoryCaption), nullptr);  // still open after every refusal

  ExpectBox(TryName(dialog, L"  c"), kCategoryAdded, foundation::kBoxInfo);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(kAddCategoryCaption) == nullptr; }));
  // Blanks in front are kept; the first category (not the new one) is shown.
  const std::vector<std::wstring> folders = FoldersIn(editor_.folder() + L"Face");
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0], L"  c");
  const std::vector<std::wstring> shown = editor_.Categories();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(editor_.CellTag(0), shown[0] == L"b" ? editor_.FacePath(L"b", NumberedName(0)) : L"");
}

TEST_F(EditorCategories, EscClosesTheDialogWithoutChange) {
  AddFaces(L"b", 1);
  ASSERT_TRUE(Start());
  editor_.ClickControl(kIdAddCategory);
  HWND dialog = WaitForDialog(kAddCategoryCaption);
  ASSERT_NE(dialog, nullptr);
  EditorProcess::Type(DialogItem(dialog, kIdDialogText1), L"new");
  EditorProcess::PressEsc(DialogItem(dialog, kIdDialogText1));
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(kAddCategoryCaption) == nullptr; }));
  EXPECT_EQ(FoldersIn(editor_.folder() + L"Face"), (std::vector<std::wstring>{L"b"}));
  EXPECT_TRUE(editor_.Prompts().empty());
}

TEST_F(EditorCategories, DeleteAsksThenEmptiesTheLibrary) {
  AddFaces(L"a", 2);
  AddFaces(L"b", 1);
  ASSERT_TRUE(Start());
  const std::wstring question = std::wstring(kConfirmDeleteCategoryStart) + L"a" + kConfirmDeleteCategoryEnd;

  editor_.Answer(L"no");
  ExpectBox(ClickForPrompt(kIdDeleteCategory), question, foundation::kBoxQuestion);
  ASSERT_TRUE(editor_.Settle());
  EXPECT_EQ(FoldersIn(editor_.folder() + L"Face"), (std::vector<std::wstring>{L"a", L"b"}));

  editor_.Answer(L"yes");
  ExpectBox(ClickForPrompt(kIdDeleteCategory), question, foundation::kBoxQuestion);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Categories() == std::vector<std::wstring>{L"b"}; }));
  EXPECT_EQ(FoldersIn(editor_.folder() + L"Face"), (std::vector<std::wstring>{L"b"}));
  EXPECT_EQ(editor_.CellTag(0), editor_.FacePath(L"b", NumberedName(0)));

  // The last one: an empty window where only what needs no category is usable.
  editor_.Answer(L"yes");
  ClickForPrompt(kIdDeleteCategory);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Categories().empty(); }));
  EXPECT_TRUE(FoldersIn(editor_.folder() + L"Face").empty());
  EXPECT_EQ(editor_.CellTag(0), L"");
  EXPECT_EQ(editor_.PageLabel(), L"第1页/共1页");
  for (int id : {kIdDeleteCategory, kIdCopyFaces, kIdMoveFaces, kIdDeleteFaces, kIdAddFace, kIdImportFolder})
    EXPECT_FALSE(::IsWindowEnabled(editor_.Control(id))) << id;
  for (int id : {kIdAddCategory, kIdImportRar, kIdExit}) EXPECT_TRUE(::IsWindowEnabled(editor_.Control(id))) << id;
}

TEST_F(EditorCategories, NamesWithDotsAndALinkedCategory) {
  AddFaces(L"x", 1);
  const std::wstring dotted = foundation::LiteralPath(editor_.CategoryPath(L"x."));
  ASSERT_TRUE(::CreateDirectoryW(dotted.c_str(), nullptr));
  testing_support::WriteFileBytes(dotted + L"\\" + NumberedName(7), testing_support::BmpBytes(40, 30));
  testing_support::TempDir elsewhere;
  testing_support::WriteFileBytes(elsewhere / NumberedName(0), "elsewhere");
  testing_support::HostLink link(editor_.CategoryPath(L"链接"), elsewhere.path());
  ASSERT_TRUE(link.ok());
  ASSERT_TRUE(Start());
  EXPECT_EQ(editor_.Categories(), (std::vector<std::wstring>{L"x", L"x.", L"链接"}));

  // "a..b" is a name like any other: made, shown, deleted.
  editor_.ClickControl(kIdAddCategory);
  HWND dialog = WaitForDialog(kAddCategoryCaption);
  ASSERT_NE(dialog, nullptr);
  ExpectBox(TryName(dialog, L"a..b"), kCategoryAdded, foundation::kBoxInfo);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Categories().size() == 4; }));
  EXPECT_EQ(editor_.Categories().front(), L"a..b");
  auto deleteShown = [&](const std::wstring& name) {
    editor_.ClickCategory(name);
    editor_.Answer(L"yes");
    ExpectBox(ClickForPrompt(kIdDeleteCategory),
              std::wstring(kConfirmDeleteCategoryStart) + name + kConfirmDeleteCategoryEnd, foundation::kBoxQuestion);
  };
  deleteShown(L"a..b");
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Categories().size() == 3; }));
  EXPECT_FALSE(foundation::FolderExists(editor_.CategoryPath(L"a..b")));

  // "x." shows its own emoticons and goes alone, not "x" its trimmed name opens.
  editor_.ClickCategory(L"x.");
  ASSERT_TRUE(WaitForTag(0, dotted + L"\\" + NumberedName(7)));
  deleteShown(L"x.");
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Categories().size() == 2; }));
  EXPECT_FALSE(foundation::FolderExists(dotted));
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"x")), std::vector<std::wstring>{NumberedName(0)});

  // The link is shown empty, never entered; deleting it leaves its target
  // whole. Wine 8 can't take a host-side link away (it follows it and
  // refuses): that is reported, where Windows removes the link itself.
  editor_.ClickCategory(L"链接");
  ASSERT_TRUE(WaitForTag(0, L""));
  const size_t before = editor_.Prompts().size();
  deleteShown(L"链接");
  ASSERT_TRUE(EditorProcess::WaitFor(
      [&] { return editor_.Prompts().size() > before + 1 || !foundation::IsLink(editor_.CategoryPath(L"链接")); }));
  EXPECT_EQ(testing_support::ReadFileBytes(elsewhere / NumberedName(0)), "elsewhere");
  if (foundation::IsLink(editor_.CategoryPath(L"链接"))) {
    const EditorPrompt report = editor_.Prompts().back();
    EXPECT_EQ(report.title, kErrorTitle);
    EXPECT_EQ(report.style, foundation::kBoxStop);
  }
}

TEST_F(EditorCategories, NoLibraryFolderAtAll) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(editor_.Categories().empty());
  EXPECT_FALSE(::IsWindowEnabled(editor_.Control(kIdAddFace)));
  editor_.ClickControl(kIdAddCategory);
  HWND dialog = WaitForDialog(kAddCategoryCaption);
  ASSERT_NE(dialog, nullptr);
  EditorProcess::Type(DialogItem(dialog, kIdDialogText1), L"新分类");
  ExpectBox(ClickForPrompt(DialogItem(dialog, kIdDialogOk)), kCategoryAdded, foundation::kBoxInfo);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Categories() == std::vector<std::wstring>{L"新分类"}; }));
  EXPECT_EQ(FoldersIn(editor_.folder() + L"Face"), (std::vector<std::wstring>{L"新分类"}));
  EXPECT_TRUE(::IsWindowEnabled(editor_.Control(kIdAddFace)));
}

// A category the panel showed, deleted in the editor beside it: the records
// of its pictures leave Thumbs.mdb with it (a picture made there later under
// one of their names would take its old drawing), and those of the other
// categories stay, whatever their names would match as patterns.
TEST(EditorCategoryRecords, ADeletedCategoryTakesTheRecordsOfItsPicturesAlong) {
  testing_support::PanelProcess panel;
  // Stand-alone, wholly on the screen.
  panel.WriteConfig("[Config]\r\nFirst=1\r\nDuLi=1\r\nDefX=3000\r\nDefY=1500\r\n");
  const std::wstring doomed = L"猫_%";
  const std::vector<std::wstring> others = {L"猫_%2", L"猫x%"};
  for (const std::wstring& name : {doomed, others[0], others[1]})
    for (int i = 0; i < 3; ++i) panel.AddPicture(name, NumberedName(i));
  ASSERT_TRUE(panel.Start());
  const std::wstring database = panel.folder() + L"Thumbs.mdb", root = panel.folder() + L"Face\\";
  auto recordFolders = [&](const char* table) { return testing_support::RecordFolders(database, table, root); };

  // The user picks each category in the panel's list: its grid keeps the
  // cells it drew. Then in the management list: its grid keeps thumbnails.
  auto pick = [&](HWND combo, const std::wstring& name) {
    const LRESULT index =
        ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    HWND list = testing_support::OpenList(panel.pid(), combo);
    if (index <= 0 || !list) return false;
    testing_support::ClickListEntry(list, static_cast<int>(index));
    return true;
  };
  auto recorded = [&](const char* table, const std::wstring& name) {
    return EditorProcess::WaitFor([&] {
      const std::vector<std::wstring> folders = recordFolders(table);
      return std::find(folders.begin(), folders.end(), name) != folders.end();
    });
  };
  HWND categories = panel.Combo(1001), management = panel.Combo(1003);
  ASSERT_TRUE(categories && management);
  const std::vector<std::wstring> all = {doomed, others[0], others[1]};
  for (const std::wstring& name : all) {
    ASSERT_TRUE(pick(categories, name));
    ASSERT_TRUE(recorded("tblFittedCell", name));
  }
  // No tab shows the management page (its tab starts the editor): it is put
  // up the way a tab puts up its page.
  ::ShowWindow(::GetParent(categories), SW_HIDE);
  ::ShowWindow(::GetParent(management), SW_SHOWNA);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return ::IsWindowVisible(management) != FALSE; }));
  for (const std::wstring& name : all) {
    ASSERT_TRUE(pick(management, name));
    ASSERT_TRUE(recorded("tblThumbnail", name));
  }

  // The editor deletes it.
  EditorProcess editor(panel.folder());
  ASSERT_TRUE(editor.Start());
  editor.ClickCategory(doomed);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.CellTag(0) == editor.FacePath(doomed, NumberedName(0)); }));
  editor.Answer(L"yes");
  editor.ClickControl(kIdDeleteCategory);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor.Categories().size() == 2; }));
  ASSERT_TRUE(editor.Settle(0));
  EXPECT_FALSE(foundation::FolderExists(root + doomed));
  EXPECT_EQ(recordFolders("tblThumbnail"), others);
  EXPECT_EQ(recordFolders("tblFittedCell"), others);
}

TEST_F(EditorCategories, ExitEndsTheProgram) {
  ASSERT_TRUE(Start());
  editor_.ClickControl(kIdExit);
  EXPECT_EQ(editor_.WaitForExit(10000), 0);
}

}  // namespace
