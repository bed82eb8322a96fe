// Prints the time to draw one page of 50 thumbnail cells, with the cache empty
// (every thumbnail built and stored) and with every thumbnail cached.
// Run: bench/thumbnails/run.sh after tools/build.sh x64.
#include <windows.h>

#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/gdiplus_image.h"
#include "foundation/thumbnail_cache.h"
#include "foundation/tile.h"

using namespace foundation;
using bench::Median;
using bench::NowMs;
using namespace Gdiplus::DllExports;

namespace {

constexpr int kCellsPerPage = 50;

bool Encoder(const wchar_t* mime, CLSID& clsid) {
  UINT count = 0, size = 0;
  GdipGetImageEncodersSize(&count, &size);
  std::vector<uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (size == 0 || GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(codecs[i].MimeType, mime) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

// Emoticon-like pictures: 24 to 120 pixels a side, a gradient with a
// transparent corner, saved as PNG, JPEG or BMP in turn.
bool MakePicture(const std::wstring& path, int w, int h, const wchar_t* mime) {
  std::vector<uint32_t> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      px[static_cast<size_t>(y) * w + x] =
          (x < w / 4 && y < h / 4) ? 0 : 0xFF000000u | ((x * 255 / w) << 16) | ((y * 255 / h) << 8) | 0x40;
  Gdiplus::GpBitmap* bitmap = nullptr;
  if (GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(px.data()), &bitmap) !=
      Gdiplus::Ok)
    return false;
  UniqueGpImage image(bitmap);
  CLSID clsid;
  return Encoder(mime, clsid) && GdipSaveImageToFile(image.get(), path.c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

bool ClearCache(const std::wstring& db) {
  sqlite3* handle = nullptr;
  bool ok = sqlite3_open(ToUtf8(db).c_str(), &handle) == SQLITE_OK &&
            sqlite3_exec(handle, "DELETE FROM tblThumbnail", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(handle);
  return ok;
}

// The grid keeps its cells from page to page; each draws into its own DC.
double DrawPage(ThumbnailStore& store, const std::vector<std::wstring>& files, std::vector<ThumbnailCell>& cells) {
  const double start = NowMs();
  {
    ThumbnailBatch page(store);  // as the grid draws a page
    for (size_t i = 0; i < files.size(); ++i) store.Show(files[i], cells[i]);
  }
  return NowMs() - start;
}

// Where the cold time goes: building the thumbnails, and one committed insert each.
void PrintColdParts(const std::vector<std::wstring>& files, const std::wstring& db) {
  cTile tile;
  double t = NowMs();
  std::vector<std::vector<uint8_t>> blobs;
  for (const auto& f : files) blobs.push_back(BuildThumbnailBlob(f, tile));
  std::printf("  building 50 thumbnails (GDI+ decode and draw): %.1f ms\n", NowMs() - t);
  sqlite3* h = nullptr;
  sqlite3_open(ToUtf8(db).c_str(), &h);
  sqlite3_exec(h, "DELETE FROM tblThumbnail", nullptr, nullptr, nullptr);
  t = NowMs();
  for (size_t i = 0; i < files.size(); ++i) {
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(h, "INSERT INTO tblThumbnail VALUES(?1, '2000', ?2)", -1, &ins, nullptr);
    const std::string u = ToUtf8(files[i]);
    sqlite3_bind_text(ins, 1, u.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_blob(ins, 2, blobs[i].data(), static_cast<int>(blobs[i].size()), SQLITE_TRANSIENT);
    sqlite3_step(ins);
    sqlite3_finalize(ins);
  }
  std::printf("  50 committed inserts: %.1f ms\n", NowMs() - t);
  t = NowMs();
  for (const auto& f : files) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT Date, Thumbnail FROM tblThumbnail WHERE Path = ?1", -1, &st, nullptr);
    const std::string u = ToUtf8(f);
    sqlite3_bind_text(st, 1, u.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(st);
    sqlite3_finalize(st);
  }
  std::printf("  50 keyed selects, each its own read transaction: %.1f ms\n", NowMs() - t);
  sqlite3_exec(h, "DELETE FROM tblThumbnail", nullptr, nullptr, nullptr);
  sqlite3_close(h);
}

}  // namespace

int wmain() {
  GdiPlusSession gdiplus;  // the panel holds GDI+ for its whole life
  if (!gdiplus.ok()) return 1;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"bench-thumbnails-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  const std::wstring db = dir + L"Thumbs.mdb";
  if (!CopyFileW((AppPath() + L"Thumbs.mdb").c_str(), db.c_str(), FALSE)) {
    std::fprintf(stderr, "Thumbs.mdb not found beside the program\n");
    return 1;
  }
  const wchar_t* mimes[] = {L"image/png", L"image/jpeg", L"image/bmp"};
  const wchar_t* exts[] = {L".png", L".jpg", L".bmp"};
  std::vector<std::wstring> files;
  for (int i = 0; i < kCellsPerPage; ++i) {
    const int w = 24 + (i * 37) % 97, h = 24 + (i * 53) % 97;
    const std::wstring path = dir + L"face" + std::to_wstring(i) + exts[i % 3];
    if (!MakePicture(path, w, h, mimes[i % 3])) {
      std::fprintf(stderr, "could not write %ls\n", path.c_str());
      return 1;
    }
    files.push_back(path);
  }
  // The cells: 43 x 43 bitmaps compatible with the screen, as a grid's cells are.
  HDC screen = GetDC(nullptr);
  std::vector<UniqueMemoryDc> dcs;
  std::vector<UniqueBitmap> bitmaps;
  std::vector<ThumbnailCell> cells(kCellsPerPage);
  for (int i = 0; i < kCellsPerPage; ++i) {
    dcs.emplace_back(CreateCompatibleDC(screen));
    bitmaps.emplace_back(CreateCompatibleBitmap(screen, 43, 43));
    SelectObject(dcs.back().get(), bitmaps.back().get());
    cells[static_cast<size_t>(i)].dc = dcs.back().get();
  }
  ReleaseDC(nullptr, screen);

  ThumbnailStore store;
  std::vector<double> cold, warm;
  for (int round = 0; round < 5; ++round) {
    store.Close();
    ClearCache(db);
    if (!store.Open(db)) return 1;
    cold.push_back(DrawPage(store, files, cells));
    for (int page = 0; page < 10; ++page) warm.push_back(DrawPage(store, files, cells));
  }
  store.Close();
  std::printf("thumbnail page of %d cells (median of %zu cold, %zu warm pages)\n", kCellsPerPage, cold.size(),
              warm.size());
  std::printf("cold (cache empty): %.1f ms per page (target < 250)\n", Median(cold));
  std::printf("warm (all cached):  %.2f ms per page (target < 5)\n", Median(warm));
  PrintColdParts(files, db);

  cells.clear();
  for (const auto& f : files) DeleteFileW(f.c_str());
  DeleteFileW(db.c_str());
  RemoveDirectoryW(dir.c_str());
  return 0;
}
