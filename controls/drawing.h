// Text and line drawing shared by the controls. A caption is always measured
// with the very font it is drawn with, so centring is exact.
#pragma once
#include <windows.h>

#include <string>

#include "controls/control_font.h"
#include "foundation/handles.h"

namespace controls {

// A GDI font for these settings at the DC's resolution (points to pixels).
foundation::UniqueFont CreateGdiFont(const FontSpec& font, HDC dc);

// Width and height of text in pixels in that font (one line, no prefix
// processing); height is the font's line height even for empty text.
SIZE MeasureText(HDC dc, HFONT font, const std::wstring& text);

// Draws one line of text with its top-left at (x, y), transparent background.
void DrawTextAt(HDC dc, HFONT font, const std::wstring& text, int x, int y, COLORREF color);

// A solid pen line from (x1, y1) to (x2, y2); the end point itself is left out.
void DrawPenLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int width = 1);

// A one-pixel border just inside the rectangle (FrameRect), or the whole
// rectangle filled (FillRect), with a solid brush of the colour.
void DrawRect(HDC dc, int left, int top, int right, int bottom, COLORREF color, bool filled);

// Copies the source rectangle (sx1, sy1)-(sx2, sy2) of source onto destination
// at (dx, dy); source pixels of the transparent colour (compared as given, no
// system colour translation) show what background holds at that place. The
// width and height are limited to 16 bits, as the copy works on 16-bit sizes.
void TransBlt(HDC destination, HDC background, HDC source, int sx1, int sy1, int sx2, int sy2, int dx, int dy,
              COLORREF transparent);

}  // namespace controls
