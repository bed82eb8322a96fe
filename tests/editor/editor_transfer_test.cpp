// Copying and moving the selected emoticons to another category.
#include "editor_fixture.h"

#include "foundation/file_ops.h"
#include "foundation/handles.h"

using namespace editor_tests;
using namespace editor;
using testing_support::ReadFileBytes;
using testing_support::WriteFileBytes;

namespace {

class EditorTransfer : public EditorTest {
 protected:
  // Page 2 of category "a" (60 files) with cells 0, 2 and 4 selected.
  void SelectThreeOnPage2() {
    AddFaces(L"a", 60);
    editor_.AddCategory(L"b");
    editor_.AddCategory(L"c");
    ASSERT_TRUE(Start());
    editor_.ClickControl(kIdNextPage);
    ASSERT_TRUE(WaitForLabel(L"第2页/共2页"));
    for (int i : {0, 2, 4}) editor_.ClickCell(i);
    ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(4); }));
  }
  // The open copy or move dialog's target list.
  std::vector<std::wstring> Targets(HWND dialog) {
    HWND combo = DialogItem(dialog, kIdDialogText1);
    std::vector<std::wstring> items;
    const LRESULT n = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      wchar_t text[256] = {};
      ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
};

TEST_F(EditorTransfer, CopyThreeFromPage2) {
  SelectThreeOnPage2();
  editor_.ClickControl(kIdCopyFaces);
  HWND dialog = WaitForDialog(kCopyCaption);
  ASSERT_NE(dialog, nullptr);
  // Every category but the current one, the first chosen.
  EXPECT_EQ(Targets(dialog), (std::vector<std::wstring>{L"b", L"c"}));
  EXPECT_EQ(testing_support::WindowText(DialogItem(dialog, kIdDialogText1)), L"b");

  ExpectBox(ClickForPrompt(DialogItem(dialog, kIdDialogOk)), kCopyDone, foundation::kBoxInfo);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(kCopyCaption) == nullptr; }));
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"b")),
            (std::vector<std::wstring>{NumberedName(50), NumberedName(52), NumberedName(54)}));
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"a")).size(), 60u);
  // The grid stays as it was: page 2, the same three cells selected.
  EXPECT_EQ(editor_.PageLabel(), L"第2页/共2页");
  for (int i = 0; i < 10; ++i) EXPECT_EQ(editor_.CellSelected(i), i == 0 || i == 2 || i == 4) << i;
}

TEST_F(EditorTransfer, MoveThreeWhereOneCopyFailsKeepsThatSource) {
  SelectThreeOnPage2();
  // A file of the same name in the target, held open by another program:
  // the user says to replace it, but it cannot be, so that copy fails.
  WriteFileBytes(editor_.FacePath(L"c", NumberedName(52)), "locked");
  foundation::UniqueFile lock(::CreateFileW(editor_.FacePath(L"c", NumberedName(52)).c_str(), GENERIC_READ, 0,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(static_cast<bool>(lock));

  editor_.ClickControl(kIdMoveFaces);
  HWND dialog = WaitForDialog(kMoveCaption);
  ASSERT_NE(dialog, nullptr);
  ::SendMessageW(DialogItem(dialog, kIdDialogText1), CB_SETCURSEL, 1, 0);  // "c"
  editor_.Answer(L"yes");  // replace it
  const std::vector<EditorPrompt> prompts = ClickForPrompts(DialogItem(dialog, kIdDialogOk), 2);
  ASSERT_EQ(prompts.size(), 2u);
  ExpectBox(prompts[0], L"目标分类中已经存在同名的表情 f52.gif,是否替换？", foundation::kBoxQuestion);
  ExpectBox(prompts[1], L"下列表情已移动：\r\nf50.gif\r\nf54.gif\r\n下列表情没有移动成功,原文件仍保留在原分类中：\r\nf52.gif",
            foundation::kBoxWarning);
  lock.reset();

  // The moved files left "a"; the one whose copy failed is still there.
  ASSERT_TRUE(WaitForLabel(L"第1页/共2页"));
  const std::vector<std::wstring> left = FilesIn(editor_.CategoryPath(L"a"));
  EXPECT_EQ(left.size(), 58u);
  EXPECT_NE(std::find(left.begin(), left.end(), NumberedName(52)), left.end());
  EXPECT_EQ(std::find(left.begin(), left.end(), NumberedName(50)), left.end());
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"c")),
            (std::vector<std::wstring>{NumberedName(50), NumberedName(52), NumberedName(54)}));
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"c", NumberedName(52))), "locked");
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"c", NumberedName(50))), ReadFileBytes(editor_.FacePath(L"a", NumberedName(0))));
  for (int i = 0; i < 50; ++i) EXPECT_FALSE(editor_.CellSelected(i)) << i;
}

TEST_F(EditorTransfer, CopyAndMoveReplaceASameNamedFileOnlyAfterYes) {
  AddFaces(L"a", 2);
  editor_.AddCategory(L"b");
  WriteFileBytes(editor_.FacePath(L"b", L"f00.gif"), "old");
  ASSERT_TRUE(Start());
  const std::string picture = ReadFileBytes(editor_.FacePath(L"a", L"f00.gif"));
  // Copies or moves the selected cells into "b", answering the question
  // about f00.gif; the closing message.
  auto transfer = [&](bool move, const wchar_t* answer) {
    editor_.ClickControl(move ? kIdMoveFaces : kIdCopyFaces);
    HWND dialog = WaitForDialog(move ? kMoveCaption : kCopyCaption);
    editor_.Answer(answer);
    std::vector<EditorPrompt> prompts = ClickForPrompts(DialogItem(dialog, kIdDialogOk), 2);
    prompts.resize(2);
    ExpectBox(prompts[0], L"目标分类中已经存在同名的表情 f00.gif,是否替换？", foundation::kBoxQuestion);
    EXPECT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(move ? kMoveCaption : kCopyCaption) == nullptr; }));
    return prompts[1];
  };

  editor_.ClickCell(0);
  editor_.ClickCell(1);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(1); }));
  ExpectBox(transfer(false, L"no"), L"下列表情已复制：\r\nf01.gif\r\n下列表情与目标分类中的表情同名,没有复制：\r\nf00.gif",
            foundation::kBoxInfo);
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"b", L"f00.gif")), "old");
  EXPECT_TRUE(foundation::FileExists(editor_.FacePath(L"b", L"f01.gif")));

  editor_.ClickCell(1);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return !editor_.CellSelected(1); }));
  ExpectBox(transfer(false, L"yes"), kCopyDone, foundation::kBoxInfo);
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"b", L"f00.gif")), picture);

  WriteFileBytes(editor_.FacePath(L"b", L"f00.gif"), "old");
  ExpectBox(transfer(true, L"no"), L"没有移动任何表情！\r\n下列表情与目标分类中的表情同名,没有移动,仍保留在原分类中：\r\nf00.gif",
            foundation::kBoxInfo);
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"a", L"f00.gif")), picture);
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"b", L"f00.gif")), "old");
  EXPECT_TRUE(editor_.CellSelected(0));  // nothing changed: no reload

  ExpectBox(transfer(true, L"yes"), kMoveDone, foundation::kBoxInfo);
  EXPECT_FALSE(foundation::FileExists(editor_.FacePath(L"a", L"f00.gif")));
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"b", L"f00.gif")), picture);
}

TEST_F(EditorTransfer, SelectionGoneWhileTheDialogIsOpenChangesNothing) {
  AddFaces(L"a", 3);
  editor_.AddCategory(L"b");
  ASSERT_TRUE(Start());
  for (const bool move : {false, true}) {
    editor_.ClickCell(1);
    ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(1); }));
    editor_.ClickControl(move ? kIdMoveFaces : kIdCopyFaces);
    HWND dialog = WaitForDialog(move ? kMoveCaption : kCopyCaption);
    ASSERT_NE(dialog, nullptr);
    // The dialog is modeless: "全否" in the main window clears the selection.
    editor_.ClickControl(kIdSelectNone);
    ASSERT_TRUE(EditorProcess::WaitFor([&] { return !editor_.CellSelected(1); }));
    ExpectBox(ClickForPrompt(DialogItem(dialog, kIdDialogOk)), move ? kSelectFacesToMove : kSelectFacesToCopy,
              foundation::kBoxInfo);
    EXPECT_NE(editor_.Dialog(move ? kMoveCaption : kCopyCaption), nullptr);
    EXPECT_EQ(FilesIn(editor_.CategoryPath(L"a")).size(), 3u);
    EXPECT_TRUE(FilesIn(editor_.CategoryPath(L"b")).empty());
    EditorProcess::PressEsc(DialogItem(dialog, kIdDialogText1));
    ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(move ? kMoveCaption : kCopyCaption) == nullptr; }));
  }
}

TEST_F(EditorTransfer, RefusedWithoutSelectionOrTargetAndEscCloses) {
  AddFaces(L"a", 3);
  ASSERT_TRUE(Start());
  ExpectBox(ClickForPrompt(kIdCopyFaces), kSelectFacesToCopy, foundation::kBoxInfo);
  ExpectBox(ClickForPrompt(kIdMoveFaces), kSelectFacesToMove, foundation::kBoxInfo);

  // A single category: nowhere to move to.
  editor_.ClickCell(0);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.CellSelected(0); }));
  editor_.ClickControl(kIdMoveFaces);
  HWND dialog = WaitForDialog(kMoveCaption);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(Targets(dialog).empty());
  ExpectBox(ClickForPrompt(DialogItem(dialog, kIdDialogOk)), kNoMoveTarget, foundation::kBoxInfo);
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"a")).size(), 3u);
  EXPECT_TRUE(FilesIn(editor_.folder() + L"Face").empty());

  EditorProcess::PressEsc(DialogItem(dialog, kIdDialogText1));
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(kMoveCaption) == nullptr; }));
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"a")).size(), 3u);
}

}  // namespace
