// Everything one load builds for drawing: the frame table, the 8-bit strip of
// palette indexes, the composition canvas with its mask, and the painting of
// a frame onto a device context through colour-table swaps and blits.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "anigif/core/frame_strip.h"
#include "anigif/core/gif_stream.h"
#include "anigif/core/layout.h"
#include "anigif/frame_dib.h"

namespace anigif {

struct PaintParams {
  int32_t offsetX = 0;
  int32_t offsetY = 0;
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  bool solidFill = false;
  COLORREF solidColour = 0;  // RGB
  int32_t targetWidth = 0;   // the control's client size: where the canvas goes
  int32_t targetHeight = 0;
};

class FrameSet {
 public:
  GifStream gif;

  // Plans and makes the strip and, when the frames need one, the canvas.
  // stripFirstOnly: the strip holds frame 1 alone (design time, one frame).
  bool Prepare(bool designMode);
  // Decodes frames [first, last) (0-based) from the file into the strip.
  void Build(const uint8_t* file, std::size_t size, int first, int last);
  void Release() noexcept;

  bool HasCanvas() const { return canvas_.valid(); }
  bool HasMask() const { return canvas_.mask() != nullptr; }
  const StripPlan& plan() const { return plan_; }
  const FrameDib& strip() const { return strip_; }
  const FrameDib& canvas() const { return canvas_; }

  // Draws frame i (1-based) on dc. False for frame 0.
  bool PaintFrame(int32_t i, HDC dc, const PaintParams& p);

  // Flips the built frames from oldValue to mirrored (see MirrorStripFrames);
  // the canvas too when asked. Returns the new mirrored value.
  int32_t Mirror(int32_t oldValue, int32_t mirrored, bool onlyFirst, bool canvasToo);

  // The number of the colour table in the strip (-1: none known).
  int32_t activeTable = -1;

 private:
  struct Rect {
    int32_t x, y, w, h;
  };
  void BlitFrame(int32_t i, HDC dc, bool scaled, const Rect& r, const PaintParams& p);
  void ComposeFrame(int32_t i, bool afterDisplay);
  void SwapTable(const ColorTable& t);
  void SwapScratch(int transIndex);

  StripPlan plan_;
  FrameDib strip_;
  FrameDib canvas_;
  std::vector<uint32_t> scratch_;  // 256 entries, all black: the mask's colour table
  SavedRows saved_;
  LzwDecoder decoder_;
};

}  // namespace anigif
