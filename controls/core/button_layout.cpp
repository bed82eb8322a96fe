#include "controls/core/button_layout.h"

namespace controls {

using foundation::IntRect;

namespace {

IntRect Sized(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

}  // namespace

ButtonLayout ComputeButtonLayout(const ButtonLayoutInput& in) {
  ButtonLayout out;
  out.full = {0, 0, in.width - 1, in.height - 1};
  out.content = {4, 4, out.full.right - 3, out.full.bottom - 3};
  out.picture = in.previousPicture;
  const IntRect& c = out.content;
  // Integer division truncates toward zero, also for a content area smaller
  // than what it centres.
  const int cw = c.Width(), ch = c.Height();
  const int tw = in.captionWidth, th = in.captionHeight;
  const int pw = in.pictureWidth, ph = in.pictureHeight;
  const IntRect centredCaption = Sized(c.left + (cw - tw) / 2, c.top + (ch - th) / 2, tw, th);
  if (!in.hasPicture) {
    out.caption = centredCaption;
    return out;
  }
  if (!in.hasCaption) {
    out.picture = Sized(c.left + (cw - pw) / 2, c.top + (ch - ph) / 2, pw, ph);
    out.caption = centredCaption;
    return out;
  }
  out.caption = centredCaption;
  constexpr int gap = kPictureCaptionGap;
  switch (in.picturePosition) {
    case 0:
      out.picture = Sized(c.left + (cw - pw) / 2, c.top + (ch - (th + ph + gap)) / 2, pw, ph);
      out.caption = Sized(c.left + (cw - tw) / 2, out.picture.bottom + gap, tw, th);
      break;
    case 1:
      if (in.pictureLeftAtEdge) {
        out.picture = Sized(2, c.top + (ch - ph) / 2, pw, ph);
      } else {
        out.picture = Sized(c.left + (cw - (tw + pw + gap)) / 2, c.top + (ch - ph) / 2, pw, ph);
      }
      out.caption = Sized(out.picture.right + gap, c.top + (ch - th) / 2, tw, th);
      break;
    case 2:
      out.caption = Sized(c.left + (cw - (pw + gap + tw)) / 2, c.top + (ch - th) / 2, tw, th);
      out.picture = Sized(out.caption.right + gap, c.top + (ch - ph) / 2, pw, ph);
      break;
    case 3:
      out.caption = Sized(c.left + (cw - tw) / 2, c.top + (ch - (th + ph + gap)) / 2, tw, th);
      out.picture = Sized(c.left + (cw - pw) / 2, out.caption.bottom + gap, pw, ph);
      break;
    default:
      break;  // the picture stays where it was, the caption centred
  }
  return out;
}

}  // namespace controls
