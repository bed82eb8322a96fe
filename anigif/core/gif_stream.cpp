#include "anigif/core/gif_stream.h"

#include <algorithm>
#include <cstring>

namespace anigif {
namespace {

struct EndOfData {};

// Readers over the file. A read past the end throws EndOfData, which the
// parser turns into "stop here, keep the frames so far".
class Reader {
 public:
  Reader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t pos = 0;

  uint8_t Byte() {
    if (pos >= size_) throw EndOfData{};
    return data_[pos++];
  }
  uint32_t Word() {
    if (pos + 1 >= size_) throw EndOfData{};
    uint32_t v = data_[pos] | (uint32_t{data_[pos + 1]} << 8);
    pos += 2;
    return v;
  }
  // Returns nullptr (position unchanged) when fewer than n bytes remain.
  const uint8_t* Bytes(std::size_t n) {
    if (n > size_ - std::min(pos, size_)) return nullptr;
    const uint8_t* p = data_ + pos;
    pos += n;
    return p;
  }
  void ColorTable(ColorTable& table, int bits) {
    const std::size_t count = std::size_t{1} << bits;
    if (count * 3 > size_ - std::min(pos, size_)) throw EndOfData{};
    table.fill(0);
    const uint8_t* p = data_ + pos;
    for (std::size_t i = 0; i < count; ++i, p += 3) table[i] = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    table[256] = static_cast<uint32_t>(count);
    pos += count * 3;
  }
  void SkipSubBlocks() {
    while (pos < size_ && data_[pos] != 0) pos += std::size_t{data_[pos]} + 1;
    ++pos;
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
};

bool EqualsNoCase(const uint8_t* p, const char* text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    uint8_t c = p[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<uint8_t>(c - 'A' + 'a');
    char t = text[i];
    if (t >= 'A' && t <= 'Z') t = static_cast<char>(t - 'A' + 'a');
    if (c != static_cast<uint8_t>(t)) return false;
  }
  return true;
}

void Fail(GifStream& out) { out = GifStream{}; }

}  // namespace

int ParseGifStream(const uint8_t* data, std::size_t size, GifStream& out) {
  out = GifStream{};
  if (data == nullptr || size < 6 || size > kMaxFileBytes) return 0;
  if (!EqualsNoCase(data, "gif89a", 6) && !EqualsNoCase(data, "gif87a", 6)) return 0;

  Reader r(data, size);
  out.Colors.Tables.emplace_back().fill(0);
  try {
    r.pos = 10;
    const uint8_t packed = r.Byte();
    r.pos = 13;
    if (packed & 0x80) {
      out.HasGlobalTable = true;
      out.Colors.ActiveTable = 0;
      r.ColorTable(out.Colors.Tables[0], (packed & 7) + 1);
    }
  } catch (const EndOfData&) {
    Fail(out);
    return 0;
  }

  GifFrameInfo pending{};
  bool tooLarge = false;
  try {
    for (;;) {
      const uint8_t b = r.Byte();
      if (b == 0) continue;
      if (b == 0x21) {
        const uint8_t label = r.Byte();
        if (label == 0xFF) {
          const uint8_t n = r.Byte();
          const uint8_t* id = r.Bytes(n);
          if (id != nullptr && n == 11 && EqualsNoCase(id, "NETSCAPE2.0", 11)) {
            if (r.Byte() == 3) {
              r.pos += 1;
              out.Loops = static_cast<int32_t>(r.Word());
            } else {
              r.pos -= 1;
            }
          }
          r.SkipSubBlocks();
        } else if (label == 0xF9) {
          pending = GifFrameInfo{};
          pending.DataStart = static_cast<int32_t>(r.pos - 2);
          r.Byte();  // block size: the layout is fixed
          const uint8_t p = r.Byte();
          pending.Disposal = static_cast<uint8_t>((p >> 2) & 3);
          if (pending.Disposal == 3 && out.Frames.empty()) pending.Disposal = 0;  // nothing to restore to yet
          pending.Delay = static_cast<int32_t>(r.Word()) * 10;
          pending.HasTransparency = p & 1;
          if (pending.HasTransparency) {
            pending.TransIndex = r.Byte();
          } else {
            r.pos = static_cast<std::size_t>(pending.DataStart) + 7;
          }
          r.SkipSubBlocks();
        } else {
          r.SkipSubBlocks();
        }
      } else if (b == 0x2C) {
        const std::size_t start = r.pos - 1;
        if (pending.DataStart == 0) pending.DataStart = static_cast<int32_t>(start);
        pending.Left = static_cast<int32_t>(r.Word());
        pending.Top = static_cast<int32_t>(r.Word());
        pending.Width = static_cast<int32_t>(r.Word());
        pending.Height = static_cast<int32_t>(r.Word());
        const uint8_t p = r.Byte();
        if (p & 0x80) {
          if (static_cast<int>(out.Colors.Tables.size()) > kMaxFrames) {
            tooLarge = true;
            break;
          }
          pending.ColorTableIndex = out.Colors.ActiveTable + 1;
          out.Colors.Tables.emplace_back();
          r.ColorTable(out.Colors.Tables.back(), (p & 7) + 1);
          out.Colors.ActiveTable = pending.ColorTableIndex;
        } else if (!out.HasGlobalTable) {
          Fail(out);
          return 0;
        }
        r.Byte();  // LZW minimum code size: checked by the decoder
        r.SkipSubBlocks();
        // The span never reaches past the file, even when the sub-blocks claim to.
        const std::size_t end = std::min(r.pos, size);
        const FrameSpan span{static_cast<int32_t>(end - start), static_cast<int32_t>(start)};
        if (span.Length >= 3) {
          if (out.FrameCount() >= kMaxFrames) {
            tooLarge = true;
            break;
          }
          out.Frames.push_back(pending);
          out.Spans.push_back(span);
          out.CanvasWidth = std::max(out.CanvasWidth, pending.Left + pending.Width);
          out.CanvasHeight = std::max(out.CanvasHeight, pending.Top + pending.Height);
        }
        pending = GifFrameInfo{};
      } else {
        break;
      }
    }
  } catch (const EndOfData&) {
    // The frames completed before the end stand.
  }

  if (tooLarge || out.Frames.empty() || out.CanvasWidth <= 0 || out.CanvasHeight <= 0 ||
      out.CanvasWidth > kMaxCanvasSide || out.CanvasHeight > kMaxCanvasSide ||
      static_cast<std::size_t>(ScanlineBytes(24, out.CanvasWidth)) * out.CanvasHeight > kMaxBitmapBytes) {
    Fail(out);
    return 0;
  }
  return out.FrameCount();
}

}  // namespace anigif
