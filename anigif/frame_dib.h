// A bottom-up DIB section selected into its own memory DC: the frame strip
// (8 bits, colour table swapped at paint time), the composition canvas (24
// bits) and its 1-bit mask (kept unselected; swapped into the canvas DC).
#pragma once
#include <windows.h>

#include <cstdint>

#include "anigif/core/canvas_rows.h"
#include "anigif/core/gif_stream.h"
#include "anigif/core/lzw_decoder.h"
#include "foundation/handles.h"

namespace anigif {

class FrameDib {
 public:
  FrameDib() = default;
  FrameDib(const FrameDib&) = delete;
  FrameDib& operator=(const FrameDib&) = delete;
  ~FrameDib() { Release(); }

  // 8-bit strip with the identity ramp as colour table.
  bool CreateStrip(int32_t width, int32_t height);
  // 24-bit canvas, and with withMask a 1-bit mask (entry 0 black, 1 white).
  bool CreateCanvas(int32_t width, int32_t height, bool withMask);
  // Puts the old bitmap back and deletes everything; fields become empty.
  void Release() noexcept;

  HDC dc() const noexcept { return dc_.get(); }
  HBITMAP bitmap() const noexcept { return bitmap_.get(); }
  HBITMAP mask() const noexcept { return mask_.get(); }
  bool valid() const noexcept { return dc_ && bitmap_; }
  int32_t width() const noexcept { return width_; }
  int32_t height() const noexcept { return height_; }

  // Rows top-down over the bottom-up bits (call GdiFlush before touching them).
  IndexSurface Indexes() const;
  BitsSurface Colour() const;
  BitsSurface MaskBits() const;

  // Writes all 256 entries of the strip's colour table.
  void SetColorTable(const uint32_t* entries256) const;

  // Selects the mask into the DC in place of the colour bitmap, and back.
  void SelectMask() const;
  void SelectColour() const;

 private:
  foundation::UniqueMemoryDc dc_;
  foundation::UniqueBitmap bitmap_;
  foundation::UniqueBitmap mask_;
  HGDIOBJ old_ = nullptr;
  uint8_t* bits_ = nullptr;
  uint8_t* maskBits_ = nullptr;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int bpp_ = 0;
};

}  // namespace anigif
