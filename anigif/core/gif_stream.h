// The GIF stream parser and its frame table. Platform-free: works on a byte
// span that may come from any source, so every read is bounds-checked and the
// caps below stop hostile files before they cost memory.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace anigif {

// Beyond these a load fails with no frames.
inline constexpr int kMaxFrames = 4096;
inline constexpr int kMaxCanvasSide = 8192;
inline constexpr std::size_t kMaxBitmapBytes = 64u << 20;  // strip, and the 24-bit canvas
inline constexpr std::size_t kMaxFileBytes = 32u << 20;

struct GifFrameInfo {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Delay = 0;            // milliseconds
  int32_t ColorTableIndex = 0;  // 0 global, k the k-th local table
  int32_t DataStart = 0;        // file offset of the control block (or the image); the strip column once built
  uint8_t TransIndex = 0;
  uint8_t HasTransparency = 0;
  uint8_t Disposal = 0;
};

// Offsets are 0-based into the file; Start is the image separator (0x2C).
struct FrameSpan {
  int32_t Length = 0;
  int32_t Start = 0;
};

// Entries 0..255 are R*65536 + G*256 + B (DIB colour-table order); entry 256
// is the table's entry count. Entries past the count are always 0.
using ColorTable = std::array<uint32_t, 257>;

struct ColorTableSet {
  int32_t ActiveTable = 0;
  std::vector<ColorTable> Tables;  // index 0 is the global table (all zero when the file has none)
};

struct GifStream {
  std::vector<GifFrameInfo> Frames;
  std::vector<FrameSpan> Spans;
  ColorTableSet Colors;
  int32_t CanvasWidth = 0;
  int32_t CanvasHeight = 0;
  int32_t Loops = 0;  // 0 = endless or absent
  bool HasGlobalTable = false;

  int FrameCount() const { return static_cast<int>(Frames.size()); }
  // A frame read with its own graphic control extension.
  bool HasControlBlock(int i) const { return Frames[i].DataStart != Spans[i].Start; }
};

// Parses a whole GIF file. Returns the number of frames kept (also
// out.Frames.size()); 0 means the load fails, and out then holds no frames.
// Beyond the stream's own rules the caps above apply, and a canvas of zero
// area fails.
int ParseGifStream(const uint8_t* data, std::size_t size, GifStream& out);

// DWORD-aligned row size of a DIB.
inline int32_t ScanlineBytes(int bitsPerPixel, int32_t width) {
  return static_cast<int32_t>(((static_cast<int64_t>(bitsPerPixel) * width + 31) & ~int64_t{31}) / 8);
}

}  // namespace anigif
