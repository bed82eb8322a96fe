// Grid cells drawn by the fit-and-draw routine, taken off a device context
// and put back on one (core/fitted_cell.h holds the pixels).
#pragma once
#include <windows.h>

#include <string>

#include "foundation/core/fitted_cell.h"

namespace foundation {

// What the file system says of a file's content: its size and its last write
// and creation times; "" when the file can't be read.
std::wstring FileStamp(const std::wstring& path);

// The width x height pixels at (0, 0) of dc, a memory DC holding a 32-bit
// DIB section; nullopt when they can't be read.
std::optional<FittedCell> CaptureFittedCell(HDC dc, int32_t width, int32_t height, COLORREF background);

// Draws the kept pixels at (0, 0) of dc, whose cell already shows the
// background; what lies outside the drawn rectangle is left as it is.
void DrawFittedCell(HDC dc, const FittedCell& cell);

// A COLORREF as a kept cell holds its colours (0x00RRGGBB).
uint32_t CellColor(COLORREF color);

}  // namespace foundation
