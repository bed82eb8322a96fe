#include "editor/category_strip.h"

#include "editor/core/control_ids.h"
#include "editor/core/editor_geometry.h"
#include "editor/editor_art.h"
#include "foundation/ole_color.h"

namespace editor {
namespace {

// Box2: the window colour inside a brown-grey line.
constexpr uint32_t kBoxLineColor = 0xB99D7Fu;
constexpr int kScrollBarWidth = 17;

}  // namespace

bool CategoryStrip::Create(HWND parent, int x, int y, int width, int height) {
  width_ = width - 2;
  controls::PropertyBag boxBag;
  boxBag.Write(L"BackColor", controls::ColorToLong(foundation::kOleWindowColor));
  boxBag.Write(L"LineColor", controls::ColorToLong(kBoxLineColor));
  if (!box_.Create(parent, kIdStripBox, x, y, width, height, &boxBag)) return false;
  controls::PropertyBag stripBag;
  stripBag.Write(L"BackColor", controls::ColorToLong(foundation::kOleWindowColor));
  stripBag.Write(L"LineColor", controls::ColorToLong(foundation::kOleWindowColor));
  if (!strip_.Create(box_.hwnd(), kIdStrip, 1, 0, width_, TwipsToPixels(StripHeight(1)), &stripBag)) return false;
  if (!scroll_.Create(parent, kIdStripScroll, x + width, y, kScrollBarWidth, height)) return false;
  scroll_.Change = scroll_.Scroll = [this] { PlaceStrip(); };
  buttons_.push_back(MakeButton(0, L""));
  count_ = 1;
  return buttons_.back() != nullptr;
}

std::unique_ptr<controls::Command> CategoryStrip::MakeButton(int index, const std::wstring& caption) {
  const int height = TwipsToPixels(kStripButtonHeightTwips);
  controls::PropertyBag bag;
  bag.Write(L"Enabled", true);
  bag.Write(L"Caption", caption);
  bag.Write(L"Picture", CategoryButtonStrip(width_, height));
  bag.Write(L"Status", false);
  bag.Write(L"Check", true);
  auto button = std::make_unique<controls::Command>();
  if (!button->Create(strip_.hwnd(), kIdFirstCategory + index, 0, TwipsToPixels(StripButtonTop(index)), width_, height,
                      &bag))
    return nullptr;
  // The caption is drawn by the button; the window text carries it for
  // screen readers and other programs.
  ::SetWindowTextW(button->hwnd(), caption.c_str());
  button->Click = [this, index] {
    if (ButtonClick) ButtonClick(index);
  };
  return button;
}

void CategoryStrip::Rebuild(const std::vector<std::wstring>& names) {
  buttons_.resize(1);
  controls::Command& first = *buttons_[0];
  const std::wstring firstName = names.empty() ? std::wstring() : names[0];
  first.SetCaption(firstName);
  ::SetWindowTextW(first.hwnd(), firstName.c_str());
  ::ShowWindow(first.hwnd(), names.empty() ? SW_HIDE : SW_SHOWNA);
  for (size_t i = 1; i < names.size(); ++i) {
    std::unique_ptr<controls::Command> button = MakeButton(static_cast<int>(i), names[i]);
    if (!button) break;
    button->SetStatus(false);
    buttons_.push_back(std::move(button));
  }
  count_ = names.empty() ? 0 : static_cast<int>(buttons_.size());

  const int stripTwips = StripHeight(count_);
  RECT box{};
  ::GetClientRect(box_.hwnd(), &box);
  const StripScroll s = ComputeStripScroll(stripTwips, box.bottom * kTwipsPerPixel);
  ::SetWindowPos(strip_.hwnd(), nullptr, 0, 0, width_, TwipsToPixels(stripTwips),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (s.enabled) {
    scroll_.SetEnabled(true);
    scroll_.SetMax(s.max);
  } else {
    scroll_.SetValue(0);
    scroll_.SetEnabled(false);
  }
  PlaceStrip();
}

void CategoryStrip::PlaceStrip() {
  ::SetWindowPos(strip_.hwnd(), nullptr, 1, -TwipsToPixels(scroll_.GetValue()), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CategoryStrip::Select(int index) {
  for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetStatus(static_cast<int>(i) == index);
}

std::wstring CategoryStrip::Caption(int index) const {
  if (index < 0 || index >= count_) return {};
  return buttons_[static_cast<size_t>(index)]->GetCaption();
}

}  // namespace editor
