#include "editor/face_grid.h"

#include "editor/core/control_ids.h"
#include "foundation/file_ops.h"

namespace editor {
namespace {

// Picture1's back colour, RGB(224, 224, 224), as an OLE colour.
constexpr uint32_t kGridBackColor = 0xE0E0E0u;

}  // namespace

bool FaceGrid::Create(HWND parent, int x, int y) {
  controls::PropertyBag bag;
  bag.Write(L"BackColor", controls::ColorToLong(kGridBackColor));
  bag.Write(L"LineColor", controls::ColorToLong(kGridBackColor));
  if (!picture_.Create(parent, kIdGrid, x, y, kGridWidthPixels, kGridHeightPixels, &bag)) return false;
  for (int i = 0; i < kCellCount; ++i) {
    const PixelPoint at = CellOrigin(i);
    if (!Cell(i).Create(picture_.hwnd(), kIdFirstCell + i, at.x, at.y)) return false;
    Cell(i).Click = [this, i] {
      if (CellClick) CellClick(i);
    };
  }
  return true;
}

void FaceGrid::ClearCells() {
  for (FaceCell& c : cells_) c.Clear();
}

void FaceGrid::ClearSelection() {
  for (FaceCell& c : cells_) c.SetSelected(false);
}

void FaceGrid::SelectCellsWithFiles() {
  for (FaceCell& c : cells_) {
    if (foundation::FileExists(c.Tag())) c.SetSelected(true);
  }
}

int FaceGrid::FirstSelected() const {
  for (int i = 0; i < kCellCount; ++i) {
    if (Cell(i).Selected()) return i;
  }
  return -1;
}

}  // namespace editor
