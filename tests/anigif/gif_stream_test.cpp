#include "anigif/core/gif_stream.h"

#include <gtest/gtest.h>

#include "anigif/gif_builder.h"

namespace anigif {
namespace {
using anigif_test::GifBuilder;
using anigif_test::MakeImage;
using anigif_test::Ramp;

int Parse(const std::vector<uint8_t>& b, GifStream& g) { return ParseGifStream(b.data(), b.size(), g); }

TEST(GifStream, HeaderSignaturesInAnyCase) {
  for (const char* sig : {"GIF89a", "gif89a", "GIF87A", "gIf87a"}) {
    GifStream g;
    EXPECT_EQ(1, Parse(GifBuilder(4, 4, Ramp(4), sig).Add(MakeImage(0, 0, 4, 4, 4, 1)).Finish(), g)) << sig;
  }
  for (const char* sig : {"GIF88a", "PNG89a", "GIF89b"}) {
    GifStream g;
    EXPECT_EQ(0, Parse(GifBuilder(4, 4, Ramp(4), sig).Add(MakeImage(0, 0, 4, 4, 4, 1)).Finish(), g)) << sig;
    EXPECT_TRUE(g.Frames.empty());
  }
}

TEST(GifStream, EmptyAndHeaderOnlyInputLoadNothing) {
  GifStream g;
  EXPECT_EQ(0, ParseGifStream(nullptr, 0, g));
  const std::vector<uint8_t> five = {'G', 'I', 'F', '8', '9'};
  EXPECT_EQ(0, Parse(five, g));
  EXPECT_EQ(0, Parse(GifBuilder(10, 10, Ramp(4)).bytes, g));
  EXPECT_EQ(0, Parse(GifBuilder(10, 10, Ramp(4)).Finish(), g));
}

TEST(GifStream, LoopBlockVariants) {
  GifStream g;
  Parse(GifBuilder(2, 2, Ramp(2)).Add(MakeImage(0, 0, 2, 2, 2, 1)).Finish(), g);
  EXPECT_EQ(0, g.Loops);
  Parse(GifBuilder(2, 2, Ramp(2)).Loop(7).Add(MakeImage(0, 0, 2, 2, 2, 1)).Finish(), g);
  EXPECT_EQ(7, g.Loops);
  Parse(GifBuilder(2, 2, Ramp(2)).Loop(65535).Add(MakeImage(0, 0, 2, 2, 2, 1)).Finish(), g);
  EXPECT_EQ(65535, g.Loops);
  // A first sub-block that is not 3 bytes long leaves the count alone, and
  // the rest of the block is skipped cleanly.
  EXPECT_EQ(1, Parse(GifBuilder(2, 2, Ramp(2)).Loop(9, 5).Add(MakeImage(0, 0, 2, 2, 2, 1)).Finish(), g));
  EXPECT_EQ(0, g.Loops);
}

TEST(GifStream, ControlBlocksDelaysDisposalsAndSharing) {
  auto b = GifBuilder(8, 8, Ramp(4));
  b.Control(3, 7, 2).Add(MakeImage(0, 0, 8, 8, 4, 1));   // disposal 3 on the first image becomes 0
  b.Control(3, 0).Add(MakeImage(1, 1, 2, 2, 4, 2));      // a later one keeps 3
  b.Control(2, 5).Control(1, 9, 3).Add(MakeImage(0, 0, 1, 1, 4, 3));  // the second block replaces the first
  b.Add(MakeImage(0, 0, 1, 1, 4, 4));                    // shares nothing
  GifStream g;
  ASSERT_EQ(4, Parse(b.Finish(), g));
  EXPECT_EQ(0, g.Frames[0].Disposal);
  EXPECT_EQ(70, g.Frames[0].Delay);
  EXPECT_EQ(1, g.Frames[0].HasTransparency);
  EXPECT_EQ(2, g.Frames[0].TransIndex);
  EXPECT_EQ(3, g.Frames[1].Disposal);
  EXPECT_EQ(0, g.Frames[1].Delay);
  EXPECT_EQ(0, g.Frames[1].HasTransparency);
  EXPECT_EQ(1, g.Frames[2].Disposal);
  EXPECT_EQ(90, g.Frames[2].Delay);
  EXPECT_EQ(3, g.Frames[2].TransIndex);
  EXPECT_EQ(0, g.Frames[3].Disposal);
  EXPECT_EQ(0, g.Frames[3].Delay);
  EXPECT_EQ(0, g.Frames[3].HasTransparency);
  EXPECT_TRUE(g.HasControlBlock(0));
  EXPECT_FALSE(g.HasControlBlock(3));
  EXPECT_EQ(g.Spans[3].Start, g.Frames[3].DataStart);
}

TEST(GifStream, TableNumberingAndSpans) {
  auto local = MakeImage(0, 0, 3, 3, 4, 2);
  local.localTable = {0x112233, 0x445566, 0x778899, 0xAABBCC};
  const auto bytes = GifBuilder(3, 3, Ramp(8)).Add(MakeImage(0, 0, 3, 3, 8, 1)).Add(local).Add(MakeImage(0, 0, 3, 3, 8, 3)).Add(local).Finish();
  GifStream g;
  ASSERT_EQ(4, Parse(bytes, g));
  EXPECT_EQ(0, g.Frames[0].ColorTableIndex);
  EXPECT_EQ(1, g.Frames[1].ColorTableIndex);
  EXPECT_EQ(0, g.Frames[2].ColorTableIndex);
  EXPECT_EQ(2, g.Frames[3].ColorTableIndex);
  ASSERT_EQ(3u, g.Colors.Tables.size());
  EXPECT_EQ(4u, g.Colors.Tables[1][256]);
  EXPECT_EQ(0x445566u, g.Colors.Tables[1][1]);
  EXPECT_EQ(0u, g.Colors.Tables[1][4]);  // zeros past the count
  EXPECT_EQ(8u, g.Colors.Tables[0][256]);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(0x2C, bytes[g.Spans[i].Start]);
    const std::size_t end = g.Spans[i].Start + g.Spans[i].Length;
    EXPECT_EQ(0, bytes[end - 1]);  // through the block terminator
  }
}

TEST(GifStream, LocalTableMissingWithoutGlobalDropsEverything) {
  auto local = MakeImage(0, 0, 2, 2, 2, 1);
  local.localTable = {0, 0xFFFFFF};
  GifStream g;
  EXPECT_EQ(0, Parse(GifBuilder(2, 2).Add(local).Add(MakeImage(0, 0, 2, 2, 2, 2)).Finish(), g));
  EXPECT_TRUE(g.Frames.empty());
}

TEST(GifStream, CanvasFromLargestExtentsNotTheScreen) {
  GifStream g;
  ASSERT_EQ(1, Parse(GifBuilder(500, 1, Ramp(2)).Add(MakeImage(10, 20, 30, 40, 2, 1)).Finish(), g));
  EXPECT_EQ(40, g.CanvasWidth);
  EXPECT_EQ(60, g.CanvasHeight);
  ASSERT_EQ(2, Parse(GifBuilder(1, 1, Ramp(2)).Add(MakeImage(50, 0, 5, 5, 2, 1)).Add(MakeImage(0, 70, 3, 3, 2, 1)).Finish(), g));
  EXPECT_EQ(55, g.CanvasWidth);
  EXPECT_EQ(73, g.CanvasHeight);
}

TEST(GifStream, TruncationAtEveryOffsetKeepsCompletedFrames) {
  GifBuilder b(6, 6, Ramp(4));
  b.Loop(0);
  std::vector<std::size_t> imageStarts, dataStarts;
  for (int i = 0; i < 3; ++i) {
    b.Control(1, 10);
    imageStarts.push_back(b.bytes.size());
    dataStarts.push_back(b.bytes.size() + 10);  // the minimum code size byte
    b.Add(MakeImage(0, 0, 6, 6, 4, 10 + i));
  }
  const auto full = b.Finish();
  for (std::size_t cut = 0; cut <= full.size(); ++cut) {
    const std::vector<uint8_t> part(full.begin(), full.begin() + cut);
    GifStream g;
    const int n = Parse(part, g);
    int expected = 0;
    for (int i = 0; i < 3; ++i)
      if (cut > dataStarts[i]) expected = i + 1;  // descriptor and code size complete
    EXPECT_EQ(expected, n) << "cut at " << cut;
    for (int i = 0; i < n; ++i) {
      EXPECT_LE(static_cast<std::size_t>(g.Spans[i].Start + g.Spans[i].Length), cut);
    }
  }
}

TEST(GifStream, CapsFailTheLoadCleanly) {
  GifStream g;
  // A zero-sized canvas.
  EXPECT_EQ(0, Parse(GifBuilder(4, 4, Ramp(2)).Add(MakeImage(0, 0, 0, 0, 2, 1)).Finish(), g));
  // A zero-sized frame beside a real one is kept as a frame.
  EXPECT_EQ(2, Parse(GifBuilder(4, 4, Ramp(2)).Add(MakeImage(0, 0, 0, 5, 2, 1)).Add(MakeImage(0, 0, 2, 2, 2, 1)).Finish(), g));
  // Canvas sides past 8192.
  {
    auto im = MakeImage(8190, 0, 3, 1, 2, 1);
    EXPECT_EQ(0, Parse(GifBuilder(1, 1, Ramp(2)).Add(im).Finish(), g));
    EXPECT_TRUE(g.Frames.empty());
    im.left = 8189;
    EXPECT_EQ(1, Parse(GifBuilder(1, 1, Ramp(2)).Add(im).Finish(), g));
  }
  // More than 4096 frames.
  {
    GifBuilder b(1, 1, Ramp(2));
    const auto im = MakeImage(0, 0, 1, 1, 2, 1);
    for (int i = 0; i < 4096; ++i) b.Add(im);
    auto ok = b.bytes;
    ok.push_back(0x3B);
    EXPECT_EQ(4096, Parse(ok, g));
    b.Add(im);
    EXPECT_EQ(0, Parse(b.Finish(), g));
  }
  // Files over 32 MiB are refused before parsing.
  std::vector<uint8_t> huge(kMaxFileBytes + 1, 0);
  auto small = GifBuilder(1, 1, Ramp(2)).Add(MakeImage(0, 0, 1, 1, 2, 1)).Finish();
  std::copy(small.begin(), small.end(), huge.begin());
  EXPECT_EQ(0, Parse(huge, g));
}

TEST(GifStream, SubBlockLengthsPastTheEndAreClamped) {
  auto bytes = GifBuilder(2, 2, Ramp(2)).Add(MakeImage(0, 0, 2, 2, 2, 1)).bytes;
  bytes.push_back(0x2C);
  for (int i = 0; i < 8; ++i) bytes.push_back(i == 4 ? 2 : i == 6 ? 2 : 0);
  bytes.push_back(0);     // packed
  bytes.push_back(2);     // code size
  bytes.push_back(200);   // a sub-block claiming 200 bytes in a file that ends here
  bytes.push_back(1);
  GifStream g;
  ASSERT_EQ(2, Parse(bytes, g));
  EXPECT_EQ(bytes.size(), static_cast<std::size_t>(g.Spans[1].Start + g.Spans[1].Length));
}

TEST(GifStream, ScanlineBytesIsDwordAligned) {
  EXPECT_EQ(4, ScanlineBytes(8, 1));
  EXPECT_EQ(8, ScanlineBytes(8, 5));
  EXPECT_EQ(12, ScanlineBytes(24, 4));
  EXPECT_EQ(4, ScanlineBytes(1, 32));
  EXPECT_EQ(8, ScanlineBytes(1, 33));
}

}  // namespace
}  // namespace anigif
