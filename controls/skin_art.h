// The kit's own skin pictures, drawn by code once, cached for the life of the
// process and freed at exit (or by FreeSkinArt):
//  - the four 45 x 20 looks of the dialog skin button (index = look: 0
//    disabled, 1 normal, 2 hover, 3 pressed): a light face in a 3-pixel frame;
//  - the scroll bar's pictures by number (arrows, tracks, thumb caps), in the
//    colours of the scroll-bar colour schemes.
#pragma once
#include "controls/picture.h"

namespace controls {

inline constexpr int kQQSkinWidth = 45;
inline constexpr int kQQSkinHeight = 20;

// nullptr for a look outside 0..3.
PictureRef QQButtonSkin(int look);

// nullptr for a number that is not one of the scroll bar's pictures.
PictureRef ScrollBarSkin(int id);

// Releases every cached picture (pictures still held elsewhere live on).
void FreeSkinArt();

}  // namespace controls
