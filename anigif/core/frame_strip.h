// The strip model: every frame's palette indexes side by side in one 8-bit
// surface, and the decisions about the composition canvas and its mask.
#pragma once
#include <cstdint>
#include <vector>

#include "anigif/core/gif_stream.h"
#include "anigif/core/lzw_decoder.h"

namespace anigif {

struct StripPlan {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<int32_t> startColumn;  // per frame (only the first when the strip holds frame 1 alone)
};

// Sizes the strip: all frames side by side, or frame 1 alone. False when the
// strip would be empty of area or pass the bitmap cap.
bool PlanStrip(const GifStream& gif, bool firstFrameOnly, StripPlan& plan);

struct CanvasPlan {
  bool canvas = false;      // frames are composed in a 24-bit canvas first
  bool mask = false;        // the canvas carries a 1-bit coverage mask
  bool scratchTable = false;
};

// designMode or a single frame: frames are drawn straight from the strip.
CanvasPlan PlanCanvas(const GifStream& gif, bool designMode);

// Decodes frames [first, last) into the strip at their planned columns and
// stores each frame's start column in its DataStart. Zero-sized frames are
// skipped; a frame whose data is bad keeps what the strip held.
void BuildStripFrames(const uint8_t* file, std::size_t fileSize, GifStream& gif, const StripPlan& plan,
                      const IndexSurface& strip, int first, int last, LzwDecoder& decoder);

}  // namespace anigif
