#include "bench/panel/startup_watch.h"

#include <algorithm>
#include <cwchar>

#include "bench/panel/bench_process.h"
#include "foundation/gdiplus_image.h"
#include "foundation/handles.h"
#include "foundation/picture_fitting.h"
#include "panel/library_listing.h"

namespace bench {
namespace {

constexpr int kCell = 43, kPitch = 44;  // cells 43 pixels, 44 apart, the first at (1, 1) of the grid
constexpr int kIdCombo1 = 1001;

// A 32-bit top-down copy of a screen rectangle, 0x00RRGGBB per pixel.
class ScreenCopy {
 public:
  ScreenCopy(const RECT& r) : width_(r.right - r.left), height_(r.bottom - r.top) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_.reset(::CreateCompatibleDC(nullptr));
    bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) return;
    bits_ = static_cast<const uint32_t*>(bits);
    foundation::SelectionGuard select(dc_.get(), bitmap_.get());
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(dc_.get(), 0, 0, width_, height_, screen, r.left, r.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    ::GdiFlush();
  }
  uint32_t At(int x, int y) const { return bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFFu; }
  bool ok() const { return bits_ != nullptr; }

 private:
  int width_, height_;
  foundation::UniqueMemoryDc dc_;
  foundation::UniqueBitmap bitmap_;
  const uint32_t* bits_ = nullptr;
};

}  // namespace

ExpectedCells::ExpectedCells(const std::wstring& categoryFolder) {
  foundation::GdiPlusSession gdiplus;
  for (const std::wstring& name : panel::ListEmoticonFiles(categoryFolder)) {
    const RECT whole{0, 0, kCell, kCell};
    foundation::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kCell, -kCell, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    foundation::UniqueBitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<uint32_t> cell(kCell * kCell, 0xFFFFFFu);
    if (bitmap && bits) {
      foundation::SelectionGuard select(dc.get(), bitmap.get());
      ::FillRect(dc.get(), &whole, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      int32_t w = kCell, h = kCell;
      foundation::DrawImageFit(dc.get(), categoryFolder + L"\\" + name, w, h);
      ::GdiFlush();
      const auto* p = static_cast<const uint32_t*>(bits);
      std::transform(p, p + kCell * kCell, cell.begin(), [](uint32_t v) { return v & 0xFFFFFFu; });
    }
    cells_.push_back(std::move(cell));
  }
}

bool ExpectedCells::OnScreen(HWND grid) const {
  RECT view, g;
  if (!::GetWindowRect(::GetParent(grid), &view) || !::GetWindowRect(grid, &g)) return false;
  // The pointer may rest on the grid (Wine's starts it mid-screen): the hover
  // preview then covers some cells and a frame rings one; those are not the grid's drawing.
  RECT preview{};
  HWND still = FindChild(::GetAncestor(grid, GA_ROOT), L"TarnwickPreviewStill");
  if (still && ::IsWindowVisible(::GetParent(still))) ::GetWindowRect(::GetParent(still), &preview);
  const ScreenCopy screen(view);
  if (!screen.ok()) return false;
  int inView = 0;
  for (size_t k = 0; k < cells_.size(); ++k) {
    const RECT cell{g.left + 1 + kPitch * static_cast<int>(k % 5), g.top + 1 + kPitch * static_cast<int>(k / 5), 0, 0};
    const RECT whole{cell.left, cell.top, cell.left + kCell, cell.top + kCell};
    RECT covered;
    if (whole.left < view.left || whole.top < view.top || whole.right > view.right || whole.bottom > view.bottom ||
        ::IntersectRect(&covered, &whole, &preview))
      continue;
    ++inView;
    // Inside the one-pixel ring where the hover frame goes.
    for (int y = 1; y < kCell - 1; ++y)
      for (int x = 1; x < kCell - 1; ++x) {
        if (screen.At(whole.left - view.left + x, whole.top - view.top + y) !=
            cells_[k][static_cast<size_t>(y * kCell + x)])
          return false;
      }
  }
  return inView > 0;
}

StartMilestones WatchStart(const std::wstring& folder, HWND chat, POINT dockedAt, const ExpectedCells& first,
                           HANDLE& panel) {
  StartMilestones m;
  const double t0 = Now();
  panel = Start(folder, L"\"" + folder + L"Tarnwick.exe\"");
  if (!panel) return m;
  HWND window = nullptr, grid = nullptr;
  WaitFor(
      [&] {
        const double t = Now() - t0;
        if (!window && (window = FindWindowOf(panel, L"TarnwickPanel"))) m.window = t;
        if (window && !grid) grid = FindChild(window, L"TarnwickFaceGrid");
        RECT r{};
        if (grid && !m.cells && ::GetWindowRect(grid, &r) && r.bottom - r.top > 1) m.cells = t;
        if (::GetForegroundWindow() != chat) ::SetForegroundWindow(chat);
        if (window && !m.docked && ::GetWindowRect(window, &r) && r.left == dockedAt.x && r.top == dockedAt.y)
          m.docked = t;
        if (m.docked && !m.drawn && first.OnScreen(grid)) m.drawn = t;
        return m.drawn > 0;
      },
      60000);
  return m;
}

double WatchCategorySwitch(HANDLE panel, const std::wstring& name, const ExpectedCells& category) {
  HWND window = FindWindowOf(panel, L"TarnwickPanel");
  HWND combo = FindChild(window, L"ComboBox", kIdCombo1);
  HWND grid = FindChild(window, L"TarnwickFaceGrid");
  if (!combo || !grid) return -1;
  const LRESULT index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(name.c_str()));
  if (index < 0) return -1;
  const double t0 = Now();
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(kIdCombo1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  return WaitFor([&] { return category.OnScreen(grid); }, 20000) ? Now() - t0 : -1;
}

std::wstring MirroredCategory(const std::wstring& folder, const std::wstring& category) {
  const std::wstring from = folder + L"Face\\" + category, to = folder + L"Face\\" + category + L"倒序";
  ::CreateDirectoryW(to.c_str(), nullptr);
  const std::vector<std::wstring> names = panel::ListEmoticonFiles(from);
  for (size_t i = 0; i < names.size(); ++i) {
    const std::wstring& source = names[names.size() - 1 - i];
    wchar_t name[16];
    std::swprintf(name, 16, L"%03zu", i + 1);
    ::CopyFileW((from + L"\\" + source).c_str(), (to + L"\\" + name + source.substr(source.find(L'.'))).c_str(), TRUE);
  }
  return to;
}

double EmptyProgramStart(const std::wstring& exe) {
  double best = -1;
  for (int i = 0; i < 3; ++i) {
    const double t0 = Now();
    HANDLE p = Start(L"C:\\", L"\"" + exe + L"\"");
    if (!p) return -1;
    HWND w = nullptr;
    const bool shown = WaitFor([&] { return (w = FindWindowOf(p, L"BenchEmptyWindow")) && ::IsWindowVisible(w); }, 20000);
    const double t = Now() - t0;
    if (shown && (best < 0 || t < best)) best = t;
    if (w) ::PostMessageW(w, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(p, 5000) != WAIT_OBJECT_0) ::TerminateProcess(p, 1);
    ::CloseHandle(p);
  }
  return best;
}

}  // namespace bench
