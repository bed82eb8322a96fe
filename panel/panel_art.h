// The panel's pictures, drawn by our own code once and kept for the process:
// the window skin (181 x 198, cut in nine pieces by the layout) and the
// picture strips of its skinned buttons; and the logo they share with the
// program icon.
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

// The logo, a smiling face filling the square of size pixels at x, y: drawn
// on the skin, and by tools/icon_maker into the program's icon file.
void DrawLogo(HDC dc, int x, int y, int size);

}  // namespace panel
