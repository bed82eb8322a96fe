// Prints what a re-import of a category the programs have shown costs: the
// import's file copying alone, then the same import with the records of
// every replaced picture dropped from Thumbs.mdb, one transaction each and
// (as the import runs) one transaction for all.
// Run: bench/thumbnails/run_reimport.sh [pictures] after tools/build.sh x64.
#include <windows.h>

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/library_ops.h"
#include "foundation/thumbnail_cache.h"

using namespace foundation;
using bench::Median;
using bench::NowMs;

namespace {

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(f);
  return ok;
}

// Each picture has a record in both tables, as a category shown in both
// grids leaves them (blobs of a typical size).
bool AddRecords(const std::wstring& db, const std::vector<std::wstring>& paths) {
  sqlite3* h = nullptr;
  if (sqlite3_open(ToUtf8(db).c_str(), &h) != SQLITE_OK) return false;
  bool ok = sqlite3_exec(h, kFittedCellTableSql, nullptr, nullptr, nullptr) == SQLITE_OK &&
            sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
  const std::vector<uint8_t> thumbnail(40 + 35 * 36 * 2, 0x5A), cell(43 * 43 * 4, 0xA5);
  const std::pair<const char*, const std::vector<uint8_t>*> tables[] = {
      {"INSERT OR REPLACE INTO tblThumbnail(Path, Date, Thumbnail) VALUES(?1, '2009-03-09 08:05:07', ?2)", &thumbnail},
      {"INSERT OR REPLACE INTO tblFittedCell(Path, Stamp, Cell) VALUES(?1, 'stamp', ?2)", &cell}};
  for (const auto& [sql, blob] : tables) {
    sqlite3_stmt* st = nullptr;
    ok = ok && sqlite3_prepare_v2(h, sql, -1, &st, nullptr) == SQLITE_OK;
    for (const std::wstring& path : paths) {
      if (!ok) break;
      const std::string p = ToUtf8(path);
      sqlite3_bind_text(st, 1, p.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_blob(st, 2, blob->data(), static_cast<int>(blob->size()), SQLITE_STATIC);
      ok = sqlite3_step(st) == SQLITE_DONE;
      sqlite3_reset(st);
    }
    sqlite3_finalize(st);
  }
  ok = ok && sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(h);
  return ok;
}

int RecordsLeft(const std::wstring& db) {
  sqlite3* h = nullptr;
  sqlite3_open(ToUtf8(db).c_str(), &h);
  int n = 0;
  for (const char* sql : {"SELECT count(*) FROM tblThumbnail", "SELECT count(*) FROM tblFittedCell"}) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(h, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
      n += sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
  }
  sqlite3_close(h);
  return n;
}

// The import's loop: every file of the source folder copied over its
// namesake in the category, as the editor and the panel import a folder.
double Import(const std::wstring& source, const std::wstring& category, const std::vector<std::wstring>& names,
              bool batched) {
  const double start = NowMs();
  int failed = 0;
  {
    std::optional<ThumbnailDropBatch> drops;
    if (batched) drops.emplace();
    for (const std::wstring& name : names) failed += !CopyFaceVerified(nullptr, source + name, category);
  }
  const double took = NowMs() - start;
  if (failed) std::fprintf(stderr, "%d copies failed\n", failed);
  return took;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int pictures = argc > 1 ? _wtoi(argv[1]) : 3000;
  if (pictures < 1) return 2;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"bench-reimport-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  const std::wstring source = dir + L"source\\", category = dir + L"Face\\猫咪\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  CreateDirectoryW(source.c_str(), nullptr);
  CreateDirectoryW((dir + L"Face").c_str(), nullptr);
  CreateDirectoryW(category.c_str(), nullptr);
  const std::wstring db = dir + L"Thumbs.mdb";
  if (!CopyFileW((AppPath() + L"Thumbs.mdb").c_str(), db.c_str(), FALSE)) {
    std::fprintf(stderr, "Thumbs.mdb not found beside the program\n");
    return 1;
  }
  // Emoticon-sized files (a few KB each).
  std::vector<std::wstring> names, paths;
  for (int i = 0; i < pictures; ++i) {
    names.push_back(L"face" + std::to_wstring(i) + L".gif");
    paths.push_back(category + names.back());
    std::string bytes = "GIF89a" + std::string(4000 + (i * 37) % 3000, static_cast<char>('a' + i % 26));
    if (!WriteBytes(source + names.back(), bytes) || !WriteBytes(paths.back(), bytes)) {
      std::fprintf(stderr, "could not write the pictures\n");
      return 1;
    }
  }

  // Three rounds, the variants in turn, so that what the file system caches
  // favours none of them; the medians are printed.
  enum Variant { kCopyingAlone, kOneByOne, kInOneGo };
  std::vector<double> times[3];
  int left[3] = {};
  ThumbnailStore& store = ProgramThumbnailStore();
  for (int round = 0; round < 3; ++round) {
    for (int k = 0; k < 3; ++k) {
      const Variant v = static_cast<Variant>((round + k) % 3);
      // With the store closed, the copies alone (the records stay).
      if (v != kCopyingAlone && (!AddRecords(db, paths) || !store.Open(db))) {
        std::fprintf(stderr, "could not prepare the database\n");
        return 1;
      }
      times[v].push_back(Import(source, category, names, v == kInOneGo));
      store.Close();
      if (v != kCopyingAlone) left[v] = RecordsLeft(db);
    }
  }
  const double copying = Median(times[kCopyingAlone]), each = Median(times[kOneByOne]),
               batched = Median(times[kInOneGo]);
  std::printf("re-import of a shown category of %d pictures (median of 3 rounds)\n", pictures);
  std::printf("  copying alone:                        %8.0f ms\n", copying);
  std::printf("  with the records dropped one by one:  %8.0f ms (+%.1f %%), %d records left\n", each,
              100.0 * (each - copying) / copying, left[kOneByOne]);
  std::printf("  with the records dropped in one go:   %8.0f ms (+%.1f %%, target a few %%), %d records left\n",
              batched, 100.0 * (batched - copying) / copying, left[kInOneGo]);

  for (const std::wstring& name : names) {
    DeleteFileW((source + name).c_str());
    DeleteFileW((category + name).c_str());
  }
  RemoveDirectoryW(source.c_str());
  RemoveDirectoryW(category.c_str());
  RemoveDirectoryW((dir + L"Face").c_str());
  DeleteFileW(db.c_str());
  RemoveDirectoryW(dir.c_str());
  return 0;
}
