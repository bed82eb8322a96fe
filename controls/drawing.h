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

}  // namespace controls
