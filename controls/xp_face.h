// The XP-look face of XpCommand, drawn whole on every call from the button's
// flags and colours: a gradient from the back colour lightened by 48, edge
// lines, and a focus or hover ring; pressed and disabled looks of their own;
// a dark one-pixel frame around it all. MakeRoundRegion gives the button's
// window its outline with three pixels cut from each corner.
#pragma once
#include <windows.h>

#include <cstdint>

namespace controls {

struct XpFaceState {
  int width = 0, height = 0;  // pixels, 10 or more
  bool enabled = true;
  bool pressed = false;
  bool hover = false;
  bool focus = false;
  uint32_t backColor = 0x8000000Fu;     // OLE colours
  uint32_t pressedColor = 0xE4AD89u;  // the focus ring's base
  uint32_t hoverColor = 0x30B3F8u;
};

void DrawXPButton(HDC dc, const XpFaceState& state);

// Replaces the window's region (the window owns it from then on).
void MakeRoundRegion(HWND hwnd, int width, int height);

}  // namespace controls
