#include "anigif/core/gif_encoder.h"

#include <array>
#include <cstring>

namespace anigif {
namespace {

constexpr int kHashSize = 5003;
constexpr int kHashShift = 4;
constexpr uint32_t kClear = 256;
constexpr uint32_t kEnd = 257;

// Packs codes least significant bit first into 254-byte sub-blocks.
class CodeWriter {
 public:
  explicit CodeWriter(std::vector<uint8_t>& out) : out_(out) {}
  int width = 9;

  void Put(uint32_t code) {
    acc_ |= static_cast<uint64_t>(code) << held_;
    held_ += width;
    while (held_ >= 8) {
      block_[used_++] = static_cast<uint8_t>(acc_);
      acc_ >>= 8;
      held_ -= 8;
      if (used_ == 254) FlushBlock();
    }
  }
  void Finish() {
    if (held_ > 0) {
      block_[used_++] = static_cast<uint8_t>(acc_);
      acc_ = 0;
      held_ = 0;
      if (used_ == 254) FlushBlock();
    }
    if (used_ > 0) FlushBlock();
  }

 private:
  void FlushBlock() {
    out_.push_back(static_cast<uint8_t>(used_));
    out_.insert(out_.end(), block_.begin(), block_.begin() + used_);
    used_ = 0;
  }
  std::vector<uint8_t>& out_;
  std::array<uint8_t, 254> block_{};
  int used_ = 0;
  uint64_t acc_ = 0;
  int held_ = 0;
};

void PutWord(std::vector<uint8_t>& out, int32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

}  // namespace

void AppendLzwData(const uint8_t* rowTop, std::ptrdiff_t stride, int32_t width, int32_t height,
                   std::vector<uint8_t>& out) {
  out.push_back(8);  // minimum code size
  CodeWriter w(out);
  std::vector<int32_t> keys(kHashSize, -1);
  std::vector<uint16_t> codes(kHashSize, 0);
  uint32_t maxCode = 511;
  uint32_t nextFree = 258;
  w.Put(kClear);
  int32_t prefix = rowTop[0];
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* row = rowTop + stride * y;
    for (int32_t x = y == 0 ? 1 : 0; x < width; ++x) {
      const int32_t c = row[x];
      const int32_t key = (c << 12) + prefix;
      int slot = (c << kHashShift) ^ prefix;
      if (keys[slot] == key) {
        prefix = codes[slot];
        continue;
      }
      if (keys[slot] > -1) {
        const int step = slot == 0 ? 1 : kHashSize - slot;
        bool found = false;
        do {
          slot -= step;
          if (slot < 0) slot += kHashSize;
          if (keys[slot] == key) {
            prefix = codes[slot];
            found = true;
            break;
          }
        } while (keys[slot] > 0);
        if (found) continue;
      }
      w.Put(static_cast<uint32_t>(prefix));
      prefix = c;
      if (nextFree < 4096) {
        keys[slot] = key;
        codes[slot] = static_cast<uint16_t>(nextFree);
      }
      if (nextFree > maxCode) {
        if (nextFree == 4096) {
          w.Put(kClear);
          std::fill(keys.begin(), keys.end(), -1);
          w.width = 9;
          nextFree = 257;
        } else {
          ++w.width;
        }
        maxCode = (1u << w.width) - 1;
      }
      ++nextFree;
    }
  }
  w.Put(static_cast<uint32_t>(prefix));
  w.Put(kEnd);
  w.Finish();
  out.push_back(0);
}

std::vector<uint8_t> EncodeFrameGif(const uint8_t* rowTop, std::ptrdiff_t stride, int32_t width, int32_t height,
                                    const ColorTable& table, int transparent) {
  std::vector<uint8_t> out;
  if (rowTop == nullptr || width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return out;
  out.reserve(static_cast<std::size_t>(width) * height + 801);
  static constexpr uint8_t kSignature[] = {'G', 'I', 'F', '8', '9', 'a'};
  out.insert(out.end(), kSignature, kSignature + 6);
  PutWord(out, width);
  PutWord(out, height);
  out.push_back(0x87);
  out.push_back(0);
  out.push_back(0);
  const uint32_t count = table[256] > 256 ? 256 : table[256];
  for (uint32_t e = 0; e < 256; ++e) {
    const uint32_t v = e < count ? table[e] : 0;
    out.push_back(static_cast<uint8_t>((v >> 16) & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    out.push_back(static_cast<uint8_t>(v & 0xFF));
  }
  if (transparent >= 0) {
    const uint8_t gce[] = {0x21, 0xF9, 0x04, 0x01, 0, 0, static_cast<uint8_t>(transparent), 0};
    out.insert(out.end(), gce, gce + sizeof gce);
  }
  out.push_back(0x2C);
  PutWord(out, 0);
  PutWord(out, 0);
  PutWord(out, width);
  PutWord(out, height);
  out.push_back(0);
  AppendLzwData(rowTop, stride, width, height, out);
  out.push_back(0x3B);
  return out;
}

bool IsAnsiString(const wchar_t* path) {
  if (path == nullptr) return true;
  for (; *path; ++path) {
    if (static_cast<uint32_t>(*path) > 0xFF) return false;
  }
  return true;
}

}  // namespace anigif
