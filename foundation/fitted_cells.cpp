#include "foundation/fitted_cells.h"

#include <cwchar>
#include <vector>

#include "foundation/top_down_dib.h"

namespace foundation {

std::wstring FileStamp(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return {};
  wchar_t text[80];
  std::swprintf(text, 80, L"%08lx%08lx-%08lx%08lx-%08lx%08lx", data.nFileSizeHigh, data.nFileSizeLow,
                data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime,
                data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
  return text;
}

uint32_t CellColor(COLORREF color) {
  return (static_cast<uint32_t>(GetRValue(color)) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

std::optional<FittedCell> CaptureFittedCell(HDC dc, int32_t width, int32_t height, COLORREF background) {
  if (!dc || width < 1 || height < 1 || width > kFittedCellMaxSide || height > kFittedCellMaxSide) return std::nullopt;
  auto* bitmap = static_cast<HBITMAP>(::GetCurrentObject(dc, OBJ_BITMAP));
  BITMAP held{};
  if (!bitmap || ::GetObjectW(bitmap, sizeof(held), &held) != sizeof(held) || held.bmWidth < width ||
      held.bmHeight < height)
    return std::nullopt;
  ::GdiFlush();
  // The whole bitmap (a cell's scratch is the cell's size), rows top-down.
  BITMAPINFO info = TopDown32BitmapInfo(held.bmWidth, held.bmHeight);
  std::vector<uint32_t> rows(static_cast<size_t>(held.bmWidth) * static_cast<size_t>(held.bmHeight));
  if (::GetDIBits(dc, bitmap, 0, static_cast<UINT>(held.bmHeight), rows.data(), &info, DIB_RGB_COLORS) !=
      held.bmHeight)
    return std::nullopt;
  return CropFittedCell(rows.data(), held.bmWidth, width, height, CellColor(background));
}

void DrawFittedCell(HDC dc, const FittedCell& cell) {
  const IntRect& d = cell.drawn;
  if (d.Empty()) return;
  const BITMAPINFO info = TopDown32BitmapInfo(d.Width(), d.Height());
  ::SetDIBitsToDevice(dc, d.left, d.top, static_cast<DWORD>(d.Width()), static_cast<DWORD>(d.Height()), 0, 0, 0,
                      static_cast<UINT>(d.Height()), cell.pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace foundation
