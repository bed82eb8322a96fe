#include "panel/plain_panel.h"

#include "foundation/handles.h"

namespace panel {

bool PlainPanel::Create(HWND parent, int x, int y, int width, int height, COLORREF background, bool visible,
                        bool bordered) {
  background_ = background;
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0) | (bordered ? WS_BORDER : 0);
  return CreateWindowObject({L"TarnwickPlainPanel"}, WS_EX_CONTROLPARENT, style, L"", x, y, width, height, parent,
                            nullptr);
}

void PlainPanel::SetBackColor(COLORREF color) {
  background_ = color;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void PlainPanel::Move(int x, int y, int width, int height) {
  if (hwnd()) ::SetWindowPos(hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlainPanel::Show(bool visible) {
  if (hwnd()) ::ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void PlainPanel::SetLabel(const std::wstring& text, int x, int y, COLORREF color) {
  label_ = text;
  labelAt_ = {x, y};
  labelColor_ = color;
  if (hwnd()) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT PlainPanel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      ::GetClientRect(hwnd(), &r);
      foundation::UniqueBrush brush(::CreateSolidBrush(background_));
      ::FillRect(reinterpret_cast<HDC>(wParam), &r, brush.get());
      if (!label_.empty()) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        foundation::SelectionGuard font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, labelColor_);
        ::TextOutW(dc, labelAt_.x, labelAt_.y, label_.c_str(), static_cast<int>(label_.size()));
      }
      return 1;
    }
    case WM_MOUSEMOVE:
      if (MouseMove) MouseMove();
      return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ::SendMessageW(::GetParent(hwnd()), msg, wParam, lParam);
    default:
      return WindowBase::HandleMessage(msg, wParam, lParam);
  }
}

}  // namespace panel
