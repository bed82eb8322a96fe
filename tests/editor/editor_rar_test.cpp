// Importing emoticon packs from RAR archives made at build time
// (make_pack_fixtures.sh).
#include "editor_fixture.h"

#include "foundation/app_path.h"
#include "foundation/core/category_name.h"
#include "foundation/core/fresh_name.h"
#include "foundation/file_ops.h"
#include "foundation/handles.h"

using namespace editor_tests;
using namespace editor;
using testing_support::ReadFileBytes;

namespace {

std::wstring Pack(const wchar_t* name) { return foundation::AppPath() + L"editor_packs\\" + name; }

class EditorRar : public EditorTest {
 protected:
  void SetUp() override { ASSERT_TRUE(foundation::FileExists(Pack(L"cute.rar"))) << "fixtures not built"; }

  // Chooses the pack and waits for the naming dialog.
  HWND OpenPack(const wchar_t* name) {
    editor_.Answer(std::wstring(L"open ") + Pack(name));
    editor_.ClickControl(kIdImportRar);
    return WaitForDialog(kAddRarCaption);
  }
  std::wstring Name(HWND dialog) { return testing_support::WindowText(DialogItem(dialog, kIdDialogText1)); }
  LRESULT ListedFiles(HWND dialog) { return ::SendMessageW(DialogItem(dialog, kIdDialogFileList), LB_GETCOUNT, 0, 0); }
  // Nothing of any import stays in the program's temporary folder.
  void ExpectTempFolderEmpty() {
    ASSERT_TRUE(editor_.Settle());  // the import has returned
    EXPECT_TRUE(FilesIn(editor_.tempFolder()).empty());
    EXPECT_TRUE(FoldersIn(editor_.tempFolder()).empty());
  }
};

TEST_F(EditorRar, PackWithOneFolder) {
  AddFaces(L"a", 1);
  // What an earlier import of the same pack left where it was unpacked then
  // is not mixed in, and not ours to remove.
  const std::wstring earlier = editor_.tempFolder() + L"Face\\cute\\cute\\";
  foundation::CreateFolder(earlier);
  ASSERT_TRUE(foundation::FolderExists(earlier));
  testing_support::WriteFileBytes(earlier + L"old.gif", "GIF89a earlier");
  ASSERT_TRUE(Start());
  HWND dialog = OpenPack(L"cute.rar");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Name(dialog), L"cute");
  EXPECT_EQ(ListedFiles(dialog), 3);

  ExpectBox(ClickForPrompt(DialogItem(dialog, kIdDialogOk)), kImportDone, foundation::kBoxInfo);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(kAddRarCaption) == nullptr; }));
  // The pictures of the folder only: not its text file, not its sub-folder.
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"cute")), (std::vector<std::wstring>{L"a.gif", L"b.jpg", L"c.bmp"}));
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"cute", L"a.gif")), "GIF89a cute a");
  EXPECT_TRUE(FoldersIn(editor_.CategoryPath(L"cute")).empty());
  EXPECT_EQ(editor_.Categories(), (std::vector<std::wstring>{L"a", L"cute"}));
  ASSERT_TRUE(editor_.Settle());
  EXPECT_EQ(FoldersIn(editor_.tempFolder() + L"Face"), (std::vector<std::wstring>{L"cute"}));
  EXPECT_EQ(FilesIn(earlier), (std::vector<std::wstring>{L"old.gif"}));
}

TEST_F(EditorRar, PicturesAtTheTopLevelUnderAnotherName) {
  ASSERT_TRUE(Start());
  HWND dialog = OpenPack(L"toplevel.rar");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Name(dialog), L"toplevel");
  HWND name = DialogItem(dialog, kIdDialogText1);
  HWND ok = DialogItem(dialog, kIdDialogOk);

  // The name goes through the rule of category names.
  EditorProcess::Type(name, L"  ");
  ExpectBox(ClickForPrompt(ok), kNamePack, foundation::kBoxInfo);
  for (const wchar_t* bad : {L"..\\up", L"顶层 ", L"顶层."}) {
    EditorProcess::Type(name, bad);
    ExpectBox(ClickForPrompt(ok), foundation::kInvalidCategoryNameMessage, foundation::kBoxWarning);
  }
  EXPECT_FALSE(foundation::FolderExists(editor_.folder() + L"up"));
  EXPECT_FALSE(foundation::FolderExists(editor_.CategoryPath(L"顶层")));

  EditorProcess::Type(name, L"顶层");
  ExpectBox(ClickForPrompt(ok), kImportDone, foundation::kBoxInfo);
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(kAddRarCaption) == nullptr; }));
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"顶层")), (std::vector<std::wstring>{L"x.gif", L"y.jpg"}));
  ExpectTempFolderEmpty();
}

TEST_F(EditorRar, TwoFoldersTakeTheFirstAndCancelImportsNothing) {
  ASSERT_TRUE(Start());
  HWND dialog = OpenPack(L"two.rar");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Name(dialog), L"alpha");
  EXPECT_EQ(ListedFiles(dialog), 1);
  EditorProcess::Click(DialogItem(dialog, kIdDialogCancel));
  ASSERT_TRUE(EditorProcess::WaitFor([&] { return editor_.Dialog(kAddRarCaption) == nullptr; }));
  ASSERT_TRUE(editor_.Settle());
  EXPECT_FALSE(foundation::FolderExists(editor_.folder() + L"Face"));
  ExpectTempFolderEmpty();

  dialog = OpenPack(L"two.rar");
  ASSERT_NE(dialog, nullptr);
  ExpectBox(ClickForPrompt(DialogItem(dialog, kIdDialogOk)), kImportDone, foundation::kBoxInfo);
  EXPECT_EQ(FoldersIn(editor_.folder() + L"Face"), (std::vector<std::wstring>{L"alpha"}));
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"alpha")), (std::vector<std::wstring>{L"1.gif"}));
}

TEST_F(EditorRar, HostilePackLeavesNothingAnywhere) {
  AddFaces(L"a", 1);
  ASSERT_TRUE(Start());
  editor_.Answer(std::wstring(L"open ") + Pack(L"hostile.rar"));
  const EditorPrompt chosen = ClickForPrompt(kIdImportRar);
  EXPECT_EQ(chosen.kind, L"open");
  ExpectBox(editor_.WaitForPromptAfter(1), kPackNotExtracted, foundation::kBoxWarning);
  ASSERT_TRUE(editor_.Settle(0));
  EXPECT_EQ(editor_.Dialog(kAddRarCaption), nullptr);
  EXPECT_EQ(FoldersIn(editor_.folder() + L"Face"), (std::vector<std::wstring>{L"a"}));
  // Neither the climbing names, the absolute one nor the link came out anywhere.
  ExpectTempFolderEmpty();
  EXPECT_FALSE(foundation::FileExists(L"C:\\abs.gif"));
  EXPECT_FALSE(foundation::FileExists(L"C:\\outside.gif"));
}

TEST_F(EditorRar, DamagedOrPicturelessPackImportsNothing) {
  ASSERT_TRUE(Start());
  editor_.Answer(std::wstring(L"open ") + Pack(L"damaged.rar"));
  ClickForPrompt(kIdImportRar);
  // The extraction's own report, then ours.
  ASSERT_EQ(editor_.WaitForPromptAfter(1).kind, L"box");
  ExpectBox(editor_.WaitForPromptAfter(2), kPackNotExtracted, foundation::kBoxWarning);
  EXPECT_FALSE(foundation::FolderExists(editor_.folder() + L"Face"));
  ExpectTempFolderEmpty();

  // Unpacked whole, but without a picture: no empty category, no dialog.
  editor_.Answer(std::wstring(L"open ") + Pack(L"nopics.rar"));
  EditorProcess::Click(editor_.Control(kIdImportRar));
  ExpectBox(editor_.WaitForPromptAfter(4), kNoPicturesInPack, foundation::kBoxInfo);
  EXPECT_EQ(editor_.Dialog(kAddRarCaption), nullptr);
  EXPECT_FALSE(foundation::FolderExists(editor_.folder() + L"Face"));
  ExpectTempFolderEmpty();
}

TEST_F(EditorRar, PackUnpackingPastTheBoundIsRefusedLeavingNothing) {
  ASSERT_TRUE(Start());
  // A few kilobytes that unpack to 270 MiB.
  editor_.Answer(std::wstring(L"open ") + Pack(L"bomb.rar"));
  EXPECT_EQ(ClickForPrompt(kIdImportRar).kind, L"open");
  ExpectBox(editor_.WaitForPromptAfter(1), kPackNotExtracted, foundation::kBoxWarning);
  EXPECT_EQ(editor_.Dialog(kAddRarCaption), nullptr);
  EXPECT_FALSE(foundation::FolderExists(editor_.folder() + L"Face"));
  ExpectTempFolderEmpty();
}

TEST_F(EditorRar, AWorkFolderGoesAtTheNextStartOnceNoProcessRunsUnderItsNumber) {
  const std::wstring work = editor_.tempFolder() + L"Face\\";
  // Left by an editor that has ended, though its process is still held open here.
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION ended{};
  std::wstring command = L"cmd.exe /c exit 0";
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &si, &ended));
  ::CloseHandle(ended.hThread);
  foundation::UniqueKernelHandle endedProcess(ended.hProcess);
  ASSERT_EQ(::WaitForSingleObject(ended.hProcess, 10000), WAIT_OBJECT_0);
  const std::wstring stale = work + foundation::FreshName(L"Brackmere-", ended.dwProcessId, 7) + L"\\";
  foundation::CreateFolderTree(stale + L"cute\\");
  testing_support::WriteFileBytes(stale + L"cute\\a.gif", "GIF89a left");
  // Named after a running program that is no Brackmere.exe (this test): an
  // editor started from a renamed copy, or a number passed on meanwhile.
  const std::wstring otherName = foundation::FreshName(L"Brackmere-", ::GetCurrentProcessId(), 7);
  foundation::CreateFolderTree(work + otherName);
  testing_support::WriteFileBytes(work + otherName + L"\\a.gif", "GIF89a in use");
  // Not an editor's work folder.
  foundation::CreateFolderTree(work + L"cute\\");
  testing_support::WriteFileBytes(work + L"cute\\old.gif", "GIF89a earlier");
  ASSERT_TRUE(Start());
  EXPECT_EQ(FoldersIn(work), (std::vector<std::wstring>{otherName, L"cute"}));
  EXPECT_EQ(FilesIn(work + otherName), (std::vector<std::wstring>{L"a.gif"}));
  EXPECT_EQ(FilesIn(work + L"cute"), (std::vector<std::wstring>{L"old.gif"}));

  // Another editor starting leaves a running one's work folder alone.
  const std::wstring running = work + foundation::FreshName(L"Brackmere-", editor_.pid(), 3) + L"\\";
  foundation::CreateFolderTree(running);
  testing_support::WriteFileBytes(running + L"a.gif", "GIF89a in use");
  EditorProcess second(editor_.folder());
  second.ShareTempFolder(editor_);
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(ReadFileBytes(running + L"a.gif"), "GIF89a in use");
}

}  // namespace
