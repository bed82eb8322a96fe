#include "anigif/core/lzw_decoder.h"

#include <gtest/gtest.h>

#include "anigif/core/frame_strip.h"
#include "anigif/gif_builder.h"

namespace anigif {
namespace {
using anigif_test::GifBuilder;
using anigif_test::Image;
using anigif_test::MakeImage;
using anigif_test::Ramp;

// Decodes frame `index` of a file into a fresh surface filled with `fill`.
struct Decoded {
  DecodeResult result;
  std::vector<uint8_t> pixels;  // width x height, top-down
};

Decoded DecodeOne(const std::vector<uint8_t>& file, int index = 0, uint8_t fill = 0xEE) {
  GifStream g;
  EXPECT_GT(ParseGifStream(file.data(), file.size(), g), index);
  const GifFrameInfo& f = g.Frames[index];
  Decoded d;
  d.pixels.assign(static_cast<std::size_t>(f.Width) * f.Height, fill);
  IndexSurface s{d.pixels.data(), f.Width, f.Width, f.Height};
  LzwDecoder dec;
  d.result = dec.DecodeFrame(file.data(), file.size(), g.Spans[index], f, s, 0);
  return d;
}

// A frame with raw LZW codes (width grows as a decoder expects).
std::vector<uint8_t> RawCodes(int w, int h, int minCode, const std::vector<std::pair<uint32_t, int>>& codes) {
  GifBuilder b(w, h, Ramp(4));
  b.bytes.push_back(0x2C);
  for (int v : {0, 0, w, h}) b.bytes.insert(b.bytes.end(), {uint8_t(v), uint8_t(v >> 8)});
  b.bytes.push_back(0);
  b.bytes.push_back(static_cast<uint8_t>(minCode));
  std::vector<uint8_t> data;
  uint32_t acc = 0;
  int held = 0;
  for (auto [code, width] : codes) {
    acc |= code << held;
    held += width;
    while (held >= 8) {
      data.push_back(uint8_t(acc));
      acc >>= 8;
      held -= 8;
    }
  }
  if (held) data.push_back(uint8_t(acc));
  b.bytes.push_back(static_cast<uint8_t>(data.size()));
  b.bytes.insert(b.bytes.end(), data.begin(), data.end());
  b.bytes.push_back(0);
  return b.Finish();
}

TEST(LzwDecoder, EveryCodeSizeAndShape) {
  for (int colours : {2, 3, 4, 16, 100, 256}) {
    for (auto [w, h] : {std::pair{1, 1}, {7, 3}, {33, 17}, {100, 100}, {257, 2}}) {
      Image im = MakeImage(0, 0, w, h, colours, static_cast<uint32_t>(w * 31 + colours));
      const auto d = DecodeOne(GifBuilder(w, h, Ramp(256)).Add(im).Finish());
      EXPECT_EQ(DecodeResult::Complete, d.result);
      EXPECT_EQ(im.pixels, d.pixels) << colours << " colours " << w << "x" << h;
    }
  }
}

TEST(LzwDecoder, MinimumCodeSizeOneAndEightWithTwoColours) {
  for (int minCode : {1, 2, 8}) {
    Image im = MakeImage(0, 0, 40, 9, 2, 5);
    im.minCodeSize = minCode;
    const auto d = DecodeOne(GifBuilder(40, 9, Ramp(2)).Add(im).Finish());
    EXPECT_EQ(im.pixels, d.pixels) << minCode;
  }
}

TEST(LzwDecoder, ClearCodesMidStream) {
  Image im = MakeImage(0, 0, 64, 64, 16, 9);
  for (int every : {1, 2, 50, 300}) {
    im.clearEvery = every;
    EXPECT_EQ(im.pixels, DecodeOne(GifBuilder(64, 64, Ramp(16)).Add(im).Finish()).pixels) << every;
  }
}

TEST(LzwDecoder, FullTableAt4096KeepsDecodingWithoutNewEntries) {
  // Noise of 256 colours fills the dictionary quickly; the encoder then goes on
  // at 12 bits without a clear, which the decoder must follow.
  Image im;
  im.width = 300;
  im.height = 200;
  im.pixels.resize(60000);
  uint32_t s = 7;
  for (auto& p : im.pixels) p = static_cast<uint8_t>((s = s * 1664525u + 1013904223u) >> 24);
  const auto d = DecodeOne(GifBuilder(300, 200, Ramp(256)).Add(im).Finish());
  EXPECT_EQ(DecodeResult::Complete, d.result);
  EXPECT_EQ(im.pixels, d.pixels);
}

TEST(LzwDecoder, CodeEqualToNextFreeRepeatsThePreviousString) {
  // clear, 1, 6 (= next free: "1 1"), 7 (next free again: "1 1 1"), end.
  const auto file = RawCodes(6, 1, 2, {{4, 3}, {1, 3}, {6, 3}, {7, 3}, {5, 4}});
  const auto d = DecodeOne(file);
  EXPECT_EQ(DecodeResult::Complete, d.result);
  EXPECT_EQ(std::vector<uint8_t>(6, 1), d.pixels);
}

TEST(LzwDecoder, OutOfRangeCodeEndsTheFrameLeavingTheRest) {
  // clear, 2, then 7 while the next free code is 6.
  const auto d = DecodeOne(RawCodes(4, 1, 2, {{4, 3}, {2, 3}, {7, 3}, {1, 3}}));
  EXPECT_EQ(DecodeResult::Partial, d.result);
  EXPECT_EQ((std::vector<uint8_t>{2, 0xEE, 0xEE, 0xEE}), d.pixels);
  // A dictionary code right after a clear has nothing to refer to.
  const auto d2 = DecodeOne(RawCodes(2, 1, 2, {{4, 3}, {6, 3}}));
  EXPECT_EQ((std::vector<uint8_t>{0xEE, 0xEE}), d2.pixels);
}

TEST(LzwDecoder, EarlyEndOfDataLeavesTheRestAsItWas) {
  Image im = MakeImage(0, 0, 20, 20, 4, 3);
  auto file = GifBuilder(20, 20, Ramp(4)).Add(im).bytes;
  // Cut the only sub-block to 5 bytes.
  GifStream g;
  file.push_back(0x3B);
  ParseGifStream(file.data(), file.size(), g);
  const std::size_t block = g.Spans[0].Start + 11;
  std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(block));
  cut.push_back(5);
  cut.insert(cut.end(), file.begin() + static_cast<std::ptrdiff_t>(block) + 1, file.begin() + static_cast<std::ptrdiff_t>(block) + 6);
  cut.push_back(0);
  cut.push_back(0x3B);
  const auto d = DecodeOne(cut);
  EXPECT_EQ(DecodeResult::Partial, d.result);
  std::size_t decoded = 0;
  while (decoded < d.pixels.size() && d.pixels[decoded] != 0xEE) ++decoded;
  EXPECT_GT(decoded, 0u);
  EXPECT_LT(decoded, 400u);
  EXPECT_TRUE(std::equal(d.pixels.begin(), d.pixels.begin() + static_cast<std::ptrdiff_t>(decoded), im.pixels.begin()));
  for (std::size_t i = decoded; i < d.pixels.size(); ++i) ASSERT_EQ(0xEE, d.pixels[i]);
}

TEST(LzwDecoder, BadMinimumCodeSizeDecodesNothing) {
  for (int minCode : {0, 9, 12}) {
    auto file = RawCodes(2, 1, 2, {{4, 3}, {1, 3}, {1, 3}, {5, 3}});
    GifStream g;
    ParseGifStream(file.data(), file.size(), g);
    file[g.Spans[0].Start + 10] = static_cast<uint8_t>(minCode);
    const auto d = DecodeOne(file);
    EXPECT_EQ(DecodeResult::BadCodeSize, d.result);
    EXPECT_EQ((std::vector<uint8_t>{0xEE, 0xEE}), d.pixels);
  }
}

TEST(LzwDecoder, InterlacedHeightsOneToSevenAndLarger) {
  for (int h : {1, 2, 3, 4, 5, 6, 7, 8, 9, 16, 17}) {
    Image im = MakeImage(0, 0, 5, h, 8, static_cast<uint32_t>(h));
    im.interlaced = true;
    const auto d = DecodeOne(GifBuilder(5, h, Ramp(8)).Add(im).Finish());
    EXPECT_EQ(im.pixels, d.pixels) << "height " << h;
  }
  std::vector<int32_t> order;
  InterlacedRowOrder(7, order);
  EXPECT_EQ((std::vector<int32_t>{0, 4, 2, 6, 1, 3, 5}), order);
}

TEST(LzwDecoder, StripPlacesFramesSideBySideBottomUp) {
  GifBuilder b(30, 9, Ramp(16));
  std::vector<Image> ims = {MakeImage(0, 0, 10, 4, 16, 1), MakeImage(0, 0, 20, 9, 16, 2), MakeImage(0, 0, 30, 2, 16, 3)};
  for (auto& im : ims) b.Add(im);
  const auto file = b.Finish();
  GifStream g;
  ASSERT_EQ(3, ParseGifStream(file.data(), file.size(), g));
  StripPlan plan;
  ASSERT_TRUE(PlanStrip(g, false, plan));
  EXPECT_EQ(60, plan.width);
  EXPECT_EQ(9, plan.height);
  EXPECT_EQ((std::vector<int32_t>{0, 10, 30}), plan.startColumn);
  // A bottom-up DIB layout: the top row is the last in memory.
  const int stride = ScanlineBytes(8, plan.width);
  std::vector<uint8_t> bits(static_cast<std::size_t>(stride) * plan.height, 0);
  IndexSurface strip{bits.data() + stride * (plan.height - 1), -stride, plan.width, plan.height};
  LzwDecoder dec;
  BuildStripFrames(file.data(), file.size(), g, plan, strip, 0, 3, dec);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(plan.startColumn[i], g.Frames[i].DataStart);
    for (int y = 0; y < ims[i].height; ++y)
      for (int x = 0; x < ims[i].width; ++x)
        ASSERT_EQ(ims[i].pixels[y * ims[i].width + x], strip.Row(y)[plan.startColumn[i] + x]) << i;
  }
  StripPlan one;
  ASSERT_TRUE(PlanStrip(g, true, one));
  EXPECT_EQ(10, one.width);
  EXPECT_EQ(4, one.height);
}

TEST(FramePlan, CanvasAndMaskDecisions) {
  auto plan = [](std::vector<std::tuple<int, int, int, int, bool>> frames, bool design = false) {
    GifStream g;
    g.CanvasWidth = 10;
    g.CanvasHeight = 10;
    for (auto [disposal, w, h, unused, trans] : frames) {
      (void)unused;
      GifFrameInfo f;
      f.Disposal = static_cast<uint8_t>(disposal);
      f.Width = w;
      f.Height = h;
      f.HasTransparency = trans;
      g.Frames.push_back(f);
    }
    return PlanCanvas(g, design);
  };
  auto p = plan({{0, 10, 10, 0, false}, {1, 5, 5, 0, false}});
  EXPECT_TRUE(p.canvas);
  EXPECT_FALSE(p.mask);
  EXPECT_FALSE(p.scratchTable);
  p = plan({{2, 10, 10, 0, false}, {2, 5, 5, 0, true}});
  EXPECT_FALSE(p.canvas);  // every frame disposal 2
  EXPECT_TRUE(p.scratchTable);
  p = plan({{0, 10, 10, 0, false}, {3, 5, 5, 0, false}});
  EXPECT_TRUE(p.mask);
  p = plan({{0, 10, 10, 0, true}, {0, 5, 5, 0, false}});
  EXPECT_TRUE(p.mask);  // frame 1 transparent
  p = plan({{0, 10, 10, 0, false}, {0, 5, 5, 0, true}});
  EXPECT_FALSE(p.mask);  // full-canvas opaque frame 1 hides everything behind
  p = plan({{0, 9, 10, 0, false}, {0, 5, 5, 0, true}});
  EXPECT_TRUE(p.mask);
  EXPECT_FALSE(plan({{0, 10, 10, 0, false}}).canvas);
  EXPECT_FALSE(plan({{0, 10, 10, 0, false}, {1, 5, 5, 0, false}}, true).canvas);
}

}  // namespace
}  // namespace anigif
