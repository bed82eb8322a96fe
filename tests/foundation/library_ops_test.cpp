#include <gtest/gtest.h>
#include <windows.h>

#include "foundation/core/literal_path.h"
#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "foundation/library_ops.h"
#include "support/host_link.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"

using namespace foundation;
using testing_support::HostLink;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

namespace {
// Holds a file open with the given sharing, as another program using it would.
UniqueFile HoldOpen(const std::wstring& path, DWORD share) {
  return UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
}
}  // namespace

TEST(LibraryOps, CopyLandsInTheTargetAndReplacesASameNamedFile) {
  TempDir dir;
  ::CreateDirectoryW((dir / L"A").c_str(), nullptr);
  ::CreateDirectoryW((dir / L"B").c_str(), nullptr);
  WriteFileBytes(dir / L"A\\smile.gif", "GIF89a-new");
  WriteFileBytes(dir / L"B\\smile.gif", "old");
  testing_support::MessageRecorder boxes(IDNO);
  EXPECT_TRUE(CopyFaceVerified(nullptr, dir / L"A\\smile.gif", dir / L"B"));
  EXPECT_EQ(ReadFileBytes(dir / L"B\\smile.gif"), "GIF89a-new");
  EXPECT_EQ(ReadFileBytes(dir / L"A\\smile.gif"), "GIF89a-new");
  EXPECT_TRUE(boxes.messages.empty());  // the imports replace without asking
}

TEST(LibraryOps, CopyOntoItselfOrFromNothingFailsAndChangesNothing) {
  TempDir dir;
  ::CreateDirectoryW((dir / L"A").c_str(), nullptr);
  WriteFileBytes(dir / L"A\\smile.gif", "GIF89a");
  EXPECT_FALSE(CopyFaceVerified(nullptr, dir / L"A\\smile.gif", dir / L"A\\"));
  EXPECT_FALSE(CopyFaceVerified(nullptr, dir / L"A\\none.gif", dir / L"A\\"));
  EXPECT_EQ(ReadFileBytes(dir / L"A\\smile.gif"), "GIF89a");
  WIN32_FIND_DATAW fd;
  UniqueFind find(::FindFirstFileW((dir / L"A\\*.gif").c_str(), &fd));
  ASSERT_TRUE(find);
  EXPECT_FALSE(::FindNextFileW(find.get(), &fd)) << "a duplicate appeared";
}

TEST(LibraryOps, MoveKeepsTheSourceUnlessTheCopyIsInPlace) {
  TempDir dir;
  ::CreateDirectoryW((dir / L"A").c_str(), nullptr);
  ::CreateDirectoryW((dir / L"B").c_str(), nullptr);
  WriteFileBytes(dir / L"A\\1.gif", "one");
  WriteFileBytes(dir / L"A\\2.gif", "two");
  WriteFileBytes(dir / L"A\\3.gif", "three");

  EXPECT_EQ(MoveFace(nullptr, dir / L"A\\1.gif", dir / L"B\\"), MoveOutcome::kMoved);
  EXPECT_FALSE(FileExists(dir / L"A\\1.gif"));
  EXPECT_EQ(ReadFileBytes(dir / L"B\\1.gif"), "one");

  // The target's file of that name is in use and can't be replaced: no copy,
  // source kept, though the user said yes.
  WriteFileBytes(dir / L"B\\2.gif", "busy");
  testing_support::MessageRecorder boxes(IDYES);
  {
    UniqueFile busy = HoldOpen(dir / L"B\\2.gif", 0);
    ASSERT_TRUE(busy);
    EXPECT_EQ(MoveFace(nullptr, dir / L"A\\2.gif", dir / L"B\\"), MoveOutcome::kCopyFailed);
  }
  EXPECT_EQ(ReadFileBytes(dir / L"A\\2.gif"), "two");
  EXPECT_EQ(ReadFileBytes(dir / L"B\\2.gif"), "busy");
  EXPECT_EQ(boxes.Texts(), std::vector<std::wstring>{L"目标分类中已经存在同名的表情 2.gif,是否替换？"});

  // The source is open without delete sharing: copied, but it stays and that is said.
  {
    UniqueFile reading = HoldOpen(dir / L"A\\3.gif", FILE_SHARE_READ);
    ASSERT_TRUE(reading);
    EXPECT_EQ(MoveFace(nullptr, dir / L"A\\3.gif", dir / L"B\\"), MoveOutcome::kSourceNotDeleted);
  }
  EXPECT_EQ(ReadFileBytes(dir / L"A\\3.gif"), "three");
  EXPECT_EQ(ReadFileBytes(dir / L"B\\3.gif"), "three");
}

TEST(LibraryOps, DeleteFaceSaysWhetherTheFileWent) {
  TempDir dir;
  WriteFileBytes(dir / L"a.gif", "a");
  WriteFileBytes(dir / L"b.gif", "b");
  EXPECT_TRUE(DeleteFace(dir / L"a.gif"));
  EXPECT_FALSE(FileExists(dir / L"a.gif"));
  EXPECT_FALSE(DeleteFace(dir / L"a.gif"));
  UniqueFile busy = HoldOpen(dir / L"b.gif", 0);
  ASSERT_TRUE(busy);
  EXPECT_FALSE(DeleteFace(dir / L"b.gif"));
  EXPECT_TRUE(FileExists(dir / L"b.gif"));
}

TEST(LibraryOps, DeleteCategoryRemovesTheTreeOrSaysWhatStayed) {
  TempDir dir;
  ::CreateDirectoryW((dir / L"猫").c_str(), nullptr);
  ::CreateDirectoryW((dir / L"猫\\sub").c_str(), nullptr);
  WriteFileBytes(dir / L"猫\\a.gif", "a");
  WriteFileBytes(dir / L"猫\\sub\\b.gif", "b");
  std::wstring error;
  EXPECT_TRUE(DeleteCategoryFolder(dir / L"猫", &error)) << error;
  EXPECT_FALSE(FolderExists(dir / L"猫"));

  ::CreateDirectoryW((dir / L"狗").c_str(), nullptr);
  WriteFileBytes(dir / L"狗\\locked.gif", "x");
  WriteFileBytes(dir / L"狗\\keep.txt", "k");
  ::SetFileAttributesW((dir / L"狗\\keep.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  {
    UniqueFile busy = HoldOpen(dir / L"狗\\locked.gif", 0);
    ASSERT_TRUE(busy);
    EXPECT_FALSE(DeleteCategoryFolder(dir / L"狗\\", &error));
  }
  EXPECT_TRUE(FolderExists(dir / L"狗"));
  EXPECT_NE(error.find(L"狗\\"), std::wstring::npos) << error;
  // The read-only file is never forced.
  error.clear();
  EXPECT_FALSE(DeleteCategoryFolder(dir / L"狗", &error));
  EXPECT_TRUE(FileExists(dir / L"狗\\keep.txt"));
  EXPECT_NE(error.find(L"keep.txt"), std::wstring::npos) << error;

  EXPECT_FALSE(DeleteCategoryFolder(dir / L"none", &error));
  EXPECT_FALSE(error.empty());
}

TEST(LibraryOps, ScratchFolderGoesWithReadOnlyEntriesAndPastWhatStays) {
  TempDir dir;
  ::CreateDirectoryW((dir / L"work").c_str(), nullptr);
  ::CreateDirectoryW((dir / L"work\\sub").c_str(), nullptr);
  WriteFileBytes(dir / L"work\\sub\\ro.gif", "r");
  ::SetFileAttributesW((dir / L"work\\sub\\ro.gif").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteFileBytes(dir / L"work\\a.gif", "a");
  WriteFileBytes(dir / L"work\\z.gif", "z");
  {
    // One entry held open: everything else still goes.
    UniqueFile busy = HoldOpen(dir / L"work\\a.gif", 0);
    ASSERT_TRUE(busy);
    EXPECT_FALSE(RemoveScratchFolder(dir / L"work"));
  }
  EXPECT_TRUE(FileExists(dir / L"work\\a.gif"));
  EXPECT_FALSE(FileExists(dir / L"work\\z.gif"));
  EXPECT_FALSE(FolderExists(dir / L"work\\sub"));
  EXPECT_TRUE(RemoveScratchFolder(dir / L"work\\"));
  EXPECT_FALSE(FolderExists(dir / L"work"));
}

TEST(LibraryOps, ACategoryThatIsALinkIsNeverEntered) {
  TempDir dir;
  ::CreateDirectoryW((dir / L"elsewhere").c_str(), nullptr);
  WriteFileBytes(dir / L"elsewhere\\a.gif", "a");
  ::CreateDirectoryW((dir / L"Face").c_str(), nullptr);
  WriteFileBytes(dir / L"Face\\s.gif", "s");
  HostLink link(dir / L"Face\\链接", dir / L"elsewhere");
  ASSERT_TRUE(link.ok());
  ASSERT_TRUE(IsLink(dir / L"Face\\链接"));

  EXPECT_FALSE(CopyFaceVerified(nullptr, dir / L"Face\\s.gif", dir / L"Face\\链接"));
  EXPECT_EQ(MoveFace(nullptr, dir / L"Face\\s.gif", dir / L"Face\\链接\\"), MoveOutcome::kCopyFailed);
  EXPECT_EQ(ReadFileBytes(dir / L"Face\\s.gif"), "s");
  for (bool scratch : {false, true}) {
    std::wstring error;
    const std::wstring linked = dir / L"Face\\链接";
    const bool gone = scratch ? RemoveScratchFolder(linked) : DeleteCategoryFolder(linked, &error);
    // The link itself goes where the system can take it away (Windows); Wine
    // 8 follows it and refuses, which is said. What it points at stays whole.
    EXPECT_EQ(gone, !IsLink(linked));
    if (!scratch) {
      EXPECT_EQ(gone, error.empty()) << error;
    }
    EXPECT_EQ(ReadFileBytes(dir / L"elsewhere\\a.gif"), "a");
    EXPECT_FALSE(FileExists(dir / L"elsewhere\\s.gif"));
  }
}

TEST(LibraryOps, NamesEndingInADotOrBlankAreTakenLiterally) {
  TempDir dir;
  for (const wchar_t* name : {L"x", L"x.", L"x "}) {
    ASSERT_TRUE(::CreateDirectoryW(LiteralPath(dir / name).c_str(), nullptr)) << name;
  }
  WriteFileBytes(dir / L"x\\keep.gif", "x");
  WriteFileBytes(dir / L"s.gif", "s");
  // Into "x." and "x ", not into "x" that their trimmed names open.
  EXPECT_TRUE(CopyFaceVerified(nullptr, dir / L"s.gif", LiteralPath(dir / L"x.")));
  EXPECT_EQ(MoveFace(nullptr, dir / L"s.gif", LiteralPath(dir / L"x ")), MoveOutcome::kMoved);
  EXPECT_EQ(ReadFileBytes(LiteralPath(dir / L"x.\\s.gif")), "s");
  EXPECT_EQ(ReadFileBytes(LiteralPath(dir / L"x \\s.gif")), "s");
  EXPECT_FALSE(FileExists(dir / L"x\\s.gif"));
  // Deleting them leaves "x" whole, whichever form the path comes in.
  std::wstring error;
  EXPECT_TRUE(DeleteCategoryFolder(dir / L"x.", &error)) << error;
  EXPECT_TRUE(DeleteCategoryFolder(LiteralPath(dir / L"x "), &error)) << error;
  EXPECT_FALSE(FolderExists(LiteralPath(dir / L"x.")));
  EXPECT_FALSE(FolderExists(LiteralPath(dir / L"x ")));
  EXPECT_EQ(ReadFileBytes(dir / L"x\\keep.gif"), "x");
}
