// The editor's grid: the panel Picture1 holding the 50 cells PicF(0..49),
// ten to a row. The selection is nothing but the cells' selected flags.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "controls/box.h"
#include "editor/core/editor_geometry.h"
#include "editor/face_cell.h"

namespace editor {

class FaceGrid {
 public:
  // Picture1 as a child of parent at (x, y), with the cells inside.
  bool Create(HWND parent, int x, int y);

  FaceCell& Cell(int index) { return cells_[static_cast<size_t>(index)]; }
  const FaceCell& Cell(int index) const { return cells_[static_cast<size_t>(index)]; }
  HWND hwnd() const { return picture_.hwnd(); }

  // Every cell emptied (picture and Tag).
  void ClearCells();
  // "全否": every cell deselected.
  void ClearSelection();
  // "全选": every cell whose Tag names an existing file is selected; the
  // others keep their state.
  void SelectCellsWithFiles();
  // The first selected cell, or -1.
  int FirstSelected() const;

  // Raised with the cell's index when a cell is clicked.
  std::function<void(int index)> CellClick;

 private:
  controls::Box picture_;
  std::array<FaceCell, kCellCount> cells_;
};

}  // namespace editor
