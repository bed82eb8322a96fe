// GIF LZW decoding straight into palette indexes. Frames are written into an
// index surface (the strip) at a given column; pixels the data never reaches
// keep what the surface held.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "anigif/core/gif_stream.h"

namespace anigif {

// 8-bit rows addressed top-down whatever the memory order: a bottom-up DIB
// passes its last row as `top` and a negative stride.
struct IndexSurface {
  uint8_t* top = nullptr;
  std::ptrdiff_t stride = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint8_t* Row(int32_t y) const { return top + stride * y; }
};

enum class DecodeResult {
  Complete,      // every pixel of the frame was decoded
  Partial,       // the data ended early or held a bad code; the rest is untouched
  BadCodeSize,   // minimum code size outside 1..8: nothing decoded
  Malformed,     // the span is not an image descriptor
  Empty,         // zero-sized frame: nothing to do
};

class LzwDecoder {
 public:
  // Decodes the image whose span starts at span.Start in file (0x2C separator)
  // into surface columns column..column+Width-1, rows 0..Height-1, clipped to
  // the surface.
  DecodeResult DecodeFrame(const uint8_t* file, std::size_t fileSize, const FrameSpan& span,
                           const GifFrameInfo& frame, const IndexSurface& surface, int32_t column);

  // Decodes a bare LZW stream (already joined from its sub-blocks) of at most
  // `count` pixels; returns how many were produced, readable at pixels().
  std::size_t DecodeStream(const uint8_t* codes, std::size_t codeBytes, int minCodeSize, std::size_t count);
  const uint8_t* pixels() const { return pixels_.data(); }

 private:
  std::vector<uint8_t> joined_;
  std::vector<uint8_t> pixels_;
  uint32_t offset_[4096];
  uint32_t length_[4096];
};

// Row order of a four-pass interlaced image: order[k] is the picture row of
// the k-th stored row.
void InterlacedRowOrder(int32_t height, std::vector<int32_t>& order);

}  // namespace anigif
