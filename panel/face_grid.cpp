#include "panel/face_grid.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/drawing.h"
#include "foundation/handles.h"
#include "foundation/picture_fitting.h"
#include "foundation/thumbnail_cache.h"

namespace panel {
namespace {
const std::wstring kNoTag;
constexpr UINT_PTR kTimerPendingCells = 1;
// Each turn draws cells for about this long, so timers and input keep their pace.
constexpr double kPendingTurnMs = 8.0;

double NowMs() {
  LARGE_INTEGER f, c;
  ::QueryPerformanceFrequency(&f);
  ::QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}
}  // namespace

bool FaceGrid::Create(HWND parent, int x, int y, int width, int height, COLORREF background, const GridLook& look) {
  background_ = background;
  look_ = look;
  width_ = width;
  height_ = height;
  left_ = x;
  top_ = y;
  if (!scratch_.Resize(look_.cellWidth, look_.cellHeight)) return false;
  if (!CreateWindowObject({look_.className}, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", x, y, width, height,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(look_.id))))
    return false;
  SetCells({}, height);
  return true;
}

void FaceGrid::SetCells(const std::vector<POINT>& corners, int contentHeight) {
  DropPending(-1);
  cells_.clear();
  for (const POINT& p : corners) cells_.push_back({p, L""});
  framed_ = -1;
  height_ = std::max(contentHeight, 1);
  int surfaceHeight = height_;
  for (const Cell& c : cells_) surfaceHeight = std::max<int>(surfaceHeight, c.corner.y + look_.cellHeight);
  surface_.Resize(width_, surfaceHeight);
  surface_.Fill(background_);
  for (const Cell& c : cells_) BlankCell(c);
  if (hwnd()) {
    ::SetWindowPos(hwnd(), nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
  }
}

void FaceGrid::KeepFirstCells(int n) {
  if (n < 0 || n >= CellCount()) return;
  std::erase_if(pending_, [n](const PendingCell& p) { return p.index >= n; });
  for (size_t i = static_cast<size_t>(n); i < cells_.size(); ++i) {
    const POINT& p = cells_[i].corner;
    surface_.FillRect(p.x, p.y, look_.cellWidth, look_.cellHeight, background_);
  }
  cells_.resize(static_cast<size_t>(n));
  if (framed_ >= n) framed_ = -1;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

const std::wstring& FaceGrid::Tag(int index) const { return Valid(index) ? cells_[static_cast<size_t>(index)].tag : kNoTag; }

void FaceGrid::SetTag(int index, const std::wstring& tag) {
  if (Valid(index)) cells_[static_cast<size_t>(index)].tag = tag;
}

void FaceGrid::BlankCell(const Cell& c) {
  surface_.FillRect(c.corner.x, c.corner.y, look_.cellWidth, look_.cellHeight, look_.cellBackground);
}

void FaceGrid::InvalidateCell(int index) {
  RECT r = CellRect(index);
  if (hwnd()) ::InvalidateRect(hwnd(), &r, FALSE);
}

void FaceGrid::ClearCell(int index) {
  if (!Valid(index)) return;
  DropPending(index);
  Cell& c = cells_[static_cast<size_t>(index)];
  c.tag.clear();
  BlankCell(c);
  InvalidateCell(index);
}

void FaceGrid::ClearAll() {
  for (int i = 0; i < CellCount(); ++i) ClearCell(i);
}

void FaceGrid::CopyScratchTo(const Cell& c) {
  ::BitBlt(surface_.dc(), c.corner.x, c.corner.y, look_.cellWidth, look_.cellHeight, scratch_.dc(), 0, 0, SRCCOPY);
}

void FaceGrid::DrawFitted(int index, const std::wstring& path) { DrawOrQueue(index, path, PictureKind::kFitted); }

void FaceGrid::DrawThumbnail(int index, const std::wstring& path) {
  DrawOrQueue(index, path, PictureKind::kThumbnail);
}

void FaceGrid::DrawOrQueue(int index, const std::wstring& path, PictureKind kind) {
  if (!Valid(index)) return;
  DropPending(index);
  if (InView(index)) {
    DrawPicture(index, path, kind);
    return;
  }
  pending_.push_back({index, path, kind});
  if (pending_.size() == 1) ::SetTimer(hwnd(), kTimerPendingCells, USER_TIMER_MINIMUM, nullptr);
}

void FaceGrid::DrawPicture(int index, const std::wstring& path, PictureKind kind) {
  Cell& c = cells_[static_cast<size_t>(index)];
  scratch_.Fill(look_.cellBackground);
  if (kind == PictureKind::kThumbnail) {
    foundation::ThumbnailCell cell;
    cell.dc = scratch_.dc();
    cell.width = look_.cellWidth;
    cell.height = look_.cellHeight;
    foundation::ShowThumbnail(path, cell);
  } else if (look_.keepPictures) {
    foundation::ProgramThumbnailStore().ShowFitted(path, scratch_.dc(), look_.cellWidth, look_.cellHeight,
                                                   look_.cellBackground);
  } else {
    int32_t w = look_.cellWidth, h = look_.cellHeight;
    foundation::DrawImageFit(scratch_.dc(), path, w, h);
  }
  CopyScratchTo(c);
  InvalidateCell(index);
}

void FaceGrid::DrawSomePending() {
  // The cells now in view go first (the user may have scrolled meanwhile).
  std::stable_partition(pending_.begin(), pending_.end(), [this](const PendingCell& p) { return InView(p.index); });
  foundation::ThumbnailBatch batch(foundation::ProgramThumbnailStore());
  const double start = NowMs();
  size_t done = 0;
  while (done < pending_.size() && (done == 0 || NowMs() - start < kPendingTurnMs)) {
    const PendingCell& p = pending_[done++];
    DrawPicture(p.index, p.path, p.kind);
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(done));
  if (pending_.empty()) ::KillTimer(hwnd(), kTimerPendingCells);
}

void FaceGrid::DropPending(int index) {
  if (index < 0) {
    pending_.clear();
  } else {
    std::erase_if(pending_, [index](const PendingCell& p) { return p.index == index; });
  }
  if (pending_.empty() && hwnd()) ::KillTimer(hwnd(), kTimerPendingCells);
}

bool FaceGrid::InView(int index) const {
  if (!hwnd() || !::IsWindowVisible(hwnd())) return false;
  RECT view;
  if (!::GetClientRect(::GetParent(hwnd()), &view)) return false;
  const RECT r = CellRect(index);
  return r.left + left_ < view.right && r.right + left_ > view.left && r.top + top_ < view.bottom &&
         r.bottom + top_ > view.top;
}

void FaceGrid::DrawCellText(int index, const std::wstring& text, HFONT font) {
  if (!Valid(index)) return;
  DropPending(index);
  scratch_.Fill(look_.cellBackground);
  const SIZE size = controls::MeasureText(scratch_.dc(), font, text);
  controls::DrawTextAt(scratch_.dc(), font, text, (look_.cellWidth - size.cx) / 2, (look_.cellHeight - size.cy) / 2,
                       RGB(0, 0, 0));
  CopyScratchTo(cells_[static_cast<size_t>(index)]);
  InvalidateCell(index);
}

void FaceGrid::SetFramedCell(int index) {
  if (index == framed_) return;
  RECT old = CellRect(framed_);
  framed_ = Valid(index) ? index : -1;
  if (!hwnd()) return;
  ::InvalidateRect(hwnd(), &old, FALSE);
  RECT now = CellRect(framed_);
  ::InvalidateRect(hwnd(), &now, FALSE);
}

int FaceGrid::CellAt(int x, int y) const {
  for (int i = 0; i < CellCount(); ++i) {
    const POINT& p = cells_[static_cast<size_t>(i)].corner;
    if (x >= p.x && x < p.x + look_.cellWidth && y >= p.y && y < p.y + look_.cellHeight) return i;
  }
  return -1;
}

RECT FaceGrid::CellRect(int index) const {
  if (!Valid(index)) return RECT{0, 0, 0, 0};
  const POINT& p = cells_[static_cast<size_t>(index)].corner;
  return RECT{p.x, p.y, p.x + look_.cellWidth, p.y + look_.cellHeight};
}

void FaceGrid::SetTop(int top) {
  top_ = top;
  if (hwnd()) ::SetWindowPos(hwnd(), nullptr, left_, top_, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

void FaceGrid::Show(bool visible) {
  if (hwnd()) ::ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

LRESULT FaceGrid::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      foundation::PaintDc paint(hwnd());
      surface_.PresentTo(paint.get());
      if (framed_ >= 0) {
        const RECT r = CellRect(framed_);
        foundation::UniqueBrush brush(::CreateSolidBrush(kHoverFrameColor));
        ::FrameRect(paint.get(), &r, brush.get());
      }
      return 0;
    }
    case WM_MOUSEACTIVATE:
      if (!look_.activatesPanel) return MA_NOACTIVATE;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      const int index = CellAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      const int16_t button = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
      if (index >= 0 && CellMouseDown) CellMouseDown(index, button);
      return 0;
    }
    case WM_MOUSEMOVE: {
      const int index = CellAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      if (index >= 0 && CellMouseMove) CellMouseMove(index);
      return 0;
    }
    case WM_TIMER:
      if (wParam == kTimerPendingCells) {
        DrawSomePending();
        return 0;
      }
      break;
    default:
      break;
  }
  return WindowBase::HandleMessage(msg, wParam, lParam);
}

}  // namespace panel
