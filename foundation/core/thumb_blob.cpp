#include "foundation/core/thumb_blob.h"

#include <algorithm>
#include <cstring>

#include "foundation/core/little_endian.h"

namespace foundation {
namespace {

bool ValidSide(int32_t v) { return v >= 1 && v <= kThumbnailMaxSide; }

}  // namespace

int32_t ThumbnailRowBytes(int32_t width) { return ((width * 16 + 31) / 32) * 4; }

int32_t ThumbnailImageSize(int32_t width, int32_t height) {
  // Sides are limited to 35, so no product here can overflow.
  if (!ValidSide(width) || !ValidSide(height)) return 0;
  return ThumbnailRowBytes(width) * height;
}

std::vector<uint8_t> EncodeThumbnailBlob(const ThumbnailImage& image) {
  const int32_t size = ThumbnailImageSize(image.width, image.height);
  if (size == 0 || image.pixels.size() != static_cast<size_t>(size)) return {};
  std::vector<uint8_t> blob(kThumbnailHeaderBytes + static_cast<size_t>(size), 0);
  uint8_t* h = blob.data();
  PutLe32(h + 0, 40);                                  // biSize
  PutLe32(h + 4, static_cast<uint32_t>(image.width));  // biWidth
  PutLe32(h + 8, static_cast<uint32_t>(image.height)); // biHeight: positive, bottom-up
  PutLe16(h + 12, 1);                                  // biPlanes
  PutLe16(h + 14, 16);                                 // biBitCount
  // biCompression 0 (BI_RGB) at 16
  PutLe32(h + 20, static_cast<uint32_t>(size));        // biSizeImage
  std::memcpy(h + kThumbnailHeaderBytes, image.pixels.data(), image.pixels.size());
  return blob;
}

std::vector<uint8_t> UndecodableThumbnailBlob() { return std::vector<uint8_t>(kThumbnailHeaderBytes, 0); }

DecodedThumbnail DecodeThumbnailBlob(const uint8_t* data, size_t size) {
  DecodedThumbnail out;
  if (!data || size < kThumbnailHeaderBytes) return out;
  if (size == kThumbnailHeaderBytes &&
      std::all_of(data, data + size, [](uint8_t b) { return b == 0; })) {
    out.kind = BlobKind::kUndecodable;
    return out;
  }
  const uint32_t headerSize = GetLe32(data + 0);
  const int32_t width = static_cast<int32_t>(GetLe32(data + 4));
  const int32_t height = static_cast<int32_t>(GetLe32(data + 8));
  const uint16_t planes = GetLe16(data + 12);
  const uint16_t bits = GetLe16(data + 14);
  const uint32_t compression = GetLe32(data + 16);
  const uint32_t imageSize = GetLe32(data + 20);
  if (headerSize != 40 || planes != 1 || bits != 16 || compression != 0) return out;
  if (!ValidSide(width) || !ValidSide(height)) return out;
  const int32_t expected = ThumbnailImageSize(width, height);
  if (imageSize != static_cast<uint32_t>(expected)) return out;
  if (size != kThumbnailHeaderBytes + static_cast<size_t>(expected)) return out;
  out.kind = BlobKind::kImage;
  out.image.width = width;
  out.image.height = height;
  out.image.pixels.assign(data + kThumbnailHeaderBytes, data + size);
  return out;
}

}  // namespace foundation
