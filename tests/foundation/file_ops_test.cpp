#include <gtest/gtest.h>
#include <windows.h>

#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "support/temp_dir.h"

using namespace foundation;
using testing_support::ReadFileBytes;
using testing_support::TempDir;
using testing_support::WriteFileBytes;

namespace {
int CountEntries(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((folder + L"*").c_str(), &fd);
  int n = 0;
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") ++n;
  } while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  return n;
}
}  // namespace

TEST(FileOps, ExistenceTests) {
  TempDir dir;
  WriteFileBytes(dir / L"a.gif", "GIF89a");
  WriteFileBytes(dir / L"empty.gif", "");
  ::CreateDirectoryW((dir / L"empty").c_str(), nullptr);
  EXPECT_TRUE(FileExists(dir / L"a.gif"));
  EXPECT_TRUE(FileExists(dir / L"empty.gif"));
  EXPECT_FALSE(FileExists(dir / L"missing.gif"));
  EXPECT_FALSE(FileExists(dir / L"empty"));  // folders are not files
  EXPECT_FALSE(FileExists(L""));
  EXPECT_FALSE(FileExists(dir / L"*.gif"));
  EXPECT_TRUE(FolderExists(dir / L"empty"));  // an empty folder exists
  EXPECT_TRUE(FolderExists(dir / L"empty\\"));
  EXPECT_FALSE(FolderExists(dir / L"a.gif"));
  EXPECT_FALSE(FolderExists(dir / L"none"));
  EXPECT_FALSE(FolderExists(L""));
}

// Wine makes no reparse point but its own links, so the entries of a folder
// kept in the cloud and the like are given as a listing would give them.
TEST(FileOps, OnlyEntriesThatLeadElsewhereAreLinks) {
  auto entry = [](DWORD attributes, DWORD tag) {
    WIN32_FIND_DATAW fd{};
    fd.dwFileAttributes = attributes;
    fd.dwReserved0 = tag;
    return fd;
  };
  constexpr DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY, kReparse = FILE_ATTRIBUTE_REPARSE_POINT;
  // FILE_ATTRIBUTE_RECALL_ON_DATA_ACCESS and FILE_ATTRIBUTE_PINNED, which the headers here lack.
  constexpr DWORD kOnlyInTheCloud = 0x00400000, kPinned = 0x00080000;
  // Symbolic links to a folder and to a file, a junction.
  EXPECT_TRUE(IsLinkEntry(entry(kFolder | kReparse, IO_REPARSE_TAG_SYMLINK)));
  EXPECT_TRUE(IsLinkEntry(entry(FILE_ATTRIBUTE_ARCHIVE | kReparse, IO_REPARSE_TAG_SYMLINK)));
  EXPECT_TRUE(IsLinkEntry(entry(kFolder | kReparse, IO_REPARSE_TAG_MOUNT_POINT)));
  // A reparse point whose tag is not told (Wine's links) is taken for one.
  EXPECT_TRUE(IsLinkEntry(entry(kFolder | kReparse, 0)));

  // In the cloud (a folder, and a file only there or also here), deduplicated, compressed.
  EXPECT_FALSE(IsLinkEntry(entry(kFolder | kReparse, IO_REPARSE_TAG_CLOUD_6)));
  EXPECT_FALSE(IsLinkEntry(entry(FILE_ATTRIBUTE_ARCHIVE | kReparse | kOnlyInTheCloud | FILE_ATTRIBUTE_OFFLINE,
                                 IO_REPARSE_TAG_CLOUD_6)));
  EXPECT_FALSE(IsLinkEntry(entry(FILE_ATTRIBUTE_ARCHIVE | kReparse | kPinned, IO_REPARSE_TAG_CLOUD)));
  EXPECT_FALSE(IsLinkEntry(entry(FILE_ATTRIBUTE_ARCHIVE | kReparse, IO_REPARSE_TAG_DEDUP)));
  EXPECT_FALSE(IsLinkEntry(entry(FILE_ATTRIBUTE_ARCHIVE | kReparse, IO_REPARSE_TAG_WOF)));
  // No reparse point: whatever the reserved field holds means nothing.
  EXPECT_FALSE(IsLinkEntry(entry(kFolder, 0)));
  EXPECT_FALSE(IsLinkEntry(entry(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_COMPRESSED, IO_REPARSE_TAG_SYMLINK)));

  TempDir dir;
  WriteFileBytes(dir / L"a.gif", "GIF89a");
  EXPECT_FALSE(IsLink(dir / L"a.gif"));
  EXPECT_FALSE(IsLink(dir.path()));
  EXPECT_FALSE(IsLink(dir / L"missing"));
}

TEST(FileOps, CreateFolderTreeMakesEveryMissingLevel) {
  TempDir dir;
  CreateFolderTree(dir / L"A\\B\\表情");
  EXPECT_TRUE(FolderExists(dir / L"A\\B\\表情"));
  // Again: nothing changes, nothing is reported.
  CreateFolder(dir / L"A\\B\\表情\\");
  EXPECT_TRUE(FolderExists(dir / L"A\\B\\表情"));
  EXPECT_EQ(CountEntries(dir / L"A\\B\\"), 1);
}

TEST(FileOps, SameFileUnderAnySpelling) {
  TempDir dir;
  WriteFileBytes(dir / L"Smile.gif", "x");
  WriteFileBytes(dir / L"other.gif", "y");
  EXPECT_TRUE(IsSameFile(dir / L"Smile.gif", dir / L"SMILE.GIF"));
  EXPECT_TRUE(IsSameFile(dir / L"Smile.gif", dir / L"sub\\..\\Smile.gif"));
  EXPECT_FALSE(IsSameFile(dir / L"Smile.gif", dir / L"other.gif"));
  // Relative to the current folder.
  wchar_t cwd[MAX_PATH];
  ::GetCurrentDirectoryW(MAX_PATH, cwd);
  ::SetCurrentDirectoryW(dir.path().c_str());
  EXPECT_TRUE(IsSameFile(L"Smile.gif", dir / L"smile.gif"));
  ::SetCurrentDirectoryW(cwd);
}

// The guard of deleting a file a record of another process names.
TEST(FileOps, InsideAFolderIsBelowItOnceTheDotsAreResolved) {
  struct Case {
    const wchar_t *path, *folder;
    bool inside;
  };
  const Case cases[] = {
      {L"C:\\cache\\IE\\a[1].rar", L"C:\\cache", true},
      {L"c:\\CACHE\\a", L"C:\\cache\\", true},
      {L"C:/cache/IE/a", L"C:\\cache", true},
      {L"C:\\cache\\IE\\..\\a", L"C:\\cache", true},
      {L"C:\\cache", L"C:\\cache", false},
      {L"C:\\cache\\", L"C:\\cache", false},
      {L"C:\\cache\\.", L"C:\\cache", false},
      {L"C:\\cacheX\\a", L"C:\\cache", false},
      {L"C:\\cache\\..\\windows\\win.ini", L"C:\\cache", false},
      {L"C:\\cache\\IE\\..\\..\\a", L"C:\\cache", false},
      {L"D:\\cache\\a", L"C:\\cache", false},
      {L"", L"C:\\cache", false},
      {L"C:\\a", L"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsInsideFolder(c.path, c.folder), c.inside) << c.path << " in " << c.folder;
}

TEST(FileOps, CopyToNewNameAndIntoFolder) {
  TempDir dir;
  WriteFileBytes(dir / L"src.gif", "picture");
  ::CreateDirectoryW((dir / L"cat").c_str(), nullptr);
  EXPECT_TRUE(CopyFileTo(nullptr, dir / L"src.gif", dir / L"cat\\copy.gif"));
  EXPECT_EQ(ReadFileBytes(dir / L"cat\\copy.gif"), "picture");
  EXPECT_TRUE(CopyFileTo(nullptr, dir / L"src.gif", dir / L"cat\\"));
  EXPECT_EQ(ReadFileBytes(dir / L"cat\\src.gif"), "picture");
  EXPECT_EQ(ReadFileBytes(dir / L"src.gif"), "picture");
}

TEST(FileOps, CopyReplacesReadOnlyTargetWithoutQuestion) {
  TempDir dir;
  WriteFileBytes(dir / L"src.gif", "new");
  WriteFileBytes(dir / L"dst.gif", "old");
  ::SetFileAttributesW((dir / L"dst.gif").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(CopyFileTo(nullptr, dir / L"src.gif", dir / L"dst.gif"));
  EXPECT_EQ(ReadFileBytes(dir / L"dst.gif"), "new");
  EXPECT_EQ(CountEntries(dir.path()), 2);  // no set-aside copy left behind
}

TEST(FileOps, CopyOntoItselfKeepsTheOnlyCopy) {
  TempDir dir;
  WriteFileBytes(dir / L"only.gif", "precious");
  EXPECT_FALSE(CopyFileTo(nullptr, dir / L"only.gif", dir / L"ONLY.GIF"));
  EXPECT_FALSE(CopyFileTo(nullptr, dir / L"only.gif", dir / L"x\\..\\only.gif"));
  EXPECT_EQ(ReadFileBytes(dir / L"only.gif"), "precious");
  EXPECT_EQ(CountEntries(dir.path()), 1);
}

TEST(FileOps, FailedCopyPutsTheOldTargetBack) {
  TempDir dir;
  WriteFileBytes(dir / L"dst.gif", "old");
  // The source does not exist: the copy fails and the target must survive.
  EXPECT_FALSE(CopyFileTo(nullptr, dir / L"missing.gif", dir / L"dst.gif"));
  EXPECT_EQ(ReadFileBytes(dir / L"dst.gif"), "old");
  EXPECT_EQ(CountEntries(dir.path()), 1);
}

TEST(FileOps, TargetInUseIsNotTouched) {
  TempDir dir;
  WriteFileBytes(dir / L"src.gif", "new");
  WriteFileBytes(dir / L"dst.gif", "old");
  {
    UniqueFile held(::CreateFileW((dir / L"dst.gif").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(CopyFileTo(nullptr, dir / L"src.gif", dir / L"dst.gif"));
  }
  EXPECT_EQ(ReadFileBytes(dir / L"dst.gif"), "old");
  EXPECT_EQ(CountEntries(dir.path()), 2);
}

TEST(FileOps, WildcardsAreRefused) {
  TempDir dir;
  WriteFileBytes(dir / L"a.gif", "a");
  WriteFileBytes(dir / L"b.gif", "b");
  ::CreateDirectoryW((dir / L"cat").c_str(), nullptr);
  EXPECT_FALSE(CopyFileTo(nullptr, dir / L"*.gif", dir / L"cat\\"));
  EXPECT_FALSE(RenamePath(nullptr, dir / L"?.gif", dir / L"c.gif"));
  EXPECT_EQ(CountEntries(dir / L"cat\\"), 0);
  EXPECT_TRUE(FileExists(dir / L"a.gif"));
}

TEST(FileOps, RenameFolderAndFile) {
  TempDir dir;
  ::CreateDirectoryW((dir / L"旧分类").c_str(), nullptr);
  WriteFileBytes(dir / L"旧分类\\a.gif", "a");
  EXPECT_TRUE(RenamePath(nullptr, dir / L"旧分类", dir / L"新分类"));
  EXPECT_TRUE(FolderExists(dir / L"新分类"));
  EXPECT_FALSE(FolderExists(dir / L"旧分类"));
  EXPECT_EQ(ReadFileBytes(dir / L"新分类\\a.gif"), "a");

  // A rename onto an existing file replaces it only once the rename happened.
  WriteFileBytes(dir / L"x.gif", "x");
  WriteFileBytes(dir / L"y.gif", "y");
  EXPECT_TRUE(RenamePath(nullptr, dir / L"x.gif", dir / L"y.gif"));
  EXPECT_EQ(ReadFileBytes(dir / L"y.gif"), "x");
  EXPECT_FALSE(FileExists(dir / L"x.gif"));

  // A rename that only changes the letter case keeps the file.
  EXPECT_TRUE(RenamePath(nullptr, dir / L"y.gif", dir / L"Y.GIF"));
  EXPECT_EQ(ReadFileBytes(dir / L"Y.GIF"), "x");
}

TEST(FileOps, FailedRenameKeepsBothFiles) {
  TempDir dir;
  WriteFileBytes(dir / L"dst.gif", "old");
  EXPECT_FALSE(RenamePath(nullptr, dir / L"missing.gif", dir / L"dst.gif"));
  EXPECT_EQ(ReadFileBytes(dir / L"dst.gif"), "old");
  EXPECT_EQ(CountEntries(dir.path()), 1);
}
