#include "anigif/frame_set.h"

#include <algorithm>

namespace anigif {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// Mono bitmaps blitted onto colour take 0 bits as the text colour and 1 bits
// as the background colour; keep those black and white while they are drawn.
class MonoColours {
 public:
  explicit MonoColours(HDC dc) : dc_(dc), text_(::SetTextColor(dc, RGB(0, 0, 0))), bk_(::SetBkColor(dc, RGB(255, 255, 255))) {}
  ~MonoColours() {
    ::SetTextColor(dc_, text_);
    ::SetBkColor(dc_, bk_);
  }

 private:
  HDC dc_;
  COLORREF text_;
  COLORREF bk_;
};

}  // namespace

bool FrameSet::Prepare(bool designMode) {
  const CanvasPlan cp = PlanCanvas(gif, designMode);
  if (cp.canvas && !canvas_.CreateCanvas(gif.CanvasWidth, gif.CanvasHeight, cp.mask)) return false;
  if (!PlanStrip(gif, designMode || gif.FrameCount() == 1, plan_)) return false;
  if (!strip_.CreateStrip(plan_.width, plan_.height)) return false;
  // Every planned frame gets its strip column now, so that nothing drawn or
  // mirrored before the deferred build reaches outside its own place.
  for (std::size_t i = 0; i < plan_.startColumn.size(); ++i) gif.Frames[i].DataStart = plan_.startColumn[i];
  if (cp.scratchTable) scratch_.assign(256, 0);
  activeTable = -1;
  return true;
}

void FrameSet::Build(const uint8_t* file, std::size_t size, int first, int last) {
  ::GdiFlush();
  BuildStripFrames(file, size, gif, plan_, strip_.Indexes(), first, last, decoder_);
}

void FrameSet::Release() noexcept {
  canvas_.Release();
  strip_.Release();
  scratch_.clear();
  saved_ = SavedRows{};
  plan_ = StripPlan{};
  activeTable = -1;
}

void FrameSet::SwapTable(const ColorTable& t) { strip_.SetColorTable(t.data()); }

void FrameSet::SwapScratch(int transIndex) {
  if (scratch_.size() != 256) scratch_.assign(256, 0);
  if (transIndex >= 0) scratch_[static_cast<std::size_t>(transIndex)] = kWhite;
  strip_.SetColorTable(scratch_.data());
  if (transIndex >= 0) scratch_[static_cast<std::size_t>(transIndex)] = 0;
}

bool FrameSet::PaintFrame(int32_t i, HDC dc, const PaintParams& p) {
  if (i < 1 || i > gif.FrameCount() || !strip_.valid()) return false;
  const GifFrameInfo& f = gif.Frames[static_cast<std::size_t>(i - 1)];
  const bool scaled = p.scaleX != 1.0f || p.scaleY != 1.0f;
  if (!canvas_.valid()) {
    const Rect r{RoundHalfEven((f.Left + p.offsetX) * static_cast<double>(p.scaleX)),
                 RoundHalfEven((f.Top + p.offsetY) * static_cast<double>(p.scaleY)),
                 RoundHalfEven(f.Width * static_cast<double>(p.scaleX)),
                 RoundHalfEven(f.Height * static_cast<double>(p.scaleY))};
    BlitFrame(i, dc, scaled, r, p);
    return true;
  }
  ComposeFrame(i, false);
  BlitFrame(i, canvas_.dc(), false, Rect{f.Left, f.Top, f.Width, f.Height}, p);
  BlitFrame(-i, dc, scaled, Rect{p.offsetX, p.offsetY, p.targetWidth, p.targetHeight}, p);
  if (f.Disposal == 2 || f.Disposal == 3) ComposeFrame(i, true);
  return true;
}

void FrameSet::BlitFrame(int32_t i, HDC dc, bool scaled, const Rect& r, const PaintParams& p) {
  if (r.w < 1 || r.h < 1) return;
  const GifFrameInfo& f = gif.Frames[static_cast<std::size_t>((i < 0 ? -i : i) - 1)];
  int oldMode = 0;
  POINT oldOrigin{};
  if (scaled) {
    oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  }
  if (p.solidFill && dc != canvas_.dc()) {
    const RECT fill{0, 0, RoundHalfEven(gif.CanvasWidth * static_cast<double>(p.scaleX)),
                    RoundHalfEven(gif.CanvasHeight * static_cast<double>(p.scaleY))};
    foundation::UniqueBrush brush(::CreateSolidBrush(p.solidColour));
    ::FillRect(dc, &fill, brush.get());
  }
  auto draw = [&](HDC src, int32_t sx, int32_t sw, int32_t sh, DWORD rop) {
    if (scaled) {
      ::StretchBlt(dc, r.x, r.y, r.w, r.h, src, sx, 0, sw, sh, rop);
    } else {
      ::BitBlt(dc, r.x, r.y, r.w, r.h, src, sx, 0, rop);
    }
  };
  if (i < 0) {
    if (canvas_.mask()) {
      MonoColours mono(dc);
      canvas_.SelectMask();
      draw(canvas_.dc(), 0, gif.CanvasWidth, gif.CanvasHeight, SRCAND);
      canvas_.SelectColour();
      draw(canvas_.dc(), 0, gif.CanvasWidth, gif.CanvasHeight, SRCPAINT);
    } else {
      draw(canvas_.dc(), 0, gif.CanvasWidth, gif.CanvasHeight, SRCCOPY);
    }
  } else {
    const ColorTable& table = gif.Colors.Tables[static_cast<std::size_t>(f.ColorTableIndex)];
    if (f.HasTransparency) {
      SwapScratch(f.TransIndex);
      draw(strip_.dc(), f.DataStart, f.Width, f.Height, SRCAND);
      ColorTable t = table;
      t[f.TransIndex] = 0;
      SwapTable(t);
      activeTable = -1;
      draw(strip_.dc(), f.DataStart, f.Width, f.Height, SRCPAINT);
    } else {
      if (activeTable != f.ColorTableIndex) {
        SwapTable(table);
        activeTable = f.ColorTableIndex;
      }
      draw(strip_.dc(), f.DataStart, f.Width, f.Height, SRCCOPY);
    }
  }
  if (scaled) {
    ::SetStretchBltMode(dc, oldMode);
    ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  }
}

void FrameSet::ComposeFrame(int32_t i, bool afterDisplay) {
  const GifFrameInfo& f = gif.Frames[static_cast<std::size_t>(i - 1)];
  if (afterDisplay) {
    if (f.Disposal == 2) {
      const RECT r{f.Left, f.Top, f.Left + f.Width, f.Top + f.Height};
      ::FillRect(canvas_.dc(), &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
      if (canvas_.mask()) {
        canvas_.SelectMask();
        ::FillRect(canvas_.dc(), &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        canvas_.SelectColour();
      }
    } else if (f.Disposal == 3) {
      ::GdiFlush();
      RestoreRows(canvas_.Colour(), canvas_.MaskBits(), f.Left, f.Top, f.Width, f.Height, saved_);
    }
    return;
  }
  if (i == 1 || f.Disposal == 3) ::GdiFlush();
  if (i == 1) ClearCanvas(canvas_.Colour(), canvas_.MaskBits());
  if (f.Disposal == 3) SaveRows(canvas_.Colour(), canvas_.MaskBits(), f.Left, f.Top, f.Width, f.Height, saved_);
  if (canvas_.mask()) {
    canvas_.SelectMask();
    if (f.HasTransparency) {
      SwapScratch(f.TransIndex);
      ::BitBlt(canvas_.dc(), f.Left, f.Top, f.Width, f.Height, strip_.dc(), f.DataStart, 0, SRCAND);
    } else {
      SwapScratch(-1);
      ::BitBlt(canvas_.dc(), f.Left, f.Top, f.Width, f.Height, strip_.dc(), f.DataStart, 0, SRCCOPY);
    }
    canvas_.SelectColour();
    activeTable = -1;
  }
}

int32_t FrameSet::Mirror(int32_t oldValue, int32_t mirrored, bool onlyFirst, bool canvasToo) {
  ::GdiFlush();
  const int32_t change = (oldValue ^ (mirrored & ~kMirrorFirstDone)) & 3;
  const int32_t result = MirrorStripFrames(gif, strip_.Indexes(), oldValue, mirrored, onlyFirst);
  if (canvasToo && canvas_.valid() && change) {
    const BitsSurface c = canvas_.Colour();
    FlipPixels(c.top, c.stride, 24, c.width, c.height, change);
    const BitsSurface m = canvas_.MaskBits();
    if (m.top) FlipPixels(m.top, m.stride, 1, m.width, m.height, change);
  }
  return result;
}

}  // namespace anigif
