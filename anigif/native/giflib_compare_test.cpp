// Our decoder against Debian's giflib, frame by frame, over the generated
// corpus; and our encoder's files read back by giflib.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

#include "anigif/core/frame_strip.h"
#include "anigif/core/gif_encoder.h"
#include "corpus.h"
#include "giflib_memory.h"

namespace {

using anigif_native::MemorySource;
using anigif_native::ReadMemory;

// Every frame's indexes as giflib decodes them.
std::vector<std::vector<uint8_t>> GiflibFrames(const std::vector<uint8_t>& bytes) {
  MemorySource src{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&src, ReadMemory, &error);
  EXPECT_NE(nullptr, gif);
  std::vector<std::vector<uint8_t>> out;
  if (!gif) return out;
  EXPECT_EQ(GIF_OK, DGifSlurp(gif));
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& im = gif->SavedImages[i];
    out.emplace_back(im.RasterBits, im.RasterBits + im.ImageDesc.Width * im.ImageDesc.Height);
  }
  DGifCloseFile(gif, &error);
  return out;
}

std::vector<std::vector<uint8_t>> OurFrames(const std::vector<uint8_t>& bytes) {
  anigif::GifStream g;
  anigif::ParseGifStream(bytes.data(), bytes.size(), g);
  std::vector<std::vector<uint8_t>> out;
  anigif::LzwDecoder dec;
  for (int i = 0; i < g.FrameCount(); ++i) {
    const auto& f = g.Frames[i];
    std::vector<uint8_t> px(static_cast<std::size_t>(f.Width) * f.Height, 0);
    anigif::IndexSurface s{px.data(), f.Width, f.Width, f.Height};
    EXPECT_EQ(anigif::DecodeResult::Complete, dec.DecodeFrame(bytes.data(), bytes.size(), g.Spans[i], f, s, 0));
    out.push_back(std::move(px));
  }
  return out;
}

TEST(GiflibCompare, IdenticalIndexesOverTheCorpus) {
  auto corpus = anigif_native::SmallCorpus();
  for (auto& [name, bytes] : anigif_native::BenchmarkFiles()) corpus.emplace_back(name, bytes);
  for (const auto& [name, bytes] : corpus) {
    const auto theirs = GiflibFrames(bytes);
    const auto ours = OurFrames(bytes);
    ASSERT_EQ(theirs.size(), ours.size()) << name;
    ASSERT_FALSE(ours.empty()) << name;
    for (std::size_t i = 0; i < ours.size(); ++i) EXPECT_EQ(theirs[i], ours[i]) << name << " frame " << i;
  }
}

TEST(GiflibCompare, EncodedFramesReadBackByGiflib) {
  for (const auto& [name, bytes] : anigif_native::SmallCorpus()) {
    anigif::GifStream g;
    ASSERT_GT(anigif::ParseGifStream(bytes.data(), bytes.size(), g), 0);
    const auto frames = OurFrames(bytes);
    for (std::size_t i = 0; i < frames.size(); ++i) {
      const auto& f = g.Frames[i];
      const auto& table = g.Colors.Tables[static_cast<std::size_t>(f.ColorTableIndex)];
      const auto file = anigif::EncodeFrameGif(frames[i].data(), f.Width, f.Width, f.Height, table,
                                               f.HasTransparency ? f.TransIndex : -1);
      const auto back = GiflibFrames(file);
      ASSERT_EQ(1u, back.size()) << name;
      EXPECT_EQ(frames[i], back[0]) << name << " frame " << i;
    }
  }
}

}  // namespace
