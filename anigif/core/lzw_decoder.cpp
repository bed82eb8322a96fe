#include "anigif/core/lzw_decoder.h"

#include <algorithm>
#include <cstring>

namespace anigif {

void InterlacedRowOrder(int32_t height, std::vector<int32_t>& order) {
  order.clear();
  order.reserve(height > 0 ? height : 0);
  static constexpr int kStart[4] = {0, 4, 2, 1};
  static constexpr int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int32_t y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
}

// Every dictionary string already lies in the output: a new entry is the
// previous code's string plus the first pixel written after it, which is
// exactly the run output[prevStart .. prevStart + prevLength]. Emitting a code
// is then a copy from earlier output instead of a walk down a prefix chain.
// The output buffer keeps kSlack spare bytes so copies may run in 8-byte steps.
namespace {
constexpr std::size_t kSlack = 16;
constexpr uint32_t kNoCode = 0xFFFFFFFF;
}  // namespace

std::size_t LzwDecoder::DecodeStream(const uint8_t* codes, std::size_t codeBytes, int minCodeSize,
                                     std::size_t count) {
  if (minCodeSize < 1 || minCodeSize > 8 || count == 0) return 0;
  if (pixels_.size() < count + kSlack) pixels_.resize(count + kSlack);
  uint8_t* const out = pixels_.data();
  const uint32_t clearCode = 1u << minCodeSize;
  const uint32_t endCode = clearCode + 1;
  int width = minCodeSize + 1;
  uint32_t mask = (1u << width) - 1;
  uint32_t nextFree = endCode + 1;
  uint32_t prev = kNoCode;  // none since the last clear
  std::size_t prevStart = 0;
  std::size_t prevLength = 0;
  std::size_t pos = 0;
  uint64_t acc = 0;
  int held = 0;
  std::size_t in = 0;

  while (pos < count) {
    if (held < width) {
      if (in + 8 <= codeBytes) {
        uint64_t v;
        std::memcpy(&v, codes + in, 8);
        const int take = (64 - held) >> 3;  // whole bytes that fit beside what is held
        if (take < 8) v &= (uint64_t{1} << (take * 8)) - 1;
        acc |= v << held;
        in += take;
        held += take * 8;
      } else {
        while (held < width && in < codeBytes) {
          acc |= uint64_t{codes[in++]} << held;
          held += 8;
        }
        if (held < width) break;  // the data ended early
      }
    }
    const uint32_t code = static_cast<uint32_t>(acc) & mask;
    acc >>= width;
    held -= width;

    if (code == clearCode) {
      width = minCodeSize + 1;
      mask = (1u << width) - 1;
      nextFree = endCode + 1;
      prev = kNoCode;
      continue;
    }
    if (code == endCode) break;

    const std::size_t start = pos;
    std::size_t length;
    if (code < clearCode) {
      out[pos++] = static_cast<uint8_t>(code);
      length = 1;
    } else if (prev != kNoCode && code < nextFree) {
      length = length_[code];
      const uint8_t* s = out + offset_[code];
      uint8_t* d = out + pos;
      const std::size_t n = std::min(length, count - pos);
      for (std::size_t k = 0; k < n; k += 8) std::memcpy(d + k, s + k, 8);
      pos += n;
    } else if (prev != kNoCode && code == nextFree && nextFree < 4096) {
      // The previous string plus its own first pixel: the copy overlaps its
      // source by one pixel, which a forward byte copy produces exactly.
      length = prevLength + 1;
      const uint8_t* s = out + prevStart;
      uint8_t* d = out + pos;
      const std::size_t n = std::min(length, count - pos);
      for (std::size_t k = 0; k < n; ++k) d[k] = s[k];
      pos += n;
    } else {
      break;  // a code beyond the dictionary ends the frame
    }

    if (prev != kNoCode && nextFree < 4096) {
      offset_[nextFree] = static_cast<uint32_t>(prevStart);
      length_[nextFree] = static_cast<uint32_t>(prevLength + 1);
      ++nextFree;
    }
    // Checked after every code, the first after a clear included: with a
    // minimum code size of 1 the first free code (4) already needs 3 bits.
    if (nextFree > mask && width < 12) {
      ++width;
      mask = (1u << width) - 1;
    }
    prev = code;
    prevStart = start;
    prevLength = length;
  }
  return pos;
}

DecodeResult LzwDecoder::DecodeFrame(const uint8_t* file, std::size_t fileSize, const FrameSpan& span,
                                     const GifFrameInfo& frame, const IndexSurface& surface, int32_t column) {
  if (frame.Width <= 0 || frame.Height <= 0) return DecodeResult::Empty;
  if (span.Start < 0 || span.Length < 11 || static_cast<std::size_t>(span.Start) >= fileSize) {
    return DecodeResult::Malformed;
  }
  const std::size_t end = std::min(fileSize, static_cast<std::size_t>(span.Start) + span.Length);
  const uint8_t* p = file + span.Start;
  if (p[0] != 0x2C || static_cast<std::size_t>(span.Start) + 11 > end) return DecodeResult::Malformed;
  const uint8_t packed = p[9];
  std::size_t pos = static_cast<std::size_t>(span.Start) + 10;
  if (packed & 0x80) pos += 3 * (std::size_t{1} << ((packed & 7) + 1));
  if (pos >= end) return DecodeResult::Malformed;
  const int minCodeSize = file[pos++];
  if (minCodeSize < 1 || minCodeSize > 8) return DecodeResult::BadCodeSize;

  joined_.clear();
  while (pos < end) {
    const std::size_t n = file[pos++];
    if (n == 0) break;
    const std::size_t take = std::min(n, end - pos);
    joined_.insert(joined_.end(), file + pos, file + pos + take);
    pos += take;
  }

  const std::size_t w = static_cast<std::size_t>(frame.Width);
  const std::size_t h = static_cast<std::size_t>(frame.Height);
  const std::size_t count = w * h;
  const std::size_t got = DecodeStream(joined_.data(), joined_.size(), minCodeSize, count);

  // Clip the frame to the surface.
  const int32_t x0 = std::max<int32_t>(column, 0);
  const int32_t x1 = std::min<int64_t>(int64_t{column} + frame.Width, surface.width);
  const std::size_t fullRows = got / w;
  const std::size_t tail = got % w;
  auto put = [&](std::size_t storedRow, int32_t y, std::size_t pixels) {
    if (y >= surface.height || x1 <= x0) return;
    const std::size_t first = static_cast<std::size_t>(x0 - column);
    const std::size_t last = std::min<std::size_t>(static_cast<std::size_t>(x1 - column), pixels);
    if (last <= first) return;
    std::memcpy(surface.Row(y) + x0, pixels_.data() + storedRow * w + first, last - first);
  };
  if (packed & 0x40) {
    std::vector<int32_t> order;
    InterlacedRowOrder(frame.Height, order);
    for (std::size_t k = 0; k < fullRows; ++k) put(k, order[k], w);
    if (tail) put(fullRows, order[fullRows], tail);
  } else {
    for (std::size_t k = 0; k < fullRows; ++k) put(k, static_cast<int32_t>(k), w);
    if (tail) put(fullRows, static_cast<int32_t>(fullRows), tail);
  }
  return got == count ? DecodeResult::Complete : DecodeResult::Partial;
}

}  // namespace anigif
