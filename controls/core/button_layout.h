// Where the owner-drawn command buttons put their picture and caption: the
// content area 4 pixels in from the top-left and 3 from the far edges, the
// picture centred alone or placed beside the caption by PicturePosition
// (0 above, 1 left, 2 right, 3 below) with a 4-pixel gap. The caption size
// comes in measured (wrapped at the content width). No <windows.h>.
#pragma once
#include <cstdint>

#include "foundation/core/int_rect.h"

namespace controls {

inline constexpr int kPictureCaptionGap = 4;

struct ButtonLayoutInput {
  int width = 0, height = 0;  // client size in pixels
  bool hasPicture = false;
  bool hasCaption = false;
  int pictureWidth = 16, pictureHeight = 16;
  int32_t picturePosition = 1;
  int captionWidth = 0, captionHeight = 0;  // measured at the content width
  // The flat button keeps a picture left of its caption at x = 2 instead of
  // centring the pair.
  bool pictureLeftAtEdge = false;
  // The picture rectangle of the last layout: an unknown position keeps it.
  foundation::IntRect previousPicture;
};

struct ButtonLayout {
  foundation::IntRect full;     // (0, 0, width - 1, height - 1)
  foundation::IntRect content;
  foundation::IntRect picture;
  foundation::IntRect caption;
};

ButtonLayout ComputeButtonLayout(const ButtonLayoutInput& in);

}  // namespace controls
