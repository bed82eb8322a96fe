#include "panel/hover_preview.h"

#include "foundation/picture_fitting.h"
#include "panel/core/page_math.h"

namespace panel {
namespace {

// Design geometry in twips: the box at (30, 30), 1335 x 1330; the still
// picture 1245 x 1245 (83 x 83 pixels), centred in the box.
constexpr int kBoxTopTwips = 30;
constexpr int kBoxWidthTwips = 1335, kBoxHeightTwips = 1330;
constexpr int kStillTwips = 1245;
constexpr uint32_t kOleWindowColor = 0x80000005u;  // the system window colour

}  // namespace

bool HoverPreview::Create(HWND frame) {
  frame_ = frame;
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  if (!box_.Create(frame, TwipsToPixels(leftTwips_), TwipsToPixels(kBoxTopTwips), TwipsToPixels(kBoxWidthTwips),
                   TwipsToPixels(kBoxHeightTwips), window, false, true))
    return false;
  box_.MouseMove = [this] { Jump(); };

  GridLook look;
  look.cellWidth = look.cellHeight = TwipsToPixels(kStillTwips);
  look.cellBackground = window;
  look.className = L"TarnwickPreviewStill";
  const int stillLeft = TwipsToPixels((kBoxWidthTwips - kStillTwips - 30) / 2);
  const int stillTop = TwipsToPixels((kBoxHeightTwips - kStillTwips - 30) / 2);
  if (!still_.Create(box_.hwnd(), stillLeft, stillTop, look.cellWidth, look.cellHeight, window, look)) return false;
  still_.SetCells({POINT{0, 0}}, look.cellHeight);
  still_.CellMouseMove = [this](int) { Jump(); };

  controls::AmbientProperties ambient;
  ambient.backColor = kOleWindowColor;
  if (!gif_.Create(box_.hwnd(), kIdPreviewGif, 0, 0, 1, 1, nullptr, ambient)) return false;
  ::ShowWindow(gif_.hwnd(), SW_HIDE);
  gif_.MouseMove = [this](int16_t&, int16_t&, float&, float&) { Jump(); };
  // Above the grid's viewport, which clips itself around it.
  ::SetWindowPos(box_.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

void HoverPreview::Refresh() { gif_.Refresh(); }

void HoverPreview::Hide() { box_.Show(false); }

void HoverPreview::ShowCell(int cell, const std::wstring& path) {
  const PreviewStep step = tracker_.Enter(cell, path);
  if (!step.showBox) {
    box_.Show(false);
  } else if (!::IsWindowVisible(box_.hwnd())) {
    box_.Show(true);
  }
  // Moving within one cell decodes its picture once, when the pointer enters.
  if (step.load == PreviewLoad::kAnimated) ShowAnimated(path);
  if (step.load == PreviewLoad::kStill) ShowStill(path);
}

void HoverPreview::ShowAnimated(const std::wstring& path) {
  gif_.LoadAnimatedGIF_File(L"");  // stops and empties the last animation before it shows
  still_.Show(false);
  ::ShowWindow(gif_.hwnd(), SW_SHOWNA);
  RECT inner;
  ::GetClientRect(box_.hwnd(), &inner);
  int32_t w = inner.right * kTwipsPerPixel, h = inner.bottom * kTwipsPerPixel;
  // A file that is no picture keeps the control where it was; the load below then shows nothing.
  if (const auto place = foundation::FitPreviewImage(path, w, h)) {
    gif_.Move(TwipsToPixels(place->Left), TwipsToPixels(place->Top), TwipsToPixels(place->Width),
              TwipsToPixels(place->Height));
  }
  gif_.LoadAnimatedGIF_File(path);
}

void HoverPreview::ShowStill(const std::wstring& path) {
  still_.Show(true);
  ::ShowWindow(gif_.hwnd(), SW_HIDE);
  still_.ClearCell(0);
  if (!path.empty()) still_.DrawFitted(0, path);
}

void HoverPreview::Jump() {
  RECT frame, inner;
  ::GetWindowRect(frame_, &frame);
  ::GetClientRect(box_.hwnd(), &inner);
  const int next = JumpedPreviewLeft(leftTwips_, frame.right - frame.left, inner.right * kTwipsPerPixel);
  if (next == leftTwips_) return;
  leftTwips_ = next;
  box_.Move(TwipsToPixels(leftTwips_), TwipsToPixels(kBoxTopTwips), TwipsToPixels(kBoxWidthTwips),
            TwipsToPixels(kBoxHeightTwips));
}

}  // namespace panel
