#include "foundation/cool_scrollbars.h"

namespace foundation {

namespace {

// The press-repeat timer on the target window.
constexpr UINT_PTR kRepeatTimerId = 1;
constexpr UINT kRepeatMs = 10;

enum LinkIndex { kTargetLink = 0, kVBarLink = 1, kHBarLink = 2, kSizerLink = 3 };

RECT ToRect(const IntRect& r) { return {r.left, r.top, r.right, r.bottom}; }

HWND CreateBarWindow(HWND parent) {
  // An owner-drawn static answers HTTRANSPARENT to hit tests, so presses fall
  // through to the target's own scroll bars underneath.
  return ::CreateWindowExW(0, L"Static", L"", WS_CHILD | SS_OWNERDRAW, 0, 0, 0, 0, parent, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

void PlaceOrHide(HWND hwnd, bool shown, const IntRect& rc) {
  if (shown)
    ::SetWindowPos(hwnd, HWND_TOP, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW);
  else
    ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOZORDER);
}

// The thumb in the self-drawn look: a button-face block inside a one-pixel
// shadow frame. (A frame control of type 0 draws nothing at all.)
void DrawThumb(HDC dc, const RECT& rc) {
  ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  ::FrameRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNSHADOW));
}

}  // namespace

cCoolScbars::~cCoolScbars() { UninitializeCoolSB(); }

bool cCoolScbars::InitializeCoolSB(HWND target, bool customDraw) {
  if (target_ || !target || !::IsWindow(target)) return false;
  HWND parent = ::GetParent(target);
  if (!parent || (::GetWindowLongPtrW(target, GWL_STYLE) & WS_CHILD) == 0) return false;
  target_ = target;
  parent_ = parent;
  customDraw_ = customDraw;
  bars_ = {};
  bars_[kVerticalBar].hwnd = CreateBarWindow(parent);
  bars_[kHorizontalBar].hwnd = CreateBarWindow(parent);
  sizer_ = CreateBarWindow(parent);

  static const WORD kPattern[8] = {0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55};
  UniqueBitmap pattern(::CreateBitmap(8, 8, 1, 1, kPattern));
  trackBrush_.reset(pattern ? ::CreatePatternBrush(pattern.get()) : nullptr);

  cSubclsThunk& t = links_[kTargetLink];
  t.AddBeforeMsgs({WM_PAINT, WM_CAPTURECHANGED, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCRBUTTONDOWN,
                   WM_WINDOWPOSCHANGED, WM_STYLECHANGED, WM_ENABLE, WM_TIMER});
  for (int i = kVBarLink; i <= kSizerLink; ++i) links_[i].AddBeforeMsgs({WM_PAINT});
  const bool ok = bars_[kVerticalBar].hwnd && bars_[kHorizontalBar].hwnd && sizer_ && trackBrush_ &&
                  t.Subclass(target, this) && links_[kVBarLink].Subclass(bars_[kVerticalBar].hwnd, this) &&
                  links_[kHBarLink].Subclass(bars_[kHorizontalBar].hwnd, this) &&
                  links_[kSizerLink].Subclass(sizer_, this);
  if (!ok) {
    UninitializeCoolSB();
    return false;
  }
  Layout();
  return true;
}

bool cCoolScbars::UninitializeCoolSB() {
  if (!target_) return false;
  ::KillTimer(target_, kRepeatTimerId);
  for (auto& link : links_) link.Unsubclass();
  for (HWND hwnd : {bars_[kVerticalBar].hwnd, bars_[kHorizontalBar].hwnd, sizer_})
    if (hwnd) ::DestroyWindow(hwnd);
  bars_ = {};
  sizer_ = nullptr;
  trackBrush_.reset();
  target_ = nullptr;
  parent_ = nullptr;
  grip_ = false;
  pressedPart_ = kPartNone;
  return true;
}

void cCoolScbars::Refresh() {
  for (HWND hwnd : {bars_[kVerticalBar].hwnd, bars_[kHorizontalBar].hwnd, sizer_})
    if (hwnd) ::InvalidateRect(hwnd, nullptr, FALSE);
}

void cCoolScbars::CustomDraw(bool on) {
  if (on == customDraw_) return;
  customDraw_ = on;
  Refresh();
}

HWND cCoolScbars::BarWindow(int scrollBarId) const {
  if (scrollBarId == kHorizontalBar || scrollBarId == kVerticalBar) return bars_[scrollBarId].hwnd;
  return scrollBarId == kSizerBar ? sizer_ : nullptr;
}

bool cCoolScbars::Enabled(int scrollBarId) const {
  if (scrollBarId != kHorizontalBar && scrollBarId != kVerticalBar) return false;
  return bars_[scrollBarId].geometry.thumbSize >= 1 && enabled_;
}

void cCoolScbars::Layout() {
  BarLayoutInput in;
  RECT w{}, c{}, pc{};
  ::GetWindowRect(target_, &w);
  ::GetClientRect(target_, &c);
  ::GetClientRect(parent_, &pc);
  POINT origin{w.left, w.top};
  ::ScreenToClient(parent_, &origin);
  in.window = {w.left, w.top, w.right, w.bottom};
  in.origin = {origin.x, origin.y};
  in.clientWidth = c.right;
  in.clientHeight = c.bottom;
  in.style = static_cast<std::uint32_t>(::GetWindowLongPtrW(target_, GWL_STYLE));
  in.exStyle = static_cast<std::uint32_t>(::GetWindowLongPtrW(target_, GWL_EXSTYLE));
  in.vScrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);
  in.hScrollHeight = ::GetSystemMetrics(SM_CYHSCROLL);
  in.parentClientWidth = pc.right;
  in.parentClientHeight = pc.bottom;
  in.parentMaximized = (::GetWindowLongPtrW(parent_, GWL_STYLE) & WS_MAXIMIZE) != 0;
  const BarLayout out = ComputeBarLayout(in);
  enabled_ = out.enabled;
  rightSide_ = out.rightSide;
  PlaceOrHide(bars_[kVerticalBar].hwnd, out.vShown, out.vBar);
  if (out.vShown) UpdateBar(kVerticalBar);
  PlaceOrHide(bars_[kHorizontalBar].hwnd, out.hShown, out.hBar);
  if (out.hShown) UpdateBar(kHorizontalBar);
  PlaceOrHide(sizer_, out.sizerShown, out.sizer);
  sizerRect_ = {};
  if (out.sizerShown) ::GetClientRect(sizer_, &sizerRect_);
  grip_ = out.grip;
  Refresh();
}

void cCoolScbars::UpdateBar(int id) {
  Bar& bar = bars_[id];
  const bool vertical = id == kVerticalBar;
  RECT rc{};
  ::GetClientRect(bar.hwnd, &rc);
  const int arrow = ::GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
  bar.geometry = ComputeBarGeometry(rc.right, rc.bottom, arrow, vertical);
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ScrollState state;
  if (::GetScrollInfo(target_, vertical ? SB_VERT : SB_HORZ, &si)) {
    state = {si.nMin, si.nMax, si.nPage, si.nPos, si.nTrackPos};
  } else {
    state.nPage = 1;  // no scroll state: no thumb
  }
  const bool draggingThumb = currentBar_ == id && pressedPart_ == kPartThumb;
  ComputeThumb(bar.geometry, state, vertical, draggingThumb);
}

void cCoolScbars::StartPress(WPARAM hitTest, LPARAM point) {
  int id;
  if (hitTest == HTHSCROLL) id = kHorizontalBar;
  else if (hitTest == HTVSCROLL) id = kVerticalBar;
  else return;
  currentBar_ = id;
  pressedPart_ = kPartNone;
  Bar& bar = bars_[id];
  UpdateBar(id);
  if (!enabled_ || bar.geometry.thumbSize < 1) return;
  bar.pressed = {};
  RECT wr{};
  ::GetWindowRect(bar.hwnd, &wr);
  const int x = static_cast<short>(LOWORD(point));
  const int y = static_cast<short>(HIWORD(point));
  pressedPoint_ = {x - wr.left, y - wr.top};
  pressedPart_ = HitTestBar(bar.geometry, pressedPoint_);
  if (pressedPart_ != kPartNone) bar.pressed[pressedPart_] = (::GetAsyncKeyState(VK_LBUTTON) & 0xFFFF) != 0;
  ::InvalidateRect(bar.hwnd, nullptr, FALSE);
  if (pressedPart_ >= kPartFirstArrow && pressedPart_ <= kPartTrackAfter)
    ::SetTimer(target_, kRepeatTimerId, kRepeatMs, nullptr);
}

void cCoolScbars::RepeatStep() {
  if (pressedPart_ < kPartFirstArrow || pressedPart_ > kPartTrackAfter) return;
  Bar& bar = bars_[currentBar_];
  POINT pt{};
  ::GetCursorPos(&pt);
  ::ScreenToClient(bar.hwnd, &pt);
  const BarGeometry& g = bar.geometry;
  const IntRect* parts[] = {nullptr, &g.firstArrow, &g.secondArrow, &g.trackBefore, &g.trackAfter};
  const bool inside = parts[pressedPart_]->Contains({pt.x, pt.y});
  if (inside != bar.pressed[pressedPart_]) {
    bar.pressed[pressedPart_] = inside;
    ::InvalidateRect(bar.hwnd, nullptr, FALSE);
  }
}

void cCoolScbars::Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                         LPARAM& lParam) {
  if (!target_) return;
  if (hWnd == target_) {
    switch (uMsg) {
      case WM_ENABLE:
        enabled_ = wParam != 0;
        Refresh();
        break;
      case WM_PAINT:
        Refresh();
        break;
      case WM_WINDOWPOSCHANGED:
      case WM_STYLECHANGED:
        Layout();
        break;
      case WM_NCLBUTTONDOWN:
        StartPress(wParam, lParam);
        break;
      case WM_NCLBUTTONDBLCLK: {
        // A double click acts as a second press: the target's scroll bar gets
        // a fresh button-down instead.
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        ::SendInput(1, &input, sizeof(input));
        bHandled = true;
        lReturn = 0;
        break;
      }
      case WM_NCRBUTTONDOWN:
        bHandled = !enabled_;
        break;
      case WM_TIMER:
        if (wParam == kRepeatTimerId) RepeatStep();
        break;
      case WM_CAPTURECHANGED:
        if (lParam == 0) {
          ::KillTimer(target_, kRepeatTimerId);
          bars_[currentBar_].pressed = {};
          pressedPart_ = kPartNone;
          ::InvalidateRect(bars_[currentBar_].hwnd, nullptr, FALSE);
        }
        break;
      default:
        break;
    }
    return;
  }
  if (uMsg != WM_PAINT) return;
  // The bars paint themselves completely; the static's own owner-draw
  // painting would only send a WM_DRAWITEM of id 0 to the parent.
  if (hWnd == bars_[kVerticalBar].hwnd || hWnd == bars_[kHorizontalBar].hwnd) {
    const int id = hWnd == bars_[kVerticalBar].hwnd ? kVerticalBar : kHorizontalBar;
    UpdateBar(id);
    PaintBar(id);
    bHandled = true;
  } else if (hWnd == sizer_) {
    PaintSizer();
    bHandled = true;
  }
}

void cCoolScbars::After(LRESULT&, HWND, UINT, WPARAM, LPARAM) {}

void cCoolScbars::FillTrack(HDC dc, const RECT& rc) {
  const COLORREF oldBk = ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
  const COLORREF oldText = ::SetTextColor(dc, ::GetSysColor(COLOR_BTNFACE));
  ::FillRect(dc, &rc, trackBrush_.get());
  ::SetBkColor(dc, oldBk);
  ::SetTextColor(dc, oldText);
}

void cCoolScbars::DrawArrow(HDC dc, const IntRect& r, UINT kind, bool pressed) {
  if (r.Empty()) return;
  // Composed off-screen and copied in one blit, so the arrow never flickers.
  UniqueMemoryDc mem(::CreateCompatibleDC(dc));
  UniqueBitmap bmp(::CreateCompatibleBitmap(dc, r.Width(), r.Height()));
  if (!mem || !bmp) return;
  SelectionGuard select(mem.get(), bmp.get());
  RECT local{0, 0, r.Width(), r.Height()};
  ::DrawFrameControl(mem.get(), &local, DFC_SCROLL, kind | DFCS_FLAT);
  if (pressed) ::InvertRect(mem.get(), &local);
  ::BitBlt(dc, r.left, r.top, r.Width(), r.Height(), mem.get(), 0, 0, SRCCOPY);
}

void cCoolScbars::PaintBar(int id) {
  Bar& bar = bars_[id];
  const BarGeometry& g = bar.geometry;
  PaintDc paint(bar.hwnd);
  HDC dc = paint.get();
  if (!dc) return;
  const bool vertical = id == kVerticalBar;
  const UINT firstKind = vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT;
  const UINT secondKind = vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT;
  const auto& pressed = bar.pressed;

  if (customDraw_) {
    if (!onPaint_) return;
    auto raise = [&](const IntRect& r, int part, bool isPressed) {
      onPaint_(dc, id, r.left, r.top, r.right, r.bottom, part, isPressed);
    };
    raise(g.firstArrow, kPaintFirstArrow, pressed[kPartFirstArrow]);
    raise(g.secondArrow, kPaintSecondArrow, pressed[kPartSecondArrow]);
    if (g.hasTrack) {
      raise(g.trackBefore, kPaintTrackBefore, pressed[kPartTrackBefore]);
      raise(g.trackAfter, kPaintTrackAfter, pressed[kPartTrackAfter]);
      if (g.thumbSize != 0) raise(g.thumb, kPaintThumb, pressed[kPartThumb]);
    }
    if (g.hasFiller) raise(g.filler, kPaintFiller, false);
    return;
  }

  if (enabled_ && g.thumbSize > 0) {
    DrawArrow(dc, g.firstArrow, firstKind, pressed[kPartFirstArrow]);
    DrawArrow(dc, g.secondArrow, secondKind, pressed[kPartSecondArrow]);
    if (g.hasTrack) {
      auto track = [&](const IntRect& r, bool isPressed) {
        RECT rc = ToRect(r);
        if (isPressed) ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        else FillTrack(dc, rc);
      };
      track(g.trackBefore, pressed[kPartTrackBefore]);
      track(g.trackAfter, pressed[kPartTrackAfter]);
      if (g.thumbSize != 0) {
        RECT rc = ToRect(g.thumb);
        if (pressed[kPartThumb]) ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNSHADOW));
        else DrawThumb(dc, rc);
      }
    }
  } else {
    RECT first = ToRect(g.firstArrow);
    RECT second = ToRect(g.secondArrow);
    ::DrawFrameControl(dc, &first, DFC_SCROLL, firstKind | DFCS_INACTIVE | DFCS_FLAT);
    ::DrawFrameControl(dc, &second, DFC_SCROLL, secondKind | DFCS_INACTIVE | DFCS_FLAT);
    if (g.hasTrack) {
      FillTrack(dc, ToRect(g.trackBefore));
      FillTrack(dc, ToRect(g.trackAfter));
      if (g.thumbSize != 0) DrawThumb(dc, ToRect(g.thumb));
    }
  }
  if (g.hasFiller) FillTrack(dc, ToRect(g.filler));
}

void cCoolScbars::PaintSizer() {
  PaintDc paint(sizer_);
  HDC dc = paint.get();
  if (!dc) return;
  if (customDraw_) {
    if (onPaint_)
      onPaint_(dc, kSizerBar, sizerRect_.left, sizerRect_.top, sizerRect_.right, sizerRect_.bottom, kPaintSizer,
               false);
    return;
  }
  RECT rc = sizerRect_;
  if (rightSide_ && grip_) ::DrawFrameControl(dc, &rc, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  else ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace foundation
