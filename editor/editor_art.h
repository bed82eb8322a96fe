// The editor's pictures, drawn by code: the picture strips of its category
// toggles and paging buttons. (Its icon is a resource: tools/icon_maker.)
#pragma once
#include <windows.h>

#include "controls/picture.h"

namespace editor {

// A toggle strip of six frames of width x height in the order the Command
// control reads them: normal, hover, pressed, selected, selected hover,
// selected pressed. The caption is drawn by the button on top.
controls::PictureRef CategoryButtonStrip(int width, int height);

// A push-button strip of four frames (normal, hover, pressed, disabled) with a
// small arrow pointing left (previous) or right (next).
controls::PictureRef PageButtonStrip(bool next, int width, int height);

}  // namespace editor
