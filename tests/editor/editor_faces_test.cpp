// Adding one emoticon and importing a folder's pictures.
#include "editor_fixture.h"
#include "picture_files.h"

using namespace editor_tests;
using namespace editor;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

namespace {

class EditorFaces : public EditorTest {};

// A picture of the library's size (ProgramProcess::AddPicture) in another colour.
std::string PictureInColour(COLORREF colour) {
  std::string bytes = testing_support::BmpBytes(40, 30);  // rows of 120 bytes: no padding
  for (size_t i = 54; i + 2 < bytes.size(); i += 3) {
    bytes[i] = static_cast<char>(GetBValue(colour));
    bytes[i + 1] = static_cast<char>(GetGValue(colour));
    bytes[i + 2] = static_cast<char>(GetRValue(colour));
  }
  return bytes;
}

// Waits until the middle of the cell shows that colour on the screen.
bool CellShows(HWND cell, COLORREF colour) {
  RECT r{};
  ::GetWindowRect(cell, &r);
  pictures_test::Surface pixel(1, 1, RGB(0, 0, 0));
  return EditorProcess::WaitFor([&] {
    return pixel.CopyFromScreen((r.left + r.right) / 2, (r.top + r.bottom) / 2) &&
           pictures_test::Near(pixel.At(0, 0), colour, 8);
  });
}

TEST_F(EditorFaces, AddOneFileAskingBeforeReplacing) {
  editor_.AddCategory(L"cat");
  WriteFileBytes(editor_.FacePath(L"cat", L"a.gif"), "old a");
  TempDir source;
  WriteFileBytes(source / L"new.gif", "new file");
  WriteFileBytes(source / L"a.gif", "new a");
  ASSERT_TRUE(Start());

  editor_.Answer(L"open " + (source / L"new.gif"));
  EXPECT_EQ(ClickForPrompt(kIdAddFace).kind, L"open");
  ASSERT_TRUE(WaitForTag(1, editor_.FacePath(L"cat", L"new.gif")));
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"cat", L"new.gif")), "new file");

  // The name exists: the question is answered, and the file is read only once
  // the editor is done (a reader holding it open would keep it from being replaced).
  auto addExisting = [&](const wchar_t* answer) {
    editor_.Answer(L"open " + (source / L"a.gif"));
    editor_.Answer(answer);
    const size_t before = editor_.Prompts().size();
    EditorProcess::Click(editor_.Control(kIdAddFace));
    ExpectBox(editor_.WaitForPromptAfter(before + 1), kFaceExists, foundation::kBoxQuestion);
    EXPECT_TRUE(editor_.Settle());
    return ReadFileBytes(editor_.FacePath(L"cat", L"a.gif"));
  };
  EXPECT_EQ(addExisting(L"no"), "old a");
  EXPECT_EQ(addExisting(L"yes"), "new a");

  // Cancelling the dialog adds nothing.
  editor_.Answer(L"open");
  EXPECT_EQ(ClickForPrompt(kIdAddFace).kind, L"open");
  ASSERT_TRUE(editor_.Settle());
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"cat")), (std::vector<std::wstring>{L"a.gif", L"new.gif"}));
  for (const EditorPrompt& p : editor_.Prompts()) EXPECT_NE(p.kind, L"unanswered");
}

TEST_F(EditorFaces, AReplacedPictureIsShownAnewThoughItTookOverTheOldTimes) {
  // Page 2 (f50 to f59) is drawn through the thumbnail cache.
  AddFaces(L"cat", 60);
  const std::wstring face = editor_.FacePath(L"cat", L"f55.gif");
  const COLORREF orange = RGB(0xE0, 0x80, 0x20), blue = RGB(0x20, 0x40, 0xF0);
  TempDir source;
  WriteFileBytes(source / L"f55.gif", PictureInColour(blue));
  ASSERT_TRUE(Start());
  HWND cell = editor_.Control(kIdFirstCell + 5);
  editor_.ClickControl(kIdNextPage);
  ASSERT_TRUE(WaitForLabel(L"第2页/共2页"));
  ASSERT_EQ(editor_.CellTag(5), face);
  ASSERT_TRUE(CellShows(cell, orange));
  WIN32_FILE_ATTRIBUTE_DATA old{};
  ASSERT_TRUE(::GetFileAttributesExW(face.c_str(), GetFileExInfoStandard, &old));

  editor_.Answer(L"open " + (source / L"f55.gif"));
  editor_.Answer(L"yes");
  const size_t before = editor_.Prompts().size();
  EditorProcess::Click(editor_.Control(kIdAddFace));
  ExpectBox(editor_.WaitForPromptAfter(before + 1), kFaceExists, foundation::kBoxQuestion);
  ASSERT_TRUE(WaitForLabel(L"第1页/共2页"));
  ASSERT_TRUE(editor_.Settle());
  ASSERT_EQ(ReadFileBytes(face), PictureInColour(blue));
  // As NTFS does to a file made under a name just freed: the new picture
  // takes over the old one's creation time (under Wine, which gives the
  // last-write time as the creation time, that one too).
  HANDLE file = ::CreateFileW(face.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(::SetFileTime(file, &old.ftCreationTime, nullptr, &old.ftLastWriteTime));
  ::CloseHandle(file);

  editor_.ClickControl(kIdNextPage);
  ASSERT_TRUE(WaitForLabel(L"第2页/共2页"));
  EXPECT_TRUE(CellShows(cell, blue));
}

TEST_F(EditorFaces, AddingTheCategorysOwnFileKeepsIt) {
  editor_.AddCategory(L"cat");
  WriteFileBytes(editor_.FacePath(L"cat", L"a.gif"), "only copy");
  ASSERT_TRUE(Start());
  editor_.Answer(L"open " + editor_.FacePath(L"cat", L"a.gif"));
  editor_.Answer(L"yes");
  EditorProcess::Click(editor_.Control(kIdAddFace));
  // open, the question, then: the copy onto itself fails and says so.
  ExpectBox(editor_.WaitForPromptAfter(2), kAddFaceFailed, foundation::kBoxWarning);
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"cat", L"a.gif")), "only copy");
}

TEST_F(EditorFaces, FolderImportTakesGifBmpAndJpegOnly) {
  editor_.AddCategory(L"cat");
  WriteFileBytes(editor_.FacePath(L"cat", L"b.Jpg"), "old b");
  TempDir source;
  for (const wchar_t* name : {L"a.GIF", L"b.Jpg", L"c.png", L"d.txt", L"e.if", L"gif", L"f.bmp"})
    WriteFileBytes(source / name, "new " + std::string(1, static_cast<char>(name[0])));
  ASSERT_TRUE(Start());

  std::wstring folder = source.path();
  folder.pop_back();  // the folder dialog gives no trailing "\"
  editor_.Answer(L"folder " + folder);
  ClickForPrompt(kIdImportFolder);
  ExpectBox(editor_.WaitForPromptAfter(1), kImportDone, foundation::kBoxInfo);
  // A file of the same name is replaced without a question.
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"cat")), (std::vector<std::wstring>{L"a.GIF", L"b.Jpg", L"f.bmp"}));
  EXPECT_EQ(ReadFileBytes(editor_.FacePath(L"cat", L"b.Jpg")), "new b");
  // The grid lists the GIF and JPEG files.
  EXPECT_EQ(editor_.CellTag(0), editor_.FacePath(L"cat", L"a.GIF"));
  EXPECT_EQ(editor_.CellTag(1), editor_.FacePath(L"cat", L"b.Jpg"));
  EXPECT_EQ(editor_.CellTag(2), L"");

  // A folder without pictures: a message and no change.
  TempDir empty;
  WriteFileBytes(empty / L"c.png", "png");
  std::wstring emptyFolder = empty.path();
  emptyFolder.pop_back();
  editor_.Answer(L"folder " + emptyFolder);
  ClickForPrompt(kIdImportFolder);
  ExpectBox(editor_.WaitForPromptAfter(3), kNoPicturesInFolder, foundation::kBoxInfo);
  EXPECT_EQ(FilesIn(editor_.CategoryPath(L"cat")).size(), 3u);
}

}  // namespace
