// The thumbnail cache on its own copy of Thumbs.mdb (tests run in parallel).
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <memory>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/core/thumb_blob.h"
#include "foundation/file_ops.h"
#include "foundation/fitted_cells.h"
#include "foundation/gdiplus_image.h"
#include "foundation/library_ops.h"
#include "foundation/picture_fitting.h"
#include "foundation/thumbnail_cache.h"
#include "picture_files.h"
#include "support/temp_dir.h"
#include "support/thumbs_records.h"

using namespace foundation;
using namespace pictures_test;
using testing_support::TempDir;

namespace {

constexpr COLORREF kGray = RGB(128, 128, 128);

struct Row {
  std::wstring path, date;
  std::vector<uint8_t> blob;
};

class ThumbnailCache : public ::testing::Test {
 protected:
  void SetUp() override {
    db_ = dir_ / L"Thumbs.mdb";
    ASSERT_TRUE(CopyFileW((AppPath() + L"Thumbs.mdb").c_str(), db_.c_str(), FALSE));
    Exec("DELETE FROM tblThumbnail");
    ASSERT_TRUE(store_.Open(db_));
  }

  void Exec(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(ToUtf8(db_).c_str(), &db), SQLITE_OK);
    char* err = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
  }

  std::vector<Row> Rows() {
    std::vector<Row> rows;
    sqlite3* db = nullptr;
    sqlite3_open(ToUtf8(db_).c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT Path, Date, Thumbnail FROM tblThumbnail", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
      Row r;
      r.path = FromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
      r.date = FromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
      const auto* b = static_cast<const uint8_t*>(sqlite3_column_blob(st, 2));
      r.blob.assign(b, b + sqlite3_column_bytes(st, 2));
      rows.push_back(r);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
  }

  void PutRow(const std::wstring& path, const std::wstring& date, const std::vector<uint8_t>& blob) {
    sqlite3* db = nullptr;
    sqlite3_open(ToUtf8(db_).c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO tblThumbnail VALUES(?1, ?2, ?3)", -1, &st, nullptr);
    const std::string p = ToUtf8(path), d = ToUtf8(date);
    sqlite3_bind_text(st, 1, p.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, d.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_blob(st, 3, blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
    sqlite3_finalize(st);
    sqlite3_close(db);
  }

  std::wstring Picture(const wchar_t* name, int w, int h, uint32_t argb, PictureFormat f = PictureFormat::kBmp,
                       bool split = false) {
    const std::wstring path = dir_ / name;
    EXPECT_TRUE(MakePictureFile(path, f, w, h, argb, split));
    return path;
  }

  int FittedRows() {
    sqlite3* db = nullptr;
    sqlite3_open(ToUtf8(db_).c_str(), &db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM tblFittedCell", -1, &st, nullptr);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
  }

  RECT Show(const std::wstring& path, Surface& surface, ThumbnailCell* keep = nullptr) {
    ThumbnailCell cell;
    cell.dc = surface.dc();
    store_.Show(path, cell);
    if (keep) *keep = std::move(cell);
    return surface.ChangedArea(kGray);
  }

  GdiPlusSession gdiplus_;
  TempDir dir_;
  std::wstring db_;
  ThumbnailStore store_;
};

void ExpectRect(const RECT& r, int x, int y, int w, int h) {
  EXPECT_EQ(r.left, x);
  EXPECT_EQ(r.top, y);
  EXPECT_EQ(r.right - r.left, w);
  EXPECT_EQ(r.bottom - r.top, h);
}

TEST_F(ThumbnailCache, FirstShowAddsOneRowAndSecondReadsItBack) {
  const std::wstring path = Picture(L"wide.bmp", 100, 50, 0xFFF80000);  // red
  Surface first(43, 43, kGray);
  ThumbnailCell kept;
  ExpectRect(Show(path, first, &kept), 4, 13, 35, 17);
  EXPECT_TRUE(Near(first.At(21, 21), RGB(0xF8, 0, 0), 8));
  auto rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].path, path);
  EXPECT_EQ(rows[0].date, GetFileDate(path));
  EXPECT_EQ(rows[0].blob.size(), 1264u);
  EXPECT_EQ(DecodeThumbnailBlob(rows[0].blob).kind, BlobKind::kImage);
  // The cell keeps a copy of its drawing.
  ASSERT_TRUE(kept.picture);
  Surface copy(43, 43, kGray);
  {
    UniqueMemoryDc src(CreateCompatibleDC(nullptr));
    SelectionGuard sel(src.get(), kept.picture.bitmap.get());
    BitBlt(copy.dc(), 0, 0, 43, 43, src.get(), 0, 0, SRCCOPY);
  }
  EXPECT_EQ(copy.At(21, 21), first.At(21, 21));

  // Shown again: the same pixels.
  Surface second(43, 43, kGray);
  ExpectRect(Show(path, second), 4, 13, 35, 17);
  for (int y = 13; y < 30; ++y)
    for (int x = 4; x < 39; ++x) ASSERT_EQ(second.At(x, y), first.At(x, y));
  // And they come from the record: repaint the stored pixels blue (0x001F).
  auto blob = rows[0].blob;
  for (size_t i = 40; i + 1 < blob.size(); i += 2) {
    blob[i] = 0x1F;
    blob[i + 1] = 0;
  }
  PutRow(path, rows[0].date, blob);
  Surface third(43, 43, kGray);
  Show(path, third);
  EXPECT_TRUE(Near(third.At(21, 21), RGB(0, 0, 255), 8));
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(ThumbnailCache, ChangedCreationTimeRebuildsInPlace) {
  const std::wstring path = Picture(L"pic.bmp", 20, 20, 0xFFF80000);
  Surface cell(43, 43, kGray);
  ExpectRect(Show(path, cell), 11, 11, 20, 20);
  // Wine on Linux cannot set a file's creation time: age the record instead,
  // which is the same mismatch seen from the cache.
  ASSERT_TRUE(MakePictureFile(path, PictureFormat::kBmp, 20, 20, 0xFF0000F8));  // blue now
  PutRow(path, L"2001-01-01 00:00:00", Rows()[0].blob);
  cell.Fill(kGray);
  Show(path, cell);
  EXPECT_TRUE(Near(cell.At(20, 20), RGB(0, 0, 0xF8), 8));
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].date, GetFileDate(path));
}

TEST_F(ThumbnailCache, PathInOtherLetterCaseFindsTheSameRow) {
  const std::wstring path = Picture(L"Case.bmp", 35, 35, 0xFF00F800);
  Surface cell(43, 43, kGray);
  ExpectRect(Show(path, cell), 4, 4, 35, 35);
  std::wstring upper = path;
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  cell.Fill(kGray);
  ExpectRect(Show(upper, cell), 4, 4, 35, 35);
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(ThumbnailCache, TransparentAreaComesOutWhite) {
  const std::wstring path = Picture(L"half.png", 20, 20, 0xFF0000F8, PictureFormat::kPng, true);
  Surface cell(43, 43, kGray);
  Show(path, cell);
  EXPECT_TRUE(Near(cell.At(14, 20), RGB(255, 255, 255), 8));  // the tile behind the left half
  EXPECT_TRUE(Near(cell.At(27, 20), RGB(0, 0, 0xF8), 8));
}

TEST_F(ThumbnailCache, UndecodableFileIsRecordedAndDrawsNothing) {
  const std::wstring path = dir_ / L"junk.gif";
  testing_support::WriteFileBytes(path, "GIF89a but nothing more");
  Surface cell(43, 43, kGray);
  EXPECT_EQ(Show(path, cell).right, 0);
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].blob, std::vector<uint8_t>(40, 0));
  EXPECT_EQ(Show(path, cell).right, 0);
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(ThumbnailCache, UndecodableRecordTakesTheDirectDrawing) {
  // The record says "cannot be decoded" but the file can: the cell is drawn
  // straight from the file, 33 x 16 at (5, 14) instead of the 35 x 17 thumbnail.
  const std::wstring path = Picture(L"wide.bmp", 100, 50, 0xFFF80000);
  PutRow(path, GetFileDate(path), std::vector<uint8_t>(40, 0));
  Surface cell(43, 43, kGray);
  ExpectRect(Show(path, cell), 5, 14, 33, 16);
  EXPECT_EQ(Rows()[0].blob.size(), 40u);
}

TEST_F(ThumbnailCache, CorruptRecordIsRebuiltBeforeAnyPixelIsDrawn) {
  const std::wstring path = Picture(L"wide.bmp", 100, 50, 0xFFF80000);
  for (uint32_t badWidth : {500u, 0u}) {
    std::vector<uint8_t> bad(40 + 1224, 0x55);
    const uint8_t header[] = {40, 0, 0, 0, 0, 0, 0, 0, 17, 0, 0, 0, 1, 0, 16, 0};
    memcpy(bad.data(), header, sizeof(header));
    memcpy(bad.data() + 4, &badWidth, 4);
    PutRow(path, GetFileDate(path), bad);
    Surface cell(43, 43, kGray);
    ExpectRect(Show(path, cell), 4, 13, 35, 17);
    const auto rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].blob.size(), 1264u);
    EXPECT_EQ(DecodeThumbnailBlob(rows[0].blob).kind, BlobKind::kImage);
  }
}

TEST_F(ThumbnailCache, WithoutStoreCellsAreDrawnStraight) {
  const std::wstring path = Picture(L"wide.bmp", 100, 50, 0xFFF80000);
  store_.Close();
  Surface cell(43, 43, kGray);
  ExpectRect(Show(path, cell), 5, 14, 33, 16);
  ThumbnailStore missing;
  EXPECT_FALSE(missing.Open(dir_ / L"absent.mdb"));
  testing_support::WriteFileBytes(dir_ / L"empty.mdb", "");
  EXPECT_FALSE(missing.Open(dir_ / L"empty.mdb"));
}

TEST_F(ThumbnailCache, BusyDatabaseCountsAsMiss) {
  const std::wstring path = Picture(L"wide.bmp", 100, 50, 0xFFF80000);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(db_).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  Surface cell(43, 43, kGray);
  ExpectRect(Show(path, cell), 4, 13, 35, 17);  // built and drawn all the same
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(Rows().size(), 0u);
  cell.Fill(kGray);
  ExpectRect(Show(path, cell), 4, 13, 35, 17);
  EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(ThumbnailCache, BatchWritesAPageInOneGo) {
  const std::wstring a = Picture(L"a.bmp", 100, 50, 0xFFF80000);
  const std::wstring b = Picture(L"b.bmp", 20, 20, 0xFF00F800);
  {
    ThumbnailBatch batch(store_);
    Surface cell(43, 43, kGray);
    ExpectRect(Show(a, cell), 4, 13, 35, 17);
    cell.Fill(kGray);
    ExpectRect(Show(b, cell), 11, 11, 20, 20);
    cell.Fill(kGray);
    ExpectRect(Show(a, cell), 4, 13, 35, 17);  // shown again before the batch ends
    EXPECT_EQ(Rows().size(), 0u);
  }
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 2u);
  for (const Row& r : rows) EXPECT_EQ(DecodeThumbnailBlob(r.blob).kind, BlobKind::kImage);
}

TEST_F(ThumbnailCache, BatchThatCannotBeWrittenIsBuiltAgain) {
  const std::wstring a = Picture(L"a.bmp", 100, 50, 0xFFF80000);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(db_).c_str(), &other), SQLITE_OK);
  {
    ThumbnailBatch batch(store_);
    Surface cell(43, 43, kGray);
    ExpectRect(Show(a, cell), 4, 13, 35, 17);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  }
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(Rows().size(), 0u);
  Surface cell(43, 43, kGray);
  ExpectRect(Show(a, cell), 4, 13, 35, 17);
  EXPECT_EQ(Rows().size(), 1u);
}

COLORREF PicturePixel(const OwnedPicture& picture, int x, int y) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  SelectionGuard sel(dc.get(), picture.bitmap.get());
  return GetPixel(dc.get(), x, y);
}

TEST_F(ThumbnailCache, CellPictureIsRefreshedInPlace) {
  const std::wstring red = Picture(L"red.bmp", 35, 35, 0xFFF80000);
  const std::wstring green = Picture(L"green.bmp", 35, 35, 0xFF00F800);
  Surface surface(43, 43, kGray);
  ThumbnailCell cell;
  cell.dc = surface.dc();
  store_.Show(red, cell);
  ASSERT_TRUE(cell.picture);
  const HBITMAP first = cell.picture.bitmap.get();
  EXPECT_TRUE(Near(PicturePixel(cell.picture, 21, 21), RGB(0xF8, 0, 0), 8));
  store_.Show(green, cell);
  EXPECT_EQ(cell.picture.bitmap.get(), first);
  EXPECT_TRUE(Near(PicturePixel(cell.picture, 21, 21), RGB(0, 0xF8, 0), 8));
  EXPECT_EQ(PicturePixel(cell.picture, 1, 1), kGray);  // the whole cell, border included
}

TEST_F(ThumbnailCache, ShownFilesAreReleased) {
  const std::wstring path = Picture(L"gone.png", 30, 30, 0xFF123456, PictureFormat::kPng);
  Surface cell(43, 43, kGray);
  Show(path, cell);
  EXPECT_TRUE(DeleteFileW(path.c_str()));
}

// A 43 x 43 white cell as the grid draws it: through the store, or straight
// from the file; the number of pixels where two cells differ.
void DrawStraight(const std::wstring& path, Surface& cell) {
  int32_t w = 43, h = 43;
  DrawImageFit(cell.dc(), path, w, h);
}
int Differences(const Surface& a, const Surface& b) {
  int n = 0;
  for (int y = 0; y < 43; ++y)
    for (int x = 0; x < 43; ++x) n += a.At(x, y) != b.At(x, y);
  return n;
}

// Overwrites a file with bytes no decoder takes, keeping its size and times:
// what it shows afterwards can only come from what was kept of it.
void SpoilKeepingStamp(const std::wstring& path) {
  const std::wstring stamp = FileStamp(path);
  WIN32_FILE_ATTRIBUTE_DATA before{};
  ASSERT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &before));
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  std::vector<char> junk(before.nFileSizeLow, 'x');
  DWORD written = 0;
  WriteFile(f, junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr);
  SetFileTime(f, &before.ftCreationTime, nullptr, &before.ftLastWriteTime);
  CloseHandle(f);
  ASSERT_EQ(FileStamp(path), stamp);
}

TEST_F(ThumbnailCache, FittedCellsAreThePicturesDrawnAndAreKeptWhileTheFileStays) {
  // A Thumbs.mdb from before the kept cells gets their table.
  store_.Close();
  Exec("DROP TABLE IF EXISTS tblFittedCell");
  ASSERT_TRUE(store_.Open(db_));
  const COLORREF white = RGB(255, 255, 255);
  const std::vector<std::wstring> files{
      Picture(L"a.png", 100, 50, 0xFF2080F0, PictureFormat::kPng, true),  // half transparent
      Picture(L"b.jpg", 20, 20, 0xFFF0A020, PictureFormat::kJpeg),
      Picture(L"c.gif", 60, 100, 0xFF10C040, PictureFormat::kGif),
      Picture(L"d.bmp", 33, 33, 0xFF800080),
  };
  std::vector<std::unique_ptr<Surface>> expected;
  for (const std::wstring& path : files) {
    expected.push_back(std::make_unique<Surface>(43, 43, white));
    DrawStraight(path, *expected.back());
    Surface cell(43, 43, white);
    store_.ShowFitted(path, cell.dc(), 43, 43, white);
    EXPECT_EQ(Differences(cell, *expected.back()), 0) << ToUtf8(path);
    EXPECT_GT(Differences(cell, Surface(43, 43, white)), 0) << ToUtf8(path);
  }
  EXPECT_EQ(FittedRows(), 4);

  // Spoilt behind the program's back with size and times kept: the same
  // pixels, from memory and, for a new store, from the database.
  for (const std::wstring& path : files) SpoilKeepingStamp(path);
  for (int pass = 0; pass < 2; ++pass) {
    for (size_t i = 0; i < files.size(); ++i) {
      Surface cell(43, 43, white);
      store_.ShowFitted(files[i], cell.dc(), 43, 43, white);
      EXPECT_EQ(Differences(cell, *expected[i]), 0) << "pass " << pass << " " << ToUtf8(files[i]);
    }
    store_.Close();
    ASSERT_TRUE(store_.Open(db_));
  }
  // A cell of another size or background is not the kept one.
  Surface grey(43, 43, kGray), greyExpected(43, 43, kGray);
  store_.ShowFitted(files[0], grey.dc(), 43, 43, kGray);
  DrawStraight(files[0], greyExpected);
  EXPECT_EQ(Differences(grey, greyExpected), 0);

  // Written anew, the file is drawn from what it holds now.
  FILETIME later;
  GetSystemTimeAsFileTime(&later);
  HANDLE f = CreateFileW(files[1].c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(SetFileTime(f, nullptr, nullptr, &later));
  CloseHandle(f);
  Surface spoilt(43, 43, white);
  store_.ShowFitted(files[1], spoilt.dc(), 43, 43, white);
  EXPECT_EQ(Differences(spoilt, Surface(43, 43, white)), 0);
}

TEST_F(ThumbnailCache, FittedCellThatCouldNotBeDrawnIsTriedAgain) {
  const COLORREF white = RGB(255, 255, 255);
  const std::wstring path = Picture(L"held.png", 30, 30, 0xFF2060A0, PictureFormat::kPng);
  Surface expected(43, 43, white);
  DrawStraight(path, expected);
  {
    // Held open by another program: nothing can be drawn now, and nothing is kept.
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Surface cell(43, 43, white);
    store_.ShowFitted(path, cell.dc(), 43, 43, white);
    CloseHandle(held);
    EXPECT_EQ(Differences(cell, Surface(43, 43, white)), 0);
    EXPECT_EQ(FittedRows(), 0);
  }
  Surface cell(43, 43, white);
  store_.ShowFitted(path, cell.dc(), 43, 43, white);
  EXPECT_EQ(Differences(cell, expected), 0);
  EXPECT_EQ(FittedRows(), 1);
}

// What NTFS does to a file made under the name of one just set aside
// (tunnelling): it takes over that file's creation time. Wine gives a file's
// last-write time as its creation time, so that time is set back too; with
// the size the same as well, nothing the file system says of the new picture
// tells it from the old one.
void TakeOverTimes(const std::wstring& path, const WIN32_FILE_ATTRIBUTE_DATA& old) {
  HANDLE f = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(f, &old.ftCreationTime, nullptr, &old.ftLastWriteTime));
  CloseHandle(f);
}

// A folder of the library with one red picture a.bmp, and a blue one of the
// same size to put in its place.
class ReplacedPicture : public ThumbnailCache {
 protected:
  void SetUp() override {
    ThumbnailCache::SetUp();
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    ASSERT_TRUE(MakePictureFile(face_, PictureFormat::kBmp, 30, 30, 0xFFF80000));
    ASSERT_TRUE(MakePictureFile(source_ / L"a.bmp", PictureFormat::kBmp, 30, 30, 0xFF0000F8));
    ASSERT_TRUE(GetFileAttributesExW(face_.c_str(), GetFileExInfoStandard, &old_));
    stamp_ = FileStamp(face_);
  }
  void TearDown() override { ProgramThumbnailStore().Close(); }

  // The colour in the middle of the file's thumbnail and of its kept cell.
  COLORREF Thumbnail(ThumbnailStore& store) {
    Surface cell(43, 43, kGray);
    ThumbnailCell target;
    target.dc = cell.dc();
    store.Show(face_, target);
    return cell.At(21, 21);
  }
  COLORREF Fitted(ThumbnailStore& store) {
    Surface cell(43, 43, RGB(255, 255, 255));
    store.ShowFitted(face_, cell.dc(), 43, 43, RGB(255, 255, 255));
    return cell.At(21, 21);
  }
  void Replace() {
    ASSERT_TRUE(CopyFaceVerified(nullptr, source_ / L"a.bmp", folder_));
    TakeOverTimes(face_, old_);
    ASSERT_EQ(FileStamp(face_), stamp_);
  }

  const std::wstring folder_ = dir_ / L"cat";
  const std::wstring face_ = folder_ + L"\\a.bmp";
  TempDir source_;
  WIN32_FILE_ATTRIBUTE_DATA old_{};
  std::wstring stamp_;
};

constexpr COLORREF kRed = RGB(0xF8, 0, 0), kBlue = RGB(0, 0, 0xF8);

TEST_F(ReplacedPicture, IsDrawnAnewThoughItTookOverTheOldTimes) {
  // This program's store, and store_ as the other program's on the same database.
  ThumbnailStore& program = ProgramThumbnailStore();
  ASSERT_TRUE(program.Open(db_));
  for (ThumbnailStore* store : {&program, &store_}) {
    EXPECT_TRUE(Near(Thumbnail(*store), kRed, 8));
    EXPECT_TRUE(Near(Fitted(*store), kRed, 8));
  }
  Replace();
  // Its records went with the old picture, and no store draws it from memory.
  EXPECT_EQ(Rows().size(), 0u);
  EXPECT_EQ(FittedRows(), 0);
  for (ThumbnailStore* store : {&store_, &program}) {
    EXPECT_TRUE(Near(Thumbnail(*store), kBlue, 8));
    EXPECT_TRUE(Near(Fitted(*store), kBlue, 8));
  }
  ASSERT_EQ(Rows().size(), 1u);

  // Changed in place by another program, its creation time kept: the
  // thumbnail stays as it was.
  ASSERT_TRUE(MakePictureFile(face_, PictureFormat::kBmp, 30, 30, 0xFF00F800));
  TakeOverTimes(face_, old_);
  EXPECT_TRUE(Near(Thumbnail(program), kBlue, 8));
}

TEST_F(ReplacedPicture, ReplacedWhileTheOtherProgramHoldsTheDatabase) {
  ThumbnailStore& program = ProgramThumbnailStore();
  ASSERT_TRUE(program.Open(db_));
  EXPECT_TRUE(Near(Thumbnail(program), kRed, 8));
  EXPECT_TRUE(Near(Fitted(program), kRed, 8));
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(db_).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  Replace();
  // The records could not go: the picture is drawn straight from the file.
  EXPECT_TRUE(Near(Thumbnail(program), kBlue, 8));
  sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].date, GetFileDate(face_));  // the old picture's, and seemingly the new one's
  EXPECT_EQ(FittedRows(), 1);
  // Free again: they go at the next showing, before the other program reads them.
  EXPECT_TRUE(Near(Thumbnail(program), kBlue, 8));
  EXPECT_TRUE(Near(Fitted(store_), kBlue, 8));
  EXPECT_TRUE(Near(Thumbnail(store_), kBlue, 8));
}

// A library of folders whose records the program's store keeps, in both
// tables: one picture each, shown.
class LibraryFolders : public ThumbnailCache {
 protected:
  void SetUp() override {
    ThumbnailCache::SetUp();
    ASSERT_TRUE(ProgramThumbnailStore().Open(db_));
  }
  void TearDown() override { ProgramThumbnailStore().Close(); }

  // The folder dir_ / name with pictures p0.bmp ... of colour argb, each shown.
  void ShownFolder(const std::wstring& name, int pictures = 1, uint32_t argb = 0xFFF80000) {
    const std::wstring folder = dir_ / name;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    for (int i = 0; i < pictures; ++i) {
      const std::wstring path = folder + L"\\p" + std::to_wstring(i) + L".bmp";
      ASSERT_TRUE(MakePictureFile(path, PictureFormat::kBmp, 30, 30, argb));
      ShowBoth(path);
    }
  }
  COLORREF ShowBoth(const std::wstring& path) {
    Surface thumbnail(43, 43, kGray), fitted(43, 43, RGB(255, 255, 255));
    ThumbnailCell cell;
    cell.dc = thumbnail.dc();
    ProgramThumbnailStore().Show(path, cell);
    ProgramThumbnailStore().ShowFitted(path, fitted.dc(), 43, 43, RGB(255, 255, 255));
    EXPECT_TRUE(Near(thumbnail.At(21, 21), fitted.At(21, 21), 8)) << ToUtf8(path);
    return fitted.At(21, 21);
  }
  void ExpectFolders(const std::vector<std::wstring>& expected) {
    EXPECT_EQ(testing_support::RecordFolders(db_, "tblThumbnail", dir_.path()), expected);
    EXPECT_EQ(testing_support::RecordFolders(db_, "tblFittedCell", dir_.path()), expected);
  }
  // The database file's change counter: one more for each committed write.
  uint32_t Commits() {
    const std::string header = testing_support::ReadFileBytes(db_).substr(24, 4);
    uint32_t n = 0;
    for (char c : header) n = n << 8 | static_cast<uint8_t>(c);
    return n;
  }
};

TEST_F(LibraryFolders, AFolderDeletedOrRenamedTakesTheRecordsBelowItAlongInOneGo) {
  // Names a pattern would confuse ("_" and "%" match any character there),
  // and one that starts like the folder's name.
  for (const wchar_t* name : {L"a_%", L"aX%", L"a_%2", L"ab"}) ShownFolder(name);
  ExpectFolders({L"aX%", L"a_%", L"a_%2", L"ab"});

  uint32_t before = Commits();
  ASSERT_TRUE(DeleteCategoryFolder(dir_ / L"a_%", nullptr));
  ExpectFolders({L"aX%", L"a_%2", L"ab"});
  EXPECT_EQ(Commits(), before + 1);

  // Letter case aside, as the paths are compared.
  before = Commits();
  ASSERT_TRUE(RenamePath(nullptr, dir_ / L"AX%", dir_ / L"b"));
  ExpectFolders({L"a_%2", L"ab"});
  EXPECT_EQ(Commits(), before + 1);

  // A deletion that stops part way (a file held open) drops them all the same.
  ShownFolder(L"c", 2);
  HANDLE held = CreateFileW((dir_ / L"c\\p1.bmp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::wstring error;
  EXPECT_FALSE(DeleteCategoryFolder(dir_ / L"c", &error));
  CloseHandle(held);
  ExpectFolders({L"a_%2", L"ab"});
}

TEST_F(LibraryFolders, AReimportOfManyPicturesDropsTheirRecordsInOneGo) {
  constexpr int kPictures = 6;
  ShownFolder(L"cat", kPictures, 0xFFF80000);
  ASSERT_EQ(Rows().size(), static_cast<size_t>(kPictures));
  TempDir source;
  std::vector<WIN32_FILE_ATTRIBUTE_DATA> old(kPictures);
  for (int i = 0; i < kPictures; ++i) {
    const std::wstring name = L"p" + std::to_wstring(i) + L".bmp";
    ASSERT_TRUE(MakePictureFile(source / name, PictureFormat::kBmp, 30, 30, 0xFF0000F8));
    ASSERT_TRUE(GetFileAttributesExW((dir_ / (L"cat\\" + name)).c_str(), GetFileExInfoStandard, &old[i]));
  }
  const uint32_t before = Commits();
  {
    ThumbnailDropBatch drops;
    for (int i = 0; i < kPictures; ++i) {
      const std::wstring name = L"p" + std::to_wstring(i) + L".bmp";
      ASSERT_TRUE(CopyFaceVerified(nullptr, source / name, dir_ / L"cat"));
      // Each new picture takes over the old one's times, as NTFS gives them.
      TakeOverTimes(dir_ / (L"cat\\" + name), old[i]);
    }
    EXPECT_EQ(Commits(), before) << "nothing is written before the batch ends";
    // A picture shown meanwhile is drawn anew: its old records go first.
    EXPECT_TRUE(Near(ShowBoth(dir_ / L"cat\\p0.bmp"), kBlue, 8));
  }
  // One commit for all the drops, and one each for the thumbnail and the kept
  // cell the showing wrote.
  EXPECT_EQ(Commits(), before + 3);
  for (int i = 0; i < kPictures; ++i)
    EXPECT_TRUE(Near(ShowBoth(dir_ / (L"cat\\p" + std::to_wstring(i) + L".bmp")), kBlue, 8)) << i;
}

TEST(FileDate, TextForm) {
  SYSTEMTIME a{2009, 3, 1, 9, 8, 5, 7, 0}, b{2008, 12, 1, 1, 23, 59, 0, 0};
  FILETIME fa, fb;
  SystemTimeToFileTime(&a, &fa);
  SystemTimeToFileTime(&b, &fb);
  EXPECT_EQ(FormatFileDate(fa), L"2009-03-09 08:05:07");
  EXPECT_EQ(FormatFileDate(fb), L"2008-12-01 23:59:00");
  TempDir dir;
  EXPECT_EQ(GetFileDate(dir / L"absent.gif"), L"1601-01-01 00:00:00");
  const WIN32_FIND_DATAW info = GetFileInfo(dir / L"absent.gif");
  EXPECT_EQ(std::wstring(info.cFileName).substr(0, 6), L"Error ");
  EXPECT_EQ(info.nFileSizeLow, 0u);
}

}  // namespace
