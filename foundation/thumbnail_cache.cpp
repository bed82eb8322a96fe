#include "foundation/thumbnail_cache.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/core/picture_fit.h"
#include "foundation/core/thumb_blob.h"
#include "foundation/dib.h"
#include "foundation/fitted_cells.h"
#include "foundation/gdiplus_image.h"
#include "foundation/path_fields.h"
#include "foundation/picture_fitting.h"
#include "foundation/text_compare.h"

namespace foundation {
namespace {

using namespace Gdiplus::DllExports;

// The other program may hold the write lock for a moment; wait briefly, then
// treat the database as busy (a cache miss) rather than freezing the grid.
constexpr int kThumbnailBusyTimeoutMs = 100;

struct StatementDeleter {
  void operator()(sqlite3_stmt* s) const noexcept { sqlite3_finalize(s); }
};
using UniqueStatement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

UniqueStatement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
    sqlite3_finalize(raw);
    return nullptr;
  }
  return UniqueStatement(raw);
}

void BindText(sqlite3_stmt* stmt, int index, const std::wstring& text) {
  sqlite3_bind_text16(stmt, index, text.c_str(), static_cast<int>(text.size() * sizeof(wchar_t)),
                      SQLITE_TRANSIENT);
}

void DrawThumbnailImage(HDC dc, const ThumbnailImage& image) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 16;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(image.pixels.size());
  const int x = (kThumbnailCellSize - image.width) / 2;
  const int y = (kThumbnailCellSize - image.height) / 2;
  ::StretchDIBits(dc, x, y, image.width, image.height, 0, 0, image.width, image.height, image.pixels.data(), &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

// Remembered records are dropped wholesale beyond this many.
constexpr size_t kMaxRemembered = 4096;

// The key of a path as the table's NOCASE collation compares it: only ASCII
// letters fold.
std::wstring FoldKey(const std::wstring& path) {
  std::wstring key = path;
  for (wchar_t& c : key) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return key;
}

// The cell keeps a copy of its drawing. A cell that already holds a bitmap
// of its size (from the page shown before) gets the copy in that bitmap,
// through the caller's scratch DC: making a new bitmap or DC per cell costs
// far more than the copy itself.
void CaptureCell(ThumbnailCell& cell, HDC scratch) {
  BITMAP held{};
  if (scratch && cell.picture.bitmap && !cell.picture.palette &&
      ::GetObjectW(cell.picture.bitmap.get(), sizeof(held), &held) == sizeof(held) && held.bmWidth == cell.width &&
      held.bmHeight == cell.height && !(::GetDeviceCaps(cell.dc, RASTERCAPS) & RC_PALETTE)) {
    SelectionGuard select(scratch, cell.picture.bitmap.get());
    if (::BitBlt(scratch, 0, 0, cell.width, cell.height, cell.dc, 0, 0, SRCCOPY)) return;
  }
  cell.picture = PictureFromDC(cell.dc, 0, 0, cell.width, cell.height);
}

void DrawStraight(const std::wstring& path, ThumbnailCell& cell) {
  int32_t width = kThumbnailCellSize, height = kThumbnailCellSize;
  DrawImageFit(cell.dc, path, width, height);
}

// Deletes the rows of both tables of the files and of every path below the
// folders (each with its trailing "\"), in one transaction. A folder's paths
// are matched by their beginning, taken literally (names may hold "%" and
// "_"), letter case folded as the Path column folds it. A table the database
// lacks holds nothing to delete.
bool DeleteRecords(sqlite3* db, const std::vector<std::wstring>& files, const std::vector<std::wstring>& folders) {
  if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
  bool ok = true;
  for (const char* table : {"tblThumbnail", "tblFittedCell"}) {
    const std::string deleteFrom = std::string("DELETE FROM ") + table;
    const std::pair<const std::vector<std::wstring>*, std::string> kinds[] = {
        {&files, deleteFrom + " WHERE Path = ?1"},
        {&folders, deleteFrom + " WHERE substr(Path, 1, length(?1)) = ?1 COLLATE NOCASE"}};
    for (const auto& [paths, sql] : kinds) {
      if (paths->empty()) continue;
      UniqueStatement stmt = Prepare(db, sql.c_str());
      if (!stmt) continue;
      for (const std::wstring& path : *paths) {
        BindText(stmt.get(), 1, path);
        ok = ok && sqlite3_step(stmt.get()) == SQLITE_DONE;
        sqlite3_reset(stmt.get());
      }
    }
  }
  ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  if (!ok) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  return ok;
}

// The map's keys under the folded prefix (or equal to it) go.
template <class Map>
void EraseBelow(Map& map, const std::wstring& foldedPrefix) {
  std::erase_if(map, [&](const auto& entry) { return entry.first.starts_with(foldedPrefix); });
}

}  // namespace

WIN32_FIND_DATAW GetFileInfo(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  UniqueFind find(::FindFirstFileW(path.c_str(), &data));
  if (!find) {
    data = WIN32_FIND_DATAW{};
    const wchar_t marker[] = L"Error";
    size_t i = 0;
    for (; marker[i]; ++i) data.cFileName[i] = marker[i];
    for (; i < MAX_PATH - 1; ++i) data.cFileName[i] = L' ';
  }
  return data;
}

std::wstring FormatFileDate(const FILETIME& time) {
  SYSTEMTIME st{};
  if (!::FileTimeToSystemTime(&time, &st)) {
    // Only a time beyond year 30827 fails; such a record is as good as missing.
    st = SYSTEMTIME{1601, 1, 0, 1, 0, 0, 0, 0};
  }
  wchar_t text[48];
  swprintf(text, 48, L"%u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
  return text;
}

std::wstring GetFileDate(const std::wstring& path) {
  // The same creation time as GetFileInfo's record, without the directory
  // search that FindFirstFileW costs under Wine (it is read once per cell).
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) data = WIN32_FILE_ATTRIBUTE_DATA{};
  return FormatFileDate(data.ftCreationTime);
}

OwnedPicture CreateBitmapPicture(HBITMAP bitmap, HPALETTE palette) {
  OwnedPicture picture;
  picture.bitmap.reset(bitmap);
  picture.palette.reset(palette);
  return picture;
}

OwnedPicture PictureFromDC(HDC dc, int32_t left, int32_t top, int32_t width, int32_t height) {
  if (!dc || width <= 0 || height <= 0) return {};
  UniqueMemoryDc memory(::CreateCompatibleDC(dc));
  // A 32-bit DIB section rather than a device-compatible bitmap: it holds any
  // screen's pixels, and Wine selects it into a DC at a fraction of the cost,
  // which matters when every cell of a page is captured again.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !bitmap) return {};
  UniquePalette palette;
  {
    SelectionGuard selectBitmap(memory.get(), bitmap.get());
    HPALETTE previousPalette = nullptr;
    if ((::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) && ::GetDeviceCaps(dc, SIZEPALETTE) == 256) {
      struct {
        LOGPALETTE header;
        PALETTEENTRY more[255];
      } log{};
      log.header.palVersion = 0x300;
      log.header.palNumEntries = 256;
      ::GetSystemPaletteEntries(dc, 0, 256, log.header.palPalEntry);
      palette.reset(::CreatePalette(&log.header));
      if (palette) {
        previousPalette = ::SelectPalette(memory.get(), palette.get(), FALSE);
        ::RealizePalette(memory.get());
      }
    }
    ::BitBlt(memory.get(), 0, 0, width, height, dc, left, top, SRCCOPY);
    if (previousPalette) ::SelectPalette(memory.get(), previousPalette, FALSE);
  }
  return CreateBitmapPicture(bitmap.release(), palette.release());
}

std::vector<uint8_t> BuildThumbnailBlob(const std::wstring& path, cTile& background) {
  GdiPlusSession session;  // nested inside the program's own start-up
  if (!session.ok()) return UndecodableThumbnailBlob();
  UniqueGpImage picture = LoadGdiImage(path);
  UINT width = 0, height = 0;
  if (!picture || !GetGdiImageSize(picture.get(), width, height) || width == 0 || height == 0 ||
      width > INT32_MAX || height > INT32_MAX)
    return UndecodableThumbnailBlob();
  BestFit fit;
  if (!GetBestFitInfo(static_cast<int32_t>(width), static_cast<int32_t>(height), kThumbnailMaxSide,
                      kThumbnailMaxSide, false, fit))
    return UndecodableThumbnailBlob();
  cDIB dib;
  if (!dib.Create(fit.width, fit.height, 16)) return UndecodableThumbnailBlob();
  background.Tile(dib.hdc(), 0, 0, fit.width, fit.height, true);
  {
    UniqueGpGraphics graphics = GraphicsFromDc(dib.hdc());
    if (!graphics) return UndecodableThumbnailBlob();
    GdipDrawImageRectI(graphics.get(), picture.get(), 0, 0, fit.width, fit.height);
  }
  picture.reset();  // releases the file before anything else happens
  ::GdiFlush();
  ThumbnailImage image;
  image.width = dib.Width();
  image.height = dib.Height();
  const auto* bits = static_cast<const uint8_t*>(dib.lpBits());
  image.pixels.assign(bits, bits + dib.Size());
  std::vector<uint8_t> blob = EncodeThumbnailBlob(image);
  return blob.empty() ? UndecodableThumbnailBlob() : blob;
}

bool ThumbnailStore::Open(const std::wstring& databasePath) {
  Close();
  databasePath_ = databasePath;
  // A connection of its own: the thumbnails are read and written at any time,
  // independently of the program's query connection.
  if (!connection_.Open(databasePath)) return false;
  // A plain reading handle on the same file for its change counter (header
  // offset 24, bumped by every committed write in rollback-journal mode).
  counterFile_.reset(::CreateFileW(databasePath.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  sqlite3_busy_timeout(connection_.handle(), kThumbnailBusyTimeoutMs);
  if (sqlite3_exec(connection_.handle(), "SELECT 1 FROM tblThumbnail LIMIT 0", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    connection_.Close();
    return false;
  }
  // A Thumbs.mdb from before the kept cells gets their table; one that can't
  // take it (busy, read-only) keeps them in memory only.
  fittedTable_ = sqlite3_exec(connection_.handle(), kFittedCellTableSql, nullptr, nullptr, nullptr) == SQLITE_OK;
  UniqueBitmap pattern(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), kPatternResourceName,
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  background_.CreatePatternFromStdPicture(pattern.get());
  return true;
}

void ThumbnailStore::Close() {
  if (batching_) EndBatch();
  connection_.Close();
  scratch_.reset();
  counterFile_.reset();
  seenCounter_.reset();
  remembered_.clear();
  kept_.clear();
  undropped_.clear();
  undroppedFolders_.clear();
  databasePath_.clear();
  fittedTable_ = false;
}

std::optional<uint32_t> ThumbnailStore::ReadChangeCounter() const {
  if (!counterFile_) return std::nullopt;
  uint8_t header[28];
  OVERLAPPED at{};
  DWORD got = 0;
  if (!::ReadFile(counterFile_.get(), header, sizeof(header), &got, &at) || got != sizeof(header))
    return std::nullopt;
  // Bytes 18 and 19 read 2 in WAL mode, where the counter is not kept up.
  if (header[18] != 1 || header[19] != 1) return std::nullopt;
  return (static_cast<uint32_t>(header[24]) << 24) | (header[25] << 16) | (header[26] << 8) | header[27];
}

bool ThumbnailStore::SyncRemembered() {
  // Within a page the counter is read once: the page is drawn in a moment,
  // and a change made meanwhile is seen at the next page.
  if (batching_ && batchChecked_) return seenCounter_.has_value();
  batchChecked_ = batching_;
  const std::optional<uint32_t> counter = ReadChangeCounter();
  if (!counter || counter != seenCounter_ || remembered_.size() > kMaxRemembered) remembered_.clear();
  // Another program wrote: it may have dropped the records of a file it
  // replaced, so the kept cells are read from the database again.
  if (counter != seenCounter_) kept_.clear();
  seenCounter_ = counter;
  return counter.has_value();
}

ThumbnailStore::Lookup ThumbnailStore::Read(Table table, const std::wstring& path, const std::wstring& date,
                                            std::vector<uint8_t>& blob) {
  BeginBatchRead();
  UniqueStatement stmt = Prepare(connection_.handle(), table == Table::kThumbnail
                                                           ? "SELECT Date, Thumbnail FROM tblThumbnail WHERE Path = ?1"
                                                           : "SELECT Stamp, Cell FROM tblFittedCell WHERE Path = ?1");
  if (!stmt) return Lookup::kMiss;
  BindText(stmt.get(), 1, path);
  if (sqlite3_step(stmt.get()) != SQLITE_ROW) return Lookup::kMiss;  // none, or busy
  const void* storedDate = sqlite3_column_text16(stmt.get(), 0);
  const std::wstring stored =
      storedDate ? std::wstring(static_cast<const wchar_t*>(storedDate),
                                static_cast<size_t>(sqlite3_column_bytes16(stmt.get(), 0)) / sizeof(wchar_t))
                 : std::wstring();
  if (!TextEquals(stored, date)) return Lookup::kMiss;
  const auto* data = static_cast<const uint8_t*>(sqlite3_column_blob(stmt.get(), 1));
  const int size = sqlite3_column_bytes(stmt.get(), 1);
  blob.assign(data, data + (data ? size : 0));
  return Lookup::kHit;
}

bool ThumbnailStore::Write(Table table, const std::wstring& path, const std::wstring& date,
                           const std::vector<uint8_t>& blob) {
  // One statement adds or replaces in place: the unique index on Path (NOCASE)
  // is the conflict target, so a path in other letter case updates the row.
  UniqueStatement stmt = Prepare(connection_.handle(),
                                 table == Table::kThumbnail
                                     ? "INSERT INTO tblThumbnail(Path, Date, Thumbnail) VALUES(?1, ?2, ?3) "
                                       "ON CONFLICT(Path) DO UPDATE SET Path = excluded.Path, Date = excluded.Date, "
                                       "Thumbnail = excluded.Thumbnail"
                                     : "INSERT INTO tblFittedCell(Path, Stamp, Cell) VALUES(?1, ?2, ?3) "
                                       "ON CONFLICT(Path) DO UPDATE SET Path = excluded.Path, Stamp = excluded.Stamp, "
                                       "Cell = excluded.Cell");
  if (!stmt) return false;
  BindText(stmt.get(), 1, path);
  BindText(stmt.get(), 2, date);
  sqlite3_bind_blob(stmt.get(), 3, blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
  // A busy database keeps the old record; the cell is drawn all the same.
  return sqlite3_step(stmt.get()) == SQLITE_DONE;
}

void ThumbnailStore::Show(const std::wstring& path, ThumbnailCell& cell) {
  if (!cell.dc) return;
  const std::wstring key = FoldKey(path);
  if (!IsOpen() || !RecordsDropped(key)) {
    DrawStraight(path, cell);
    return;
  }
  const std::wstring date = GetFileDate(path);
  // The counter is read before the record, so a write that lands in between
  // is noticed at the next call.
  bool remember = SyncRemembered();
  DecodedThumbnail decoded;
  auto known = remembered_.find(key);
  const ThumbnailImage* image = nullptr;
  if (known != remembered_.end() && TextEquals(known->second.date, date)) {
    if (known->second.decoded.kind == BlobKind::kImage) image = &known->second.decoded.image;
  } else {
    std::vector<uint8_t> blob;
    if (Read(Table::kThumbnail, path, date, blob) == Lookup::kHit) decoded = DecodeThumbnailBlob(blob);
    bool stored = decoded.kind != BlobKind::kCorrupt;
    if (!stored) {
      // No record, a changed creation time, a busy database or a record this
      // program could not have written: build it again.
      EndBatchRead();
      blob = BuildThumbnailBlob(path, background_);
      stored = Store(Table::kThumbnail, path, date, blob);
      decoded = DecodeThumbnailBlob(blob);
      if (stored && !batching_) remember = NoteOwnCommit();
    }
    // Only what the database holds (or is about to) is remembered: a record
    // that could not be written (busy) is tried again at the next showing.
    if (decoded.kind == BlobKind::kImage) image = &decoded.image;
    if (remember && stored) {
      Remembered& entry = remembered_[key];
      entry = Remembered{date, std::move(decoded)};
      if (image) image = &entry.decoded.image;
    }
  }
  if (!image) {
    DrawStraight(path, cell);
    return;
  }
  DrawThumbnailImage(cell.dc, *image);
  if (!scratch_) scratch_.reset(::CreateCompatibleDC(nullptr));
  CaptureCell(cell, scratch_.get());
}

bool ThumbnailStore::NoteOwnCommit() {
  // A commit of ours moves the counter on by exactly one; anything more
  // means another writer came in between, and all is forgotten.
  const std::optional<uint32_t> after = ReadChangeCounter();
  const bool ours = after && seenCounter_ && *after == *seenCounter_ + 1;
  if (!ours) remembered_.clear();
  if (!ours && after != seenCounter_) kept_.clear();  // as in SyncRemembered
  seenCounter_ = after;
  return after.has_value();
}

void ThumbnailStore::ShowFitted(const std::wstring& path, HDC dc, int32_t width, int32_t height,
                                COLORREF background) {
  if (!dc) return;
  const std::wstring key = FoldKey(path);
  if (!RecordsDropped(key)) {
    // Drawn straight, and not kept, while the old records are there.
    int32_t w = width, h = height;
    DrawImageFit(dc, path, w, h);
    return;
  }
  SyncRemembered();
  const std::wstring stamp = FileStamp(path);
  if (!stamp.empty()) {
    if (const FittedCell* kept = FindKeptCell(key, path, stamp, width, height, CellColor(background))) {
      DrawFittedCell(dc, *kept);
      return;
    }
  }
  EndBatchRead();
  int32_t w = width, h = height;
  // A file that can't be decoded now (missing, locked, broken) is not kept:
  // it is tried again at its next showing, as it always was.
  if (!DrawImageFit(dc, path, w, h) || stamp.empty()) return;
  std::optional<FittedCell> cell = CaptureFittedCell(dc, width, height, background);
  if (!cell) return;
  if (IsOpen() && fittedTable_ && Store(Table::kFittedCell, path, stamp, EncodeFittedCell(*cell)) && !batching_)
    NoteOwnCommit();
  if (kept_.size() >= kMaxRemembered) kept_.clear();
  kept_[key] = KeptCell{stamp, std::move(*cell)};
}

const FittedCell* ThumbnailStore::FindKeptCell(const std::wstring& key, const std::wstring& path,
                                               const std::wstring& stamp, int32_t width, int32_t height,
                                               uint32_t background) {
  auto fits = [&](const FittedCell& c) { return c.width == width && c.height == height && c.background == background; };
  auto known = kept_.find(key);
  if (known != kept_.end() && TextEquals(known->second.stamp, stamp) && fits(known->second.cell))
    return &known->second.cell;
  if (!IsOpen() || !fittedTable_) return nullptr;
  std::vector<uint8_t> blob;
  if (Read(Table::kFittedCell, path, stamp, blob) != Lookup::kHit) return nullptr;
  std::optional<FittedCell> cell = DecodeFittedCell(blob);
  if (!cell || !fits(*cell)) return nullptr;
  if (kept_.size() >= kMaxRemembered) kept_.clear();
  KeptCell& entry = kept_[key];
  entry = KeptCell{stamp, std::move(*cell)};
  return &entry.cell;
}

void ThumbnailStore::Forget(const std::wstring& path) {
  const std::wstring key = FoldKey(path);
  remembered_.erase(key);
  kept_.erase(key);
  std::erase_if(pending_, [&](const Pending& p) { return FoldKey(p.path) == key; });
  undropped_[key] = path;
  if (!dropBatchDepth_) DropUndropped();
}

void ThumbnailStore::ForgetFolder(const std::wstring& folder) {
  if (folder.empty()) return;
  const std::wstring prefix = WithTrailingBackslash(folder);
  const std::wstring key = FoldKey(prefix);
  EraseBelow(remembered_, key);
  EraseBelow(kept_, key);
  EraseBelow(undropped_, key);
  EraseBelow(undroppedFolders_, key);
  std::erase_if(pending_, [&](const Pending& p) { return FoldKey(p.path).starts_with(key); });
  undroppedFolders_[key] = prefix;
  if (!dropBatchDepth_) DropUndropped();
}

void ThumbnailStore::BeginDropBatch() { ++dropBatchDepth_; }

void ThumbnailStore::EndDropBatch() {
  if (dropBatchDepth_ > 0 && --dropBatchDepth_ == 0) DropUndropped();
}

bool ThumbnailStore::DropUndropped() {
  if (undropped_.empty() && undroppedFolders_.empty()) return true;
  std::vector<std::wstring> files, folders;
  for (const auto& [key, path] : undropped_) files.push_back(path);
  for (const auto& [key, prefix] : undroppedFolders_) folders.push_back(prefix);
  if (!DropRecords(files, folders)) return false;
  undropped_.clear();
  undroppedFolders_.clear();
  return true;
}

bool ThumbnailStore::DropRecords(const std::vector<std::wstring>& files, const std::vector<std::wstring>& folders) {
  if (!IsOpen()) {
    // A store that could not open (the other program held the database just
    // then) still drops the records the other program would show.
    if (databasePath_.empty() || ::GetFileAttributesW(databasePath_.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    DbConnection other;
    return other.Open(databasePath_) && DeleteRecords(other.handle(), files, folders);
  }
  EndBatchRead();
  sqlite3* db = connection_.handle();
  // A replace is the user's command: it waits for the other program as long
  // as the program's queries do (the grid's own reads and writes give up sooner).
  sqlite3_busy_timeout(db, kDatabaseBusyTimeoutMs);
  const int before = sqlite3_total_changes(db);
  const bool dropped = DeleteRecords(db, files, folders);
  sqlite3_busy_timeout(db, kThumbnailBusyTimeoutMs);
  // A commit that deleted nothing wrote nothing, and left the counter as it was.
  if (dropped && sqlite3_total_changes(db) != before) NoteOwnCommit();
  return dropped;
}

bool ThumbnailStore::RecordsDropped(const std::wstring& key) {
  const bool below = std::any_of(undroppedFolders_.begin(), undroppedFolders_.end(),
                                 [&](const auto& folder) { return key.starts_with(folder.first); });
  if (!below && undropped_.find(key) == undropped_.end()) return true;
  return DropUndropped();
}

bool ThumbnailStore::Store(Table table, const std::wstring& path, const std::wstring& date,
                           const std::vector<uint8_t>& blob) {
  if (blob.empty()) return false;
  if (!batching_) return Write(table, path, date, blob);
  pending_.push_back(Pending{table, path, date, blob});
  return true;
}

void ThumbnailStore::BeginBatch() {
  batching_ = true;
  batchChecked_ = false;
}

void ThumbnailStore::BeginBatchRead() {
  // Outside a batch every statement is a transaction of its own. The read
  // lock is let go before any picture is decoded, so the other program is
  // kept waiting only while records are read.
  if (!batching_ || batchReading_ || !IsOpen()) return;
  batchReading_ = sqlite3_exec(connection_.handle(), "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

void ThumbnailStore::EndBatchRead() {
  if (!batchReading_) return;
  batchReading_ = false;
  // Only reads happened: nothing to keep or lose either way.
  if (sqlite3_exec(connection_.handle(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
    sqlite3_exec(connection_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void ThumbnailStore::EndBatch() {
  EndBatchRead();
  batching_ = false;
  std::vector<Pending> pending = std::move(pending_);
  pending_.clear();
  if (pending.empty() || !IsOpen()) return;
  sqlite3* db = connection_.handle();
  bool ok = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  if (ok) {
    for (const Pending& p : pending) ok = ok && Write(p.table, p.path, p.date, p.blob);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  if (ok) {
    NoteOwnCommit();
  } else {
    for (const Pending& p : pending) {
      if (p.table == Table::kThumbnail) remembered_.erase(FoldKey(p.path));
    }
  }
}

ThumbnailStore& ProgramThumbnailStore() {
  static ThumbnailStore store;
  return store;
}

bool OpenThumbnailStore() { return ProgramThumbnailStore().Open(AppPath() + kThumbnailDatabaseName); }

void ShowThumbnail(const std::wstring& path, ThumbnailCell& cell) { ProgramThumbnailStore().Show(path, cell); }

void ForgetThumbnails(const std::wstring& path) { ProgramThumbnailStore().Forget(path); }

void ForgetFolderThumbnails(const std::wstring& folder) { ProgramThumbnailStore().ForgetFolder(folder); }

}  // namespace foundation
