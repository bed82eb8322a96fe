// Writes one frame's palette indexes as a complete single-image GIF89a file
// with a 256-entry global table (the frame's table, black past its count).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "anigif/core/gif_stream.h"

namespace anigif {

// rowTop: the frame's top row; stride: distance to the row below (negative
// for a bottom-up strip). transparent < 0: no graphic control extension.
// A frame without area gives an empty result.
std::vector<uint8_t> EncodeFrameGif(const uint8_t* rowTop, std::ptrdiff_t stride, int32_t width, int32_t height,
                                    const ColorTable& table, int transparent);

// The LZW data of width x height indexes at 8 bits, in sub-blocks, followed by
// the block terminator; appended to out.
void AppendLzwData(const uint8_t* rowTop, std::ptrdiff_t stride, int32_t width, int32_t height,
                   std::vector<uint8_t>& out);

// True for an empty path or one whose every UTF-16 unit is below 256.
bool IsAnsiString(const wchar_t* path);

}  // namespace anigif
