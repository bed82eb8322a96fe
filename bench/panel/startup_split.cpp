#include "bench/panel/startup_split.h"

#include <cstdio>
#include <vector>

#include "bench/panel/bench_process.h"
#include "foundation/chat_windows.h"
#include "foundation/database.h"
#include "foundation/gdiplus_image.h"
#include "foundation/handles.h"
#include "foundation/ini_file.h"
#include "foundation/picture_fitting.h"
#include "foundation/thumbnail_cache.h"
#include "panel/library_listing.h"

namespace bench {
namespace {

// Runs f once and answers its milliseconds.
template <class F>
double Time(F&& f) {
  const double t0 = Now();
  f();
  return Now() - t0;
}

// A white 43 x 43 cell on a 32-bit DIB section, as the grid draws into.
class Cell {
 public:
  Cell() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 43, -43, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_.reset(::CreateCompatibleDC(nullptr));
    bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    old_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  ~Cell() { ::SelectObject(dc_.get(), old_); }
  HDC Blank() {
    const RECT r{0, 0, 43, 43};
    ::FillRect(dc_.get(), &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    return dc_.get();
  }

 private:
  foundation::UniqueMemoryDc dc_;
  foundation::UniqueBitmap bitmap_;
  HGDIOBJ old_ = nullptr;
};

void Line(const char* what, double ms) { std::printf("  %-62s %7.1f ms\n", what, ms); }

}  // namespace

void PrintStartupSplit(const std::wstring& folder) {
  std::printf("where a start's time goes (each piece alone, in this process):\n");
  // Config.ini: the start reads eight keys and writes seven values (with VAZidi.ini).
  const std::wstring ini = folder + L"bench_split.ini";
  ::DeleteFileW(ini.c_str());
  Line("Config.ini: 8 reads and 7 writes", Time([&] {
         for (const wchar_t* key : {L"First", L"DefX", L"DefY", L"DB", L"RndText", L"RndValue", L"Input", L"DuLi"})
           foundation::ReadIni(L"Config", key, ini);
         for (const wchar_t* key : {L"First", L"LoadType", L"LoadFace", L"TempHwnd", L"Input", L"Path", L"Ver"})
           foundation::WriteIni(L"Config", key, L"1", ini);
       }));
  ::DeleteFileW(ini.c_str());

  Line("Thumbs.mdb: open, six BTZ rows, the first symbol list", Time([&] {
         foundation::DbConnection db;
         db.Open(folder + L"Thumbs.mdb");
         for (int id : {1, 2, 3, 11, 4, 8})
           foundation::OpenRecordset(db, L"select  * from BTZ where id=" + std::to_wstring(id));
         foundation::OpenRecordset(db, L"select  * from FHList where type='1'");
       }));

  const std::wstring root = folder + panel::kLibraryFolder;
  const std::wstring first = root + L"\\" + panel::kDefaultCategory;
  std::vector<std::wstring> files;
  Line("category scan: the categories, the files of the first", Time([&] {
         panel::ListCategories(root);
         for (const std::wstring& name : panel::ListEmoticonFiles(first)) files.push_back(first + L"\\" + name);
       }));

  foundation::GdiPlusSession outer;  // the panel's own, for its whole life
  char text[96];
  std::snprintf(text, sizeof text, "GDI+ start and stop nested in the panel's, x %zu", files.size());
  Line(text, Time([&] {
         for (size_t i = 0; i < files.size(); ++i) foundation::GdiPlusSession inner;
       }));
  Cell cell;
  std::snprintf(text, sizeof text, "%zu pictures decoded and drawn from their files", files.size());
  Line(text, Time([&] {
         for (const std::wstring& f : files) {
           int32_t w = 43, h = 43;
           foundation::DrawImageFit(cell.Blank(), f, w, h);
         }
       }));

  // Kept cells on a copy of the panel's database, so its own stays as the start left it.
  const std::wstring copy = folder + L"bench_split.mdb";
  ::CopyFileW((folder + L"Thumbs.mdb").c_str(), copy.c_str(), FALSE);
  {
    foundation::ThumbnailStore store;
    store.Open(copy);
    auto showAll = [&] {
      foundation::ThumbnailBatch batch(store);
      for (const std::wstring& f : files) store.ShowFitted(f, cell.Blank(), 43, 43, RGB(255, 255, 255));
    };
    Line("  the same cells drawn from Thumbs.mdb (kept at an earlier start)", Time(showAll));
    Line("  the same cells drawn from memory (seen before in this process)", Time(showAll));
    store.Close();
  }
  ::DeleteFileW(copy.c_str());

  foundation::ChatWindowList list;
  Line("one pass of chat-window detection", Time([&] {
         foundation::EnumChatWindows(list);
         foundation::PruneChatWindowList(list);
       }));
}

}  // namespace bench
