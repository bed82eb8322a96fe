// The UI-free arithmetic: fitting rules, the thumbnail and kept-cell blobs, archive entry names.
#include <gtest/gtest.h>

#include <cstring>

#include "foundation/core/fitted_cell.h"
#include "foundation/core/picture_fit.h"
#include "foundation/core/rar_entry_name.h"
#include "foundation/core/rar_extraction_budget.h"
#include "foundation/core/thumb_blob.h"

using namespace foundation;

namespace {

struct CellFitCase {
  int w, h;
  int x, y, nw, nh;
};

TEST(PictureFit, CellTableHalvesGoToEven) {
  // 43 x 43 cell, reduced by 10 to 33 x 33.
  const CellFitCase cases[] = {
      {100, 50, 5, 14, 33, 16},  // 16.5 -> 16, 13.5 -> 14
      {50, 20, 5, 15, 33, 13},   //
      {60, 100, 12, 5, 20, 33},  // 19.8 -> 20, 11.5 -> 12
      {20, 20, 12, 12, 20, 20},  // kept, 11.5 -> 12
      {33, 33, 5, 5, 33, 33},    // exactly the reduced box
      {34, 10, 5, 16, 33, 10},   // one pixel too wide: 9.7 -> 10, 16.5 -> 16
  };
  for (const auto& c : cases) {
    const FitResult r = FitPicture(43, 43, 10, c.w, c.h);
    EXPECT_EQ(r.reducedWidth, 33);
    EXPECT_EQ(r.reducedHeight, 33);
    EXPECT_EQ(r.x, c.x) << c.w << "x" << c.h;
    EXPECT_EQ(r.y, c.y) << c.w << "x" << c.h;
    EXPECT_EQ(r.width, c.nw) << c.w << "x" << c.h;
    EXPECT_EQ(r.height, c.nh) << c.w << "x" << c.h;
  }
}

TEST(PictureFit, OrientationPicksPinnedSideEvenWhenTheOtherOverflows) {
  const FitResult r = FitPicture(100, 40, 10, 80, 60);
  EXPECT_EQ(r.width, 90);
  EXPECT_EQ(r.height, 68);  // 67.5 -> 68
  EXPECT_EQ(r.x, 5);
  EXPECT_EQ(r.y, -14);
}

TEST(PictureFit, PreviewInTwips) {
  FitResult r = FitPicture(3000, 3000, 30, 1500, 750);
  EXPECT_EQ(r.width, 1500);
  EXPECT_EQ(r.height, 750);
  EXPECT_EQ(r.y, 1125);
  EXPECT_EQ(r.x, 750);
  r = FitPicture(2000, 1000, 30, 1500, 3000);
  EXPECT_EQ(r.width, 485);
  EXPECT_EQ(r.height, 970);
  EXPECT_EQ(r.y, 15);
  EXPECT_EQ(r.x, 758);  // 757.5 -> 758
}

TEST(PictureFit, RoundHalfEvenToInt32) {
  EXPECT_EQ(RoundHalfEvenToInt32(16.5), 16);
  EXPECT_EQ(RoundHalfEvenToInt32(17.5), 18);
  EXPECT_EQ(RoundHalfEvenToInt32(-14.5), -14);
  EXPECT_EQ(RoundHalfEvenToInt32(-13.5), -14);
  EXPECT_EQ(RoundHalfEvenToInt32(2.4999), 2);
  EXPECT_EQ(RoundHalfEvenToInt32(1e12), INT32_MAX);
}

TEST(BestFit, ThumbnailBoxTable) {
  struct Case {
    int sw, sh;
    bool stretch;
    int x, y, w, h;
  };
  const Case cases[] = {
      {100, 50, false, 0, 9, 35, 17}, {50, 100, false, 9, 0, 17, 35},  {70, 140, false, 8, 0, 18, 35},
      {70, 70, false, 0, 0, 35, 35},  {30, 34, false, 2, 0, 30, 34},   {1000, 1, false, 0, 17, 35, 1},
      {20, 20, false, 7, 7, 20, 20},  {20, 20, true, 0, 0, 35, 35},
  };
  for (const auto& c : cases) {
    BestFit fit;
    ASSERT_TRUE(GetBestFitInfo(c.sw, c.sh, 35, 35, c.stretch, fit));
    EXPECT_EQ(fit.x, c.x) << c.sw << "x" << c.sh;
    EXPECT_EQ(fit.y, c.y) << c.sw << "x" << c.sh;
    EXPECT_EQ(fit.width, c.w) << c.sw << "x" << c.sh;
    EXPECT_EQ(fit.height, c.h) << c.sw << "x" << c.sh;
  }
}

TEST(BestFit, EmptySourceIsRefused) {
  BestFit fit;
  EXPECT_FALSE(GetBestFitInfo(0, 10, 35, 35, false, fit));
  EXPECT_FALSE(GetBestFitInfo(10, -1, 35, 35, false, fit));
  EXPECT_EQ(fit.width, 0);
}

ThumbnailImage Image(int w, int h) {
  ThumbnailImage image;
  image.width = w;
  image.height = h;
  image.pixels.resize(static_cast<size_t>(ThumbnailImageSize(w, h)));
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 7);
  return image;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

TEST(ThumbBlob, SizesAndHeaderFields) {
  EXPECT_EQ(ThumbnailImageSize(35, 17), 1224);
  EXPECT_EQ(ThumbnailImageSize(1, 1), 4);
  EXPECT_EQ(ThumbnailImageSize(35, 35), 72 * 35);
  const auto blob = EncodeThumbnailBlob(Image(35, 17));
  ASSERT_EQ(blob.size(), 1264u);
  EXPECT_EQ(Le32(blob, 0), 40u);
  EXPECT_EQ(Le32(blob, 4), 35u);
  EXPECT_EQ(Le32(blob, 8), 17u);
  EXPECT_EQ(blob[12] | (blob[13] << 8), 1);
  EXPECT_EQ(blob[14] | (blob[15] << 8), 16);
  EXPECT_EQ(Le32(blob, 16), 0u);
  EXPECT_EQ(Le32(blob, 20), 1224u);
  for (size_t at = 24; at < 40; at += 4) EXPECT_EQ(Le32(blob, at), 0u);
}

TEST(ThumbBlob, RoundTripKeepsPixels) {
  for (auto [w, h] : {std::pair{35, 17}, std::pair{1, 1}, std::pair{20, 20}, std::pair{35, 35}, std::pair{3, 35}}) {
    const ThumbnailImage in = Image(w, h);
    const DecodedThumbnail out = DecodeThumbnailBlob(EncodeThumbnailBlob(in));
    ASSERT_EQ(out.kind, BlobKind::kImage) << w << "x" << h;
    EXPECT_EQ(out.image.width, w);
    EXPECT_EQ(out.image.height, h);
    EXPECT_EQ(out.image.pixels, in.pixels);
  }
}

TEST(ThumbBlob, EncoderRefusesWhatCouldNotBeReadBack) {
  ThumbnailImage wide = Image(35, 10);
  wide.width = 36;  // pixels sized for 35
  EXPECT_TRUE(EncodeThumbnailBlob(wide).empty());
  ThumbnailImage shortPixels = Image(10, 10);
  shortPixels.pixels.pop_back();
  EXPECT_TRUE(EncodeThumbnailBlob(shortPixels).empty());
  ThumbnailImage zero;
  EXPECT_TRUE(EncodeThumbnailBlob(zero).empty());
}

TEST(ThumbBlob, UndecodableMarker) {
  const auto blob = UndecodableThumbnailBlob();
  EXPECT_EQ(blob.size(), 40u);
  EXPECT_EQ(DecodeThumbnailBlob(blob).kind, BlobKind::kUndecodable);
}

TEST(ThumbBlob, CorruptHeadersRejected) {
  const auto good = EncodeThumbnailBlob(Image(35, 17));
  auto patched = [&](size_t at, uint32_t value, int bytes = 4) {
    auto b = good;
    for (int i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(value >> (8 * i));
    return DecodeThumbnailBlob(b).kind;
  };
  EXPECT_EQ(patched(0, 41), BlobKind::kCorrupt);            // header size
  EXPECT_EQ(patched(4, 36), BlobKind::kCorrupt);            // width beyond 35
  EXPECT_EQ(patched(4, 0), BlobKind::kCorrupt);             // width 0
  EXPECT_EQ(patched(8, 0xFFFFFFEF), BlobKind::kCorrupt);    // negative (top-down) height
  EXPECT_EQ(patched(12, 2, 2), BlobKind::kCorrupt);         // planes
  EXPECT_EQ(patched(14, 24, 2), BlobKind::kCorrupt);        // bit count
  EXPECT_EQ(patched(16, 3), BlobKind::kCorrupt);            // compression
  EXPECT_EQ(patched(20, 1228), BlobKind::kCorrupt);         // image size
  EXPECT_EQ(patched(4, 34), BlobKind::kCorrupt);            // width no longer matches the image size
  auto truncated = good;
  truncated.pop_back();
  EXPECT_EQ(DecodeThumbnailBlob(truncated).kind, BlobKind::kCorrupt);
  auto longer = good;
  longer.push_back(0);
  EXPECT_EQ(DecodeThumbnailBlob(longer).kind, BlobKind::kCorrupt);
  EXPECT_EQ(DecodeThumbnailBlob(good.data(), 39).kind, BlobKind::kCorrupt);
  EXPECT_EQ(DecodeThumbnailBlob(nullptr, 0).kind, BlobKind::kCorrupt);
  // 40 bytes that are not all zero and not a header.
  std::vector<uint8_t> junk(40, 0);
  junk[39] = 1;
  EXPECT_EQ(DecodeThumbnailBlob(junk).kind, BlobKind::kCorrupt);
}

TEST(RarEntryName, RefusesNamesThatLeaveTheDestinationOrThatWindowsCannotHold) {
  for (const wchar_t* bad : {L"", L"..\\x", L"../x", L"a\\..\\..\\x", L"a/../b", L"..", L"\\x", L"/etc/passwd",
                             L"C:\\x", L"c:x", L"\\\\server\\share\\x", L"//server/share/x", L"a\\b:stream",
                             L"a\\.\\b", L"a\\\\b", L"...\\x", L".. \\x", L"a\\..", L"x\x01y", L"min?.gif",
                             L"a<b", L"a>b", L"a\"b", L"d/a|b", L"*.gif", L"b.gif.", L"sub \\x.gif", L"sub /",
                             L"con.gif", L"d\\NUL", L"Aux.tar.gz", L"prn", L"d/com1.gif", L"LPT9\\x.gif",
                             L"con .gif"}) {
    EXPECT_FALSE(IsSafeEntryName(bad)) << bad;
  }
  for (const wchar_t* good : {L"a.gif", L"表情\\笑脸.gif", L"d1/d2/deep.gif", L"d1\\", L"..a.gif", L"a..b\\c",
                              L".hidden", L" lead.gif", L"console.gif", L"com10.gif", L"lpt.gif", L"nul_\\x"}) {
    EXPECT_TRUE(IsSafeEntryName(good)) << good;
  }
}

TEST(RarEntryName, ArchiveNameIgnoresLetterCase) {
  EXPECT_TRUE(IsRarArchiveName(L"C:\\packs\\X.RAR"));
  EXPECT_TRUE(IsRarArchiveName(L"x.Rar"));
  EXPECT_TRUE(IsRarArchiveName(L".rar"));
  EXPECT_FALSE(IsRarArchiveName(L"rar"));
  EXPECT_FALSE(IsRarArchiveName(L"x.rar.zip"));
  EXPECT_FALSE(IsRarArchiveName(L"x.ra"));
  EXPECT_FALSE(IsRarArchiveName(L"xrar"));
}

TEST(RarExtractionBudget, EntriesAndBytesUpToTheBounds) {
  RarExtractionBudget entries;
  for (size_t i = 0; i < kMaxRarEntries; ++i) ASSERT_TRUE(entries.AdmitEntry(0)) << i;
  EXPECT_FALSE(entries.AdmitEntry(0));

  RarExtractionBudget claims;
  EXPECT_TRUE(claims.AdmitEntry(kMaxRarUnpackedBytes - 1));
  EXPECT_TRUE(claims.AdmitEntry(1));
  EXPECT_FALSE(claims.AdmitEntry(1));
  EXPECT_FALSE(claims.AdmitEntry(0));  // stays refused
  // Sizes that would wrap the sum around are refused, not added.
  RarExtractionBudget wrap;
  EXPECT_TRUE(wrap.AdmitEntry(1));
  EXPECT_FALSE(wrap.AdmitEntry(UINT64_MAX));
  EXPECT_FALSE(wrap.AdmitEntry(1));

  // An unknown size claims nothing; what it writes is counted.
  RarExtractionBudget unknown;
  EXPECT_TRUE(unknown.AdmitEntry(kRarUnknownSize));
  EXPECT_TRUE(unknown.AdmitWritten(kMaxRarUnpackedBytes));
  EXPECT_FALSE(unknown.AdmitWritten(1));
  EXPECT_FALSE(unknown.AdmitWritten(0));
}

TEST(RarEntryName, LeafName) {
  EXPECT_EQ(EntryLeafName(L"a\\b\\c.gif"), L"c.gif");
  EXPECT_EQ(EntryLeafName(L"a/b"), L"b");
  EXPECT_EQ(EntryLeafName(L"plain"), L"plain");
}

}  // namespace

TEST(FittedCellBlob, CropAndRoundTrip) {
  // A 6 x 5 cell on white with two drawn pixels: the rectangle around them is kept.
  const uint32_t white = 0xFFFFFF;
  std::vector<uint32_t> cell(6 * 5, white);
  cell[1 * 6 + 2] = 0x123456;
  cell[3 * 6 + 4] = 0xFF000000u | 0xABCDEF;  // the unused byte of a DIB pixel is ignored
  const FittedCell c = CropFittedCell(cell.data(), 6, 6, 5, white);
  EXPECT_EQ(c.drawn, (IntRect{2, 1, 5, 4}));
  EXPECT_EQ(c.At(2, 1), 0x123456u);
  EXPECT_EQ(c.At(4, 3), 0xABCDEFu);
  EXPECT_EQ(c.At(3, 2), white);
  EXPECT_EQ(c.At(0, 0), white);
  const std::optional<FittedCell> back = DecodeFittedCell(EncodeFittedCell(c));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 6);
  EXPECT_EQ(back->height, 5);
  EXPECT_EQ(back->drawn, c.drawn);
  EXPECT_EQ(back->pixels, c.pixels);
  // Nothing drawn: an empty rectangle survives the round trip too.
  const FittedCell blank = CropFittedCell(std::vector<uint32_t>(6 * 5, white).data(), 6, 6, 5, white);
  EXPECT_TRUE(blank.drawn.Empty());
  const std::optional<FittedCell> blankBack = DecodeFittedCell(EncodeFittedCell(blank));
  ASSERT_TRUE(blankBack);
  EXPECT_TRUE(blankBack->drawn.Empty());
  EXPECT_EQ(blankBack->At(3, 3), white);
}

TEST(FittedCellBlob, DecoderRefusesWhatCouldNotHaveBeenWritten) {
  std::vector<uint32_t> cell(4 * 4, 0xFFFFFF);
  cell[5] = 0x102030;
  const std::vector<uint8_t> good = EncodeFittedCell(CropFittedCell(cell.data(), 4, 4, 4, 0xFFFFFF));
  ASSERT_TRUE(DecodeFittedCell(good));
  auto broken = [&](auto change) {
    std::vector<uint8_t> b = good;
    change(b);
    return !DecodeFittedCell(b);
  };
  EXPECT_TRUE(broken([](std::vector<uint8_t>& b) { b[0] = 'X'; }));            // not ours
  EXPECT_TRUE(broken([](std::vector<uint8_t>& b) { b[2] = 2; }));              // another format
  EXPECT_TRUE(broken([](std::vector<uint8_t>& b) { b.pop_back(); }));          // cut short
  EXPECT_TRUE(broken([](std::vector<uint8_t>& b) { b.push_back(0); }));        // trailing bytes
  EXPECT_TRUE(broken([](std::vector<uint8_t>& b) { b[12] = 4; }));             // drawn part outside the cell
  EXPECT_TRUE(broken([](std::vector<uint8_t>& b) { b[4] = 0, b[5] = 0; }));    // no cell
  EXPECT_TRUE(broken([](std::vector<uint8_t>& b) { b[4] = 0xFF, b[5] = 0xFF; }));  // a cell far too big
  EXPECT_FALSE(DecodeFittedCell(nullptr, 0));
  // What the encoder can't describe it doesn't write.
  FittedCell odd;
  odd.width = odd.height = 4;
  odd.drawn = {1, 1, 3, 3};
  odd.pixels.resize(3);
  EXPECT_TRUE(EncodeFittedCell(odd).empty());
}
