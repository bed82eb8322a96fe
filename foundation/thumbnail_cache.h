// The thumbnail cache: table tblThumbnail of Thumbs.mdb holds, per picture
// path (compared without regard to case), the file's creation time as text and
// a ready-made 16-bit thumbnail (core/thumb_blob.h). ShowThumbnail draws a
// file's thumbnail centred into a 43 x 43 cell, building or rebuilding the
// record first. The other program writes the same file, so no statement stays
// open between calls, and a busy or missing database only costs the cache:
// the cell is then drawn straight from the picture.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/core/fitted_cell.h"
#include "foundation/core/thumb_blob.h"
#include "foundation/database.h"
#include "foundation/handles.h"
#include "foundation/tile.h"

namespace foundation {

inline constexpr int32_t kThumbnailCellSize = 43;
inline constexpr wchar_t kThumbnailDatabaseName[] = L"Thumbs.mdb";
inline constexpr wchar_t kPatternResourceName[] = L"PATTERN_4X4";
// The table of kept grid cells (ShowFitted), made when a Thumbs.mdb lacks it.
inline constexpr char kFittedCellTableSql[] =
    "CREATE TABLE IF NOT EXISTS tblFittedCell(Path TEXT NOT NULL COLLATE NOCASE PRIMARY KEY, Stamp TEXT, Cell BLOB)";

// A picture kept by a cell so its drawing survives repainting: it owns the
// bitmap and the palette (if any).
struct OwnedPicture {
  UniqueBitmap bitmap;
  UniquePalette palette;
  explicit operator bool() const { return static_cast<bool>(bitmap); }
};

// A grid cell to draw into: its device context, its size in pixels and the
// picture it keeps.
struct ThumbnailCell {
  HDC dc = nullptr;
  int32_t width = kThumbnailCellSize;
  int32_t height = kThumbnailCellSize;
  OwnedPicture picture;
};

// The file's directory record; for a file that can't be found, an all-zero
// record whose file name reads "Error" padded with blanks.
WIN32_FIND_DATAW GetFileInfo(const std::wstring& path);
// "yyyy-MM-dd HH:mm:ss" of a file time as the file system reports it (UTC).
std::wstring FormatFileDate(const FILETIME& time);
// The Date text of a file: its creation time; 1601-01-01 00:00:00 when missing.
std::wstring GetFileDate(const std::wstring& path);

// A copy of a rectangle of dc (with the system palette on a 256-colour palette device).
OwnedPicture PictureFromDC(HDC dc, int32_t left, int32_t top, int32_t width, int32_t height);
OwnedPicture CreateBitmapPicture(HBITMAP bitmap, HPALETTE palette);

// The thumbnail blob for a picture file: fitted into 35 x 35 over the
// background tile, or 40 zero bytes when the file cannot be decoded. The
// tile may hold no brush (nothing is laid behind the picture then).
std::vector<uint8_t> BuildThumbnailBlob(const std::wstring& path, cTile& background);

class ThumbnailStore {
 public:
  ThumbnailStore() = default;
  ThumbnailStore(const ThumbnailStore&) = delete;
  ThumbnailStore& operator=(const ThumbnailStore&) = delete;
  ~ThumbnailStore() { Close(); }  // writes a batch still pending

  // Opens an existing database holding tblThumbnail (never creates one) and
  // makes the background tile from this program's "PATTERN_4X4" resource.
  bool Open(const std::wstring& databasePath);
  void Close();
  bool IsOpen() const { return connection_.IsOpen(); }

  // Draws the file's thumbnail centred into the cell and keeps the drawing as
  // the cell's picture. GDI+ must be running.
  void Show(const std::wstring& path, ThumbnailCell& cell);

  // Draws the picture file fitted into the cell at (0, 0) of dc (a memory DC
  // holding a 32-bit DIB section, already filled with the background) exactly
  // as DrawImageFit does. The drawn cell is kept per file, while the file's
  // FileStamp is unchanged, in memory and in table tblFittedCell, so that a
  // file is decoded once and not at every showing or start.
  void ShowFitted(const std::wstring& path, HDC dc, int32_t width, int32_t height, COLORREF background);

  // Between BeginBatch and EndBatch (a page of cells), records are read in
  // one read transaction (let go whenever a picture must be decoded), and new
  // records are kept back and written together in one transaction at
  // EndBatch: one commit instead of one per cell. Records that can't be
  // written then (busy) are built again at their next showing. Batches don't
  // nest.
  void BeginBatch();
  void EndBatch();

  // Drops the records of the file at path (its thumbnail and its kept grid
  // cells), in the database and in memory, so that its next showing builds
  // them afresh: for a file our programs put under a name, or take away
  // from one. On NTFS a file made within seconds under the name of one just
  // deleted or renamed away takes over that file's creation time, so the
  // old file's records would still match the new one. A database that stays
  // busy beyond the wait keeps them; the file is then drawn straight from
  // the picture, and they are dropped at a later showing.
  void Forget(const std::wstring& path);
  // Forget for every file below folder (a category deleted or renamed, a
  // folder of ours removed): the records of all its paths, in one go.
  void ForgetFolder(const std::wstring& folder);

  // Between BeginDropBatch and EndDropBatch (a copy, move or import of many
  // files), the records Forget and ForgetFolder drop go in one transaction
  // at EndDropBatch instead of one each; what is remembered in memory goes at
  // once, and a file shown meanwhile has them dropped first. Batches nest.
  void BeginDropBatch();
  void EndDropBatch();

 private:
  enum class Lookup { kHit, kMiss };
  // The two tables of records: thumbnails (Date) and kept grid cells (Stamp).
  enum class Table { kThumbnail, kFittedCell };
  Lookup Read(Table table, const std::wstring& path, const std::wstring& date, std::vector<uint8_t>& blob);
  bool Write(Table table, const std::wstring& path, const std::wstring& date, const std::vector<uint8_t>& blob);
  // Writes a record now, or keeps it for EndBatch; true when it is (or will be) stored.
  bool Store(Table table, const std::wstring& path, const std::wstring& date, const std::vector<uint8_t>& blob);
  // Inside a batch, the read transaction its reads share.
  void BeginBatchRead();
  void EndBatchRead();
  // The kept cell of a file, from memory or the database; nullptr when none fits.
  const FittedCell* FindKeptCell(const std::wstring& key, const std::wstring& path, const std::wstring& stamp,
                                 int32_t width, int32_t height, uint32_t background);
  // After a commit of ours: keeps the remembered records when the counter
  // moved by exactly one, else forgets them. False when nothing can be remembered.
  bool NoteOwnCommit();
  // The database's file change counter, or nullopt when it can't be trusted.
  std::optional<uint32_t> ReadChangeCounter() const;
  // Forgets every remembered record once the database file has changed.
  bool SyncRemembered();
  // The records of the files and of every path below the folders deleted in
  // the database; false when it stayed busy.
  bool DropRecords(const std::vector<std::wstring>& files, const std::vector<std::wstring>& folders);
  // Drops every record still to go, in one transaction; false when it stayed busy.
  bool DropUndropped();
  // False while records of the path still to go are there (tried again now).
  bool RecordsDropped(const std::wstring& key);

  // Records already read or written, kept while the database file is
  // unchanged: starting a read transaction costs far more than drawing a cell.
  struct Remembered {
    std::wstring date;
    DecodedThumbnail decoded;
  };
  // Kept from Open, also when it failed (busy), for Forget.
  std::wstring databasePath_;
  DbConnection connection_;
  UniqueFile counterFile_;
  std::optional<uint32_t> seenCounter_;
  std::unordered_map<std::wstring, Remembered> remembered_;
  // Kept grid cells by folded path: they follow their files, and are read
  // from the database again once another program wrote to it (it may have
  // dropped the records of a file it replaced).
  struct KeptCell {
    std::wstring stamp;
    FittedCell cell;
  };
  std::unordered_map<std::wstring, KeptCell> kept_;
  // Records still to be dropped (in a drop batch, or when the database was
  // busy), by folded path: of files, and of the paths below folders (their
  // keys with a trailing "\"). The values are the paths as given.
  std::unordered_map<std::wstring, std::wstring> undropped_;
  std::unordered_map<std::wstring, std::wstring> undroppedFolders_;
  int dropBatchDepth_ = 0;
  bool fittedTable_ = false;
  struct Pending {
    Table table;
    std::wstring path, date;
    std::vector<uint8_t> blob;
  };
  bool batching_ = false;
  bool batchChecked_ = false;
  bool batchReading_ = false;
  UniqueMemoryDc scratch_;
  std::vector<Pending> pending_;
  cTile background_;
};

// Batches the records of one page of cells (see BeginBatch).
class ThumbnailBatch {
 public:
  explicit ThumbnailBatch(ThumbnailStore& store) : store_(store) { store_.BeginBatch(); }
  ThumbnailBatch(const ThumbnailBatch&) = delete;
  ThumbnailBatch& operator=(const ThumbnailBatch&) = delete;
  ~ThumbnailBatch() { store_.EndBatch(); }

 private:
  ThumbnailStore& store_;
};

// The program's one store, on AppPath() & "Thumbs.mdb"; false when it can't be opened.
bool OpenThumbnailStore();
ThumbnailStore& ProgramThumbnailStore();
void ShowThumbnail(const std::wstring& path, ThumbnailCell& cell);
// Forget on the program's store: a file at path was put there or taken away.
void ForgetThumbnails(const std::wstring& path);
// ForgetFolder on the program's store: a folder was removed or renamed.
void ForgetFolderThumbnails(const std::wstring& folder);

// The records a copy, move or import of many files drops on the program's
// store go in one transaction when it ends (see BeginDropBatch).
class ThumbnailDropBatch {
 public:
  ThumbnailDropBatch() { ProgramThumbnailStore().BeginDropBatch(); }
  ThumbnailDropBatch(const ThumbnailDropBatch&) = delete;
  ThumbnailDropBatch& operator=(const ThumbnailDropBatch&) = delete;
  ~ThumbnailDropBatch() { ProgramThumbnailStore().EndDropBatch(); }
};

}  // namespace foundation
