#include "editor/face_cell.h"

#include <windowsx.h>

#include "editor/core/editor_geometry.h"
#include "foundation/handles.h"
#include "foundation/picture_fitting.h"
#include "foundation/thumbnail_cache.h"

namespace editor {
namespace {

constexpr wchar_t kCellClass[] = L"BrackmereCell";
// Shape1's border colour.
constexpr COLORREF kSelectionFrame = RGB(49, 106, 196);

}  // namespace

bool FaceCell::Create(HWND parent, int id, int x, int y) {
  if (!surface_.Resize(kCellPixels, kCellPixels)) return false;
  surface_.Fill(::GetSysColor(COLOR_WINDOW));
  // CS_DBLCLKS: the second press of a double click comes as WM_LBUTTONDBLCLK,
  // which is no click, so a double click toggles the cell once.
  return CreateWindowObject({kCellClass}, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", x, y, kCellPixels,
                            kCellPixels, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void FaceCell::BeginPicture() { surface_.Fill(::GetSysColor(COLOR_WINDOW)); }

void FaceCell::Clear() {
  BeginPicture();
  SetTag(L"");
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void FaceCell::DrawFitted(const std::wstring& path) {
  BeginPicture();
  int32_t width = kCellPixels, height = kCellPixels;
  foundation::DrawImageFit(surface_.dc(), path, width, height);
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void FaceCell::DrawThumbnail(const std::wstring& path) {
  BeginPicture();
  foundation::ThumbnailCell cell;
  cell.dc = surface_.dc();
  foundation::ShowThumbnail(path, cell);
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void FaceCell::SetTag(const std::wstring& tag) {
  tag_ = tag;
  if (hwnd()) ::SetWindowTextW(hwnd(), tag_.c_str());
}

void FaceCell::SetSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

LRESULT FaceCell::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      foundation::PaintDc paint(hwnd());
      surface_.PresentTo(paint.get());
      if (selected_) {
        RECT r{0, 0, kCellPixels, kCellPixels};
        foundation::UniqueBrush brush(::CreateSolidBrush(kSelectionFrame));
        ::FrameRect(paint.get(), &r, brush.get());
      }
      return 0;
    }
    case WM_LBUTTONDOWN:
      pressed_ = true;
      ::SetCapture(hwnd());
      return 0;
    case WM_LBUTTONUP: {
      const bool click = pressed_;
      pressed_ = false;
      if (::GetCapture() == hwnd()) ::ReleaseCapture();
      const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
      if (click && x >= 0 && y >= 0 && x < kCellPixels && y < kCellPixels && Click) Click();
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    case BM_GETCHECK:
      return selected_ ? BST_CHECKED : BST_UNCHECKED;
    default:
      return WindowBase::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace editor
