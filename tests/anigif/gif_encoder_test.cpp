#include "anigif/core/gif_encoder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "anigif/core/lzw_decoder.h"
#include "anigif/gif_builder.h"

namespace anigif {
namespace {

ColorTable Table(int count) {
  ColorTable t{};
  for (int i = 0; i < count; ++i) t[i] = static_cast<uint32_t>(0x010203 * (i + 1)) & 0xFFFFFF;
  t[256] = static_cast<uint32_t>(count);
  return t;
}

// Decodes the single image of an encoded file with our decoder.
std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& file, GifStream& g) {
  EXPECT_EQ(1, ParseGifStream(file.data(), file.size(), g));
  if (g.Frames.empty()) return {};
  std::vector<uint8_t> px(static_cast<std::size_t>(g.Frames[0].Width) * g.Frames[0].Height, 0xEE);
  IndexSurface s{px.data(), g.Frames[0].Width, g.Frames[0].Width, g.Frames[0].Height};
  LzwDecoder dec;
  EXPECT_EQ(DecodeResult::Complete, dec.DecodeFrame(file.data(), file.size(), g.Spans[0], g.Frames[0], s, 0));
  return px;
}

TEST(GifEncoder, OpaqueFrameLayout) {
  const std::vector<uint8_t> px = {0, 1, 2, 3, 4, 5};
  const auto file = EncodeFrameGif(px.data(), 3, 3, 2, Table(16), -1);
  ASSERT_GT(file.size(), 795u);
  EXPECT_EQ(0, std::memcmp(file.data(), "GIF89a", 6));
  EXPECT_EQ(3, file[6]);
  EXPECT_EQ(2, file[8]);
  EXPECT_EQ(0x87, file[10]);
  EXPECT_EQ(0x2C, file[781]);  // no control block
  EXPECT_EQ(8, file[791]);
  EXPECT_EQ(0x3B, file.back());
  // Entries past the frame's 16 are black.
  for (int e = 16; e < 256; ++e) ASSERT_EQ(0, file[13 + 3 * e] | file[14 + 3 * e] | file[15 + 3 * e]);
  EXPECT_EQ(0x03, file[13 + 3 * 2]);  // entry 2 = 0x030609: red first
  EXPECT_EQ(0x09, file[15 + 3 * 2]);
  GifStream g;
  EXPECT_EQ(px, RoundTrip(file, g));
}

TEST(GifEncoder, TransparentFrameCarriesItsIndex) {
  const std::vector<uint8_t> px = {7, 7, 1, 7};
  const auto file = EncodeFrameGif(px.data(), 2, 2, 2, Table(8), 7);
  EXPECT_EQ((std::vector<uint8_t>{0x21, 0xF9, 4, 1, 0, 0, 7, 0}), std::vector<uint8_t>(file.begin() + 781, file.begin() + 789));
  GifStream g;
  EXPECT_EQ(px, RoundTrip(file, g));
  EXPECT_EQ(1, g.Frames[0].HasTransparency);
  EXPECT_EQ(7, g.Frames[0].TransIndex);
  EXPECT_EQ(0, g.Frames[0].Delay);
}

TEST(GifEncoder, FrameRowsOfABottomUpStripFromItsTopLeftPixel) {
  // A 6 x 4 bottom-up strip; the frame is 2 x 2 at column 3, shorter than the strip.
  const int stride = 8, height = 4;
  std::vector<uint8_t> bits(stride * height, 99);
  uint8_t* top = bits.data() + stride * (height - 1);
  top[3] = 1, top[4] = 2, (top - stride)[3] = 3, (top - stride)[4] = 4;
  const auto file = EncodeFrameGif(top + 3, -stride, 2, 2, Table(256), -1);
  GifStream g;
  EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4}), RoundTrip(file, g));
}

TEST(GifEncoder, LargeNoiseFillsTheTableAndClears) {
  std::vector<uint8_t> px(256 * 256);
  uint32_t s = 1;
  for (auto& p : px) p = static_cast<uint8_t>((s = s * 1664525u + 1013904223u) >> 24);
  const auto file = EncodeFrameGif(px.data(), 256, 256, 256, Table(256), -1);
  GifStream g;
  EXPECT_EQ(px, RoundTrip(file, g));
  // Long runs, and every sub-block but the last holds 254 bytes.
  std::vector<uint8_t> runs(300 * 7, 5);
  const auto f2 = EncodeFrameGif(runs.data(), 300, 300, 7, Table(256), -1);
  EXPECT_EQ(runs, RoundTrip(f2, g));
  std::size_t pos = static_cast<std::size_t>(g.Spans[0].Start) + 11;
  const auto big = EncodeFrameGif(px.data(), 256, 256, 256, Table(256), -1);
  pos = 781 + 11;
  while (big[pos] != 0) {
    const std::size_t n = big[pos];
    if (big[pos + n + 1] != 0) {
      ASSERT_EQ(254u, n);
    }
    pos += n + 1;
  }
}

// The codes of an 8-bit stream as a decoder reads them: (code, width).
std::vector<std::pair<uint32_t, int>> ReadCodes(const std::vector<uint8_t>& file, std::size_t dataStart) {
  std::vector<uint8_t> joined;
  for (std::size_t pos = dataStart; pos < file.size() && file[pos] != 0; pos += file[pos] + 1u)
    joined.insert(joined.end(), file.begin() + static_cast<std::ptrdiff_t>(pos + 1),
                  file.begin() + static_cast<std::ptrdiff_t>(pos + 1 + file[pos]));
  std::vector<std::pair<uint32_t, int>> codes;
  int width = 9;
  uint32_t nextFree = 258;
  bool first = true;
  std::size_t bit = 0;
  while (bit + static_cast<std::size_t>(width) <= joined.size() * 8) {
    uint32_t code = 0;
    for (int k = 0; k < width; ++k, ++bit) code |= ((joined[bit / 8] >> (bit % 8)) & 1u) << k;
    codes.emplace_back(code, width);
    if (code == 257) break;
    if (code == 256) {
      width = 9, nextFree = 258, first = true;
      continue;
    }
    if (!first && nextFree < 4096) ++nextFree;
    first = false;
    if (nextFree > (1u << width) - 1 && width < 12) ++width;
  }
  return codes;
}

TEST(GifEncoder, FullTableClearsAtTwelveBitsAndStartsAgainAtNine) {
  std::vector<uint8_t> px(128 * 128);
  uint32_t s = 3;
  for (auto& p : px) p = static_cast<uint8_t>((s = s * 1664525u + 1013904223u) >> 24);
  const auto file = EncodeFrameGif(px.data(), 128, 128, 128, Table(256), -1);
  const auto codes = ReadCodes(file, 781 + 11);
  ASSERT_GT(codes.size(), 4000u);
  EXPECT_EQ(256u, codes.front().first);
  std::size_t clearAt = 0;
  for (std::size_t k = 1; k < codes.size() && !clearAt; ++k)
    if (codes[k].first == 256) clearAt = k;
  ASSERT_NE(0u, clearAt);
  EXPECT_EQ(12, codes[clearAt].second);
  EXPECT_EQ(9, codes[clearAt + 1].second);
  // Data codes 1..3838 assign 258..4095; the 3839th finds the table full.
  EXPECT_EQ(3840u, clearAt);
  EXPECT_EQ(257u, codes.back().first);
}

TEST(GifEncoder, ZeroSizedFrameGivesNothing) {
  const uint8_t px = 0;
  EXPECT_TRUE(EncodeFrameGif(&px, 1, 0, 1, Table(2), -1).empty());
  EXPECT_TRUE(EncodeFrameGif(nullptr, 1, 1, 1, Table(2), -1).empty());
}

TEST(GifEncoder, AnsiPathTest) {
  EXPECT_TRUE(IsAnsiString(L""));
  EXPECT_TRUE(IsAnsiString(L"C:\\Face\\a\u00e9.gif"));
  EXPECT_FALSE(IsAnsiString(L"C:\\Face\\\u8868\u60c5.gif"));
  EXPECT_FALSE(IsAnsiString(L"\u0100"));
}

}  // namespace
}  // namespace anigif
