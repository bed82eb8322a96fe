// The panel's pictures, drawn by our own code once and kept for the process:
// the window skin (181 x 198, cut in nine pieces by the layout), the picture
// strips of its skinned buttons and the program icon.
#pragma once
#include <windows.h>

#include "controls/picture.h"

namespace panel {

enum class StripKind {
  kClose,      // bExit: a cross
  kPin,        // bType: a pin (toggle strip)
  kTab,        // the tab buttons (toggle strip)
  kPlain,      // bFont and the page buttons: a plain face, the caption on top
  kPrevious,   // page buttons: an arrow
  kNext,
};

// The skin picture (kSkinWidth x kSkinHeight).
controls::PictureRef PanelSkin();

// A horizontal strip of frames of frameWidth x frameHeight: 4 (normal, hover,
// pressed, disabled) or, for toggles, 6 (adding selected, selected hover,
// selected pressed) in the order the Command control expects.
controls::PictureRef ButtonStrip(StripKind kind, int frameWidth, int frameHeight, bool toggle);

// The program icon at a square size (16 or 32); the caller owns it.
HICON CreateProgramIcon(int size);

}  // namespace panel
