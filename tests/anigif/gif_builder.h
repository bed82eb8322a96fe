// Builds small GIF files byte by byte for tests: header, tables, loop block,
// control blocks and images with an LZW encoder of any minimum code size.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "anigif/core/gif_encoder.h"

namespace anigif_test {

using Bytes = std::vector<uint8_t>;

// Plain dictionary LZW, independent of the product's encoder. clearEvery > 0
// emits a clear code after that many codes (exercises mid-stream clears).
inline Bytes LzwEncode(const std::vector<uint8_t>& pixels, int minCodeSize, int clearEvery = 0) {
  Bytes data;
  uint64_t acc = 0;
  int held = 0;
  int width = minCodeSize + 1;
  const uint32_t clear = 1u << minCodeSize;
  uint32_t next = clear + 2;
  std::map<std::pair<uint32_t, uint8_t>, uint32_t> dict;
  auto put = [&](uint32_t code) {
    acc |= uint64_t{code} << held;
    held += width;
    while (held >= 8) {
      data.push_back(static_cast<uint8_t>(acc));
      acc >>= 8;
      held -= 8;
    }
  };
  auto reset = [&] {
    put(clear);
    dict.clear();
    width = minCodeSize + 1;
    next = clear + 2;
  };
  reset();
  int emitted = 0;
  if (!pixels.empty()) {
    uint32_t prefix = pixels[0];
    for (std::size_t i = 1; i < pixels.size(); ++i) {
      const uint8_t c = pixels[i];
      auto it = dict.find({prefix, c});
      if (it != dict.end()) {
        prefix = it->second;
        continue;
      }
      put(prefix);
      ++emitted;
      if (next < 4096) {
        dict[{prefix, c}] = next++;
        // The decoder adds its entry one code later, so widths grow when the
        // code just assigned no longer fits.
        if (next > (1u << width) && width < 12) ++width;
      }
      prefix = c;
      if (clearEvery > 0 && emitted % clearEvery == 0) reset();
    }
    put(prefix);
  }
  put(clear + 1);
  if (held > 0) data.push_back(static_cast<uint8_t>(acc));
  Bytes out;
  for (std::size_t i = 0; i < data.size(); i += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - i);
    out.push_back(static_cast<uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(i), data.begin() + static_cast<std::ptrdiff_t>(i + n));
  }
  out.push_back(0);
  return out;
}

struct Image {
  int left = 0, top = 0, width = 1, height = 1;
  std::vector<uint8_t> pixels;       // top-down, in picture order
  std::vector<uint32_t> localTable;  // 0xRRGGBB; size a power of two 2..256, empty for none
  bool interlaced = false;
  int minCodeSize = 8;
  int clearEvery = 0;
  bool productEncoder = false;  // 8-bit data through the product's encoder (fast, for big files)
};

class GifBuilder {
 public:
  explicit GifBuilder(int width = 0, int height = 0, std::vector<uint32_t> globalTable = {},
                      const char* signature = "GIF89a") {
    for (int i = 0; i < 6; ++i) bytes.push_back(static_cast<uint8_t>(signature[i]));
    Word(width);
    Word(height);
    uint8_t packed = 0;
    if (!globalTable.empty()) packed = static_cast<uint8_t>(0x80 | TableBits(globalTable.size()));
    bytes.push_back(packed);
    bytes.push_back(0);
    bytes.push_back(0);
    Table(globalTable);
  }
  GifBuilder& Loop(int loops, int subBlockSize = 3) {
    const char* id = "NETSCAPE2.0";
    bytes.insert(bytes.end(), {0x21, 0xFF, 11});
    bytes.insert(bytes.end(), id, id + 11);
    bytes.push_back(static_cast<uint8_t>(subBlockSize));
    bytes.push_back(1);
    Word(loops);
    for (int i = 3; i < subBlockSize; ++i) bytes.push_back(0);
    bytes.push_back(0);
    return *this;
  }
  GifBuilder& Control(int disposal, int delayCs, int transparent = -1) {
    bytes.insert(bytes.end(), {0x21, 0xF9, 4});
    bytes.push_back(static_cast<uint8_t>((disposal << 2) | (transparent >= 0 ? 1 : 0)));
    Word(delayCs);
    bytes.push_back(static_cast<uint8_t>(transparent >= 0 ? transparent : 0));
    bytes.push_back(0);
    return *this;
  }
  GifBuilder& Comment(const std::string& text) {
    bytes.insert(bytes.end(), {0x21, 0xFE, static_cast<uint8_t>(text.size())});
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
  }
  GifBuilder& Add(const Image& im) {
    bytes.push_back(0x2C);
    Word(im.left);
    Word(im.top);
    Word(im.width);
    Word(im.height);
    uint8_t packed = im.interlaced ? 0x40 : 0;
    if (!im.localTable.empty()) packed |= static_cast<uint8_t>(0x80 | TableBits(im.localTable.size()));
    bytes.push_back(packed);
    Table(im.localTable);
    std::vector<uint8_t> stored = im.pixels;
    if (im.interlaced) {
      stored.clear();
      static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int p = 0; p < 4; ++p)
        for (int y = start[p]; y < im.height; y += step[p])
          stored.insert(stored.end(), im.pixels.begin() + y * im.width, im.pixels.begin() + (y + 1) * im.width);
    }
    if (im.productEncoder) {
      anigif::AppendLzwData(stored.data(), im.width, im.width, im.height, bytes);
      return *this;
    }
    bytes.push_back(static_cast<uint8_t>(im.minCodeSize));
    Bytes data = LzwEncode(stored, im.minCodeSize, im.clearEvery);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return *this;
  }
  Bytes Finish() {
    bytes.push_back(0x3B);
    return bytes;
  }
  Bytes bytes;

 private:
  static int TableBits(std::size_t n) {
    int bits = 0;
    while ((std::size_t{2} << bits) < n) ++bits;
    return bits;
  }
  void Word(int v) {
    bytes.push_back(static_cast<uint8_t>(v & 0xFF));
    bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  }
  void Table(const std::vector<uint32_t>& t) {
    for (uint32_t c : t) bytes.insert(bytes.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  }
};

// A grey ramp table of n entries.
inline std::vector<uint32_t> Ramp(int n) {
  std::vector<uint32_t> t;
  for (int i = 0; i < n; ++i) {
    const uint32_t v = static_cast<uint32_t>(i * 255 / (n > 1 ? n - 1 : 1));
    t.push_back((v << 16) | ((255 - v) << 8) | static_cast<uint32_t>(i & 0xFF));
  }
  return t;
}

// Pseudo-random pixels below `colours`, with runs so the dictionary fills.
inline std::vector<uint8_t> Pattern(int w, int h, int colours, uint32_t seed) {
  std::vector<uint8_t> p(static_cast<std::size_t>(w) * h);
  uint32_t s = seed * 2654435761u + 1;
  for (std::size_t i = 0; i < p.size(); ++i) {
    s = s * 1103515245u + 12345u;
    p[i] = static_cast<uint8_t>(((s >> 16) % 7 < 4 && i > 0) ? p[i - 1] : (s >> 8) % static_cast<uint32_t>(colours));
  }
  return p;
}

inline Image MakeImage(int left, int top, int w, int h, int colours, uint32_t seed) {
  Image im;
  im.left = left;
  im.top = top;
  im.width = w;
  im.height = h;
  im.pixels = Pattern(w, h, colours, seed);
  int bits = 1;
  while ((1 << bits) < colours) ++bits;
  im.minCodeSize = bits < 2 ? 2 : bits;
  return im;
}

}  // namespace anigif_test
