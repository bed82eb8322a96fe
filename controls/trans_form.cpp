#include "controls/trans_form.h"

#include <vector>

#include "controls/back_surface.h"
#include "controls/core/mask_region.h"
#include "foundation/handles.h"
#include "foundation/message_box.h"
#include "foundation/top_down_dib.h"

namespace controls {

const wchar_t kMultipleTransFormText[] =
    L"Only one TransForm control is allowed or needed on a single form.\r\n\r\n"
    L"All TransForm functionality will be disabled for this form.";

namespace {

constexpr int32_t kDefaultAutoDrag = 2;
constexpr uint32_t kDefaultMask = 0xC0C0C0u;

struct OtherTransForms {
  TransForm* self;
  std::vector<TransForm*> found;
};

BOOL CALLBACK CollectTransForms(HWND child, LPARAM param) {
  auto* s = reinterpret_cast<OtherTransForms*>(param);
  auto* control = dynamic_cast<TransForm*>(foundation::WindowBase::FromHandle(child));
  if (control && control != s->self) s->found.push_back(control);
  return TRUE;
}

// The region of the picture's pixels that do not have the mask colour, in the
// picture's own coordinates; null when no pixel is left.
foundation::UniqueRegion PictureRegion(const Picture& picture, COLORREF mask) {
  const int w = picture.width(), h = picture.height();
  if (!picture.bitmap() || w <= 0 || h <= 0) return {};
  BITMAPINFO bi = foundation::TopDown32BitmapInfo(w, h);
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (!dc || ::GetDIBits(dc.get(), picture.bitmap(), 0, static_cast<UINT>(h), pixels.data(), &bi, DIB_RGB_COLORS) != h) {
    return {};
  }
  const std::vector<foundation::IntRect> runs = OpaqueRuns(pixels.data(), w, h, mask);
  if (runs.empty()) return {};
  std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(runs.size());
  header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  header->rcBound = {0, 0, w, h};
  auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < runs.size(); ++i) rects[i] = {runs[i].left, runs[i].top, runs[i].right, runs[i].bottom};
  return foundation::UniqueRegion(
      ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

TransForm::~TransForm() { formLink_.Unsubclass(); }

void TransForm::InitProperties() {
  autoDrag_ = kDefaultAutoDrag;
  transparent_ = true;
  maskColor_ = kDefaultMask;
  BindToForm();
}

void TransForm::ReadProperties(const PropertyBag& bag) {
  autoDrag_ = bag.ReadLong(L"AutoDrag", kDefaultAutoDrag);
  transparent_ = bag.ReadBool(L"Transparent", true);
  maskColor_ = bag.ReadColor(L"MaskColor", kDefaultMask);
  BindToForm();
}

void TransForm::WriteProperties(PropertyBag& bag) const {
  bag.Write(L"AutoDrag", autoDrag_, kDefaultAutoDrag);
  bag.Write(L"Transparent", transparent_, true);
  bag.Write(L"MaskColor", ColorToLong(maskColor_), ColorToLong(kDefaultMask));
}

void TransForm::BindToForm() {
  // Nothing of it is seen: it only works on its form.
  ::ShowWindow(hwnd(), SW_HIDE);
  form_ = ::GetAncestor(hwnd(), GA_ROOT);
  if (!form_) return;
  formLink_.AddAfterMsgs({WM_ACTIVATE, WM_LBUTTONDOWN});
  formLink_.Subclass(form_, this);
  OtherTransForms others{this, {}};
  ::EnumChildWindows(form_, CollectTransForms, reinterpret_cast<LPARAM>(&others));
  if (!others.found.empty()) {
    DisableForSecondInstance();
    for (TransForm* other : others.found) {
      if (!other->disabled_) other->DisableForSecondInstance();
    }
  }
  ApplyTransparency();
}

void TransForm::DisableForSecondInstance() {
  foundation::ShowMessage(form_, kMultipleTransFormText, kMultipleTransFormTitle, MB_ICONEXCLAMATION | MB_OK);
  disabled_ = true;
  ApplyTransparency();  // the form goes back to its plain rectangle
}

void TransForm::SetAutoDrag(int32_t mode) {
  autoDrag_ = mode;
  MarkChanged(L"AutoDrag");
}

void TransForm::SetTransparent(bool transparent) {
  transparent_ = transparent;
  ApplyTransparency();
  MarkChanged(L"Transparent");
}

void TransForm::SetMaskColor(uint32_t color) {
  maskColor_ = color;
  MarkChanged(L"MaskColor");
}

void TransForm::Refresh() { ApplyTransparency(); }

void TransForm::ApplyTransparency() {
  if (!form_) return;
  const PictureRef& picture = ambient().picture;
  if (!disabled_ && transparent_ && picture && picture->bitmap()) {
    foundation::UniqueRegion region = PictureRegion(*picture, maskColor_);
    if (region) {
      Resize(picture->width(), picture->height());
      // The form's client area takes the picture's size exactly.
      RECT window{}, client{};
      ::GetWindowRect(form_, &window);
      ::GetClientRect(form_, &client);
      const int width = (window.right - window.left) - client.right + picture->width();
      const int height = (window.bottom - window.top) - client.bottom + picture->height();
      ::SetWindowPos(form_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      // The region is in window coordinates: move it to the client origin.
      ::GetWindowRect(form_, &window);
      POINT origin{0, 0};
      ::ClientToScreen(form_, &origin);
      ::OffsetRgn(region.get(), origin.x - window.left, origin.y - window.top);
      if (::SetWindowRgn(form_, region.get(), TRUE)) region.release();  // the system owns it now
      return;
    }
  }
  ::SetWindowRgn(form_, nullptr, TRUE);
}

void TransForm::After(LRESULT&, HWND, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
    ApplyTransparency();
  } else if (uMsg == WM_LBUTTONDOWN) {
    DragForm(static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
  }
}

void TransForm::DragForm(int x, int y) {
  if (disabled_ || !(autoDrag_ == 1 || (autoDrag_ == 2 && transparent_))) return;
  HWND form = form_;
  ::ReleaseCapture();
  // The system's move loop runs until the button is let go.
  ::SendMessageW(form, WM_NCLBUTTONDOWN, HTCAPTION, 0);
  if (!::IsWindow(form)) return;
  // The form sees its button come up, as it would without the move loop. It
  // takes no capture for that: nothing would release it, so every later
  // click, on any of its controls, would reach the form and start a drag.
  ::PostMessageW(form, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

void TransForm::PopupSysMenu(UINT flags, std::optional<int> x, std::optional<int> y) {
  if (disabled_ || !form_) return;
  POINT pt{};
  if (x || y) {
    pt = {x.value_or(0), y.value_or(0)};
    ::ClientToScreen(form_, &pt);
  } else {
    ::GetCursorPos(&pt);
  }
  HMENU menu = ::GetSystemMenu(form_, FALSE);
  if (!menu) return;
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(menu, flags | TPM_RETURNCMD, pt.x, pt.y, 0, form_, nullptr));
  if (command != 0) ::PostMessageW(form_, WM_SYSCOMMAND, command, reinterpret_cast<LPARAM>(menu));
}

}  // namespace controls
