// The thumbnail record's blob: a 40-byte BITMAPINFOHEADER (16 bits per pixel,
// bottom-up rows) followed by the pixel rows. Everything read back from the
// database is untrusted: DecodeThumbnailBlob accepts only a header this program
// could have written. No windows here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace foundation {

inline constexpr int32_t kThumbnailMaxSide = 35;   // thumbnails fit 35 x 35
inline constexpr size_t kThumbnailHeaderBytes = 40;

// Bytes of one 16-bit pixel row, padded to whole 32-bit words.
int32_t ThumbnailRowBytes(int32_t width);
// Bytes of the pixel part of a width x height thumbnail.
int32_t ThumbnailImageSize(int32_t width, int32_t height);

struct ThumbnailImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;  // ThumbnailImageSize(width, height) bytes, bottom row first
};

// Header then pixels. Empty when the image is not a valid thumbnail (sides 1
// to 35, pixel part of exactly the right size).
std::vector<uint8_t> EncodeThumbnailBlob(const ThumbnailImage& image);
// The record written for a file that cannot be decoded: 40 zero bytes.
std::vector<uint8_t> UndecodableThumbnailBlob();

enum class BlobKind {
  kImage,        // a valid thumbnail
  kUndecodable,  // the 40 zero bytes of a file that cannot be decoded
  kCorrupt,      // anything else: the record must be rebuilt
};

struct DecodedThumbnail {
  BlobKind kind = BlobKind::kCorrupt;
  ThumbnailImage image;  // filled for kImage only
};

DecodedThumbnail DecodeThumbnailBlob(const uint8_t* data, size_t size);
inline DecodedThumbnail DecodeThumbnailBlob(const std::vector<uint8_t>& blob) {
  return DecodeThumbnailBlob(blob.data(), blob.size());
}

}  // namespace foundation
