// An owner-drawn grid of cells in one window: the panel's emoticon grids (43 x
// 43 picture cells), its text-symbol grid and the still preview (one cell).
// Each cell keeps its picture or text (drawn once into the grid's back
// surface) and its Tag: the full path of its emoticon, the symbol entry, or ""
// for a blank cell.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/back_surface.h"
#include "foundation/window_base.h"

namespace panel {

inline constexpr int kCellPixels = 43;
// The hover frame's colour (OLE &HC46A31).
inline constexpr COLORREF kHoverFrameColor = RGB(0x31, 0x6A, 0xC4);

// How a grid's cells look and how its window is known.
struct GridLook {
  int cellWidth = kCellPixels;
  int cellHeight = kCellPixels;
  COLORREF cellBackground = RGB(0xFF, 0xFF, 0xFF);
  const wchar_t* className = L"TarnwickFaceGrid";
  int id = 0;  // the child window's id
  // Fitted pictures kept by the thumbnail store, so that a file is decoded
  // once (the main grid; cells of other sizes would only crowd it out).
  bool keepPictures = false;
  // A press on the grid activates the panel. The grids whose click pastes
  // into the chat window don't: the paste gives the activation to the chat
  // window at once, and a chat window that loses it again before it has read
  // the keys pressed for it loses those keys (Wine drops keyboard input
  // queued for a thread with no active window by the time it reads it), as
  // happens when the next click is waiting for the paste to end.
  bool activatesPanel = true;
};

class FaceGrid : public foundation::WindowBase {
 public:
  // A child of parent at (x, y), width x height pixels, background an RGB colour.
  bool Create(HWND parent, int x, int y, int width, int height, COLORREF background, const GridLook& look = {});

  // Replaces every cell: their top-left corners in pixels, all blank. The
  // window takes the given height (the content's height in pixels).
  void SetCells(const std::vector<POINT>& corners, int contentHeight);
  int CellCount() const { return static_cast<int>(cells_.size()); }
  // Drops every cell after the first n; the kept ones keep picture and Tag.
  void KeepFirstCells(int n);

  const std::wstring& Tag(int index) const;
  // Blank: no picture, Tag "".
  void ClearCell(int index);
  void ClearAll();
  // The picture file fitted into the cell as DrawImageFit draws it.
  void DrawFitted(int index, const std::wstring& path);
  // The file's cached thumbnail centred in the cell.
  void DrawThumbnail(int index, const std::wstring& path);
  // Both draw at once a cell that is on screen; the others are drawn a few at
  // a time between messages soon after (those scrolled into view first), so
  // that what the user sees comes first. A cell cleared, drawn or dropped
  // meanwhile is not drawn again.
  int PendingCells() const { return static_cast<int>(pending_.size()); }
  // One line of black text centred in the blanked cell.
  void DrawCellText(int index, const std::wstring& text, HFONT font);
  void SetTag(int index, const std::wstring& tag);

  // The hover frame sits on one cell (-1: none shown).
  void SetFramedCell(int index);
  int FramedCell() const { return framed_; }

  // The cell under a point of the window, or -1.
  int CellAt(int x, int y) const;
  RECT CellRect(int index) const;

  // The window's top inside its parent (scrolling moves it).
  void SetTop(int top);
  int Height() const { return height_; }
  void Show(bool visible);

  // Raised on a press on a cell (button: 1 left, 2 right, 4 middle) and on a move over one.
  std::function<void(int index, int16_t button)> CellMouseDown;
  std::function<void(int index)> CellMouseMove;

  // Pixels of the drawn grid (tests).
  const controls::BackSurface& surface() const { return surface_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Cell {
    POINT corner;
    std::wstring tag;
  };
  enum class PictureKind { kFitted, kThumbnail };
  struct PendingCell {
    int index;
    std::wstring path;
    PictureKind kind;
  };
  void DrawOrQueue(int index, const std::wstring& path, PictureKind kind);
  void DrawPicture(int index, const std::wstring& path, PictureKind kind);
  void DrawSomePending();
  void DropPending(int index);  // -1: all
  bool InView(int index) const;
  void BlankCell(const Cell& c);
  void CopyScratchTo(const Cell& c);
  void InvalidateCell(int index);
  bool Valid(int index) const { return index >= 0 && index < CellCount(); }

  std::vector<Cell> cells_;
  std::vector<PendingCell> pending_;
  controls::BackSurface surface_;
  controls::BackSurface scratch_;  // one cell, where each picture or text is drawn first
  COLORREF background_ = RGB(0xE0, 0xE0, 0xE0);
  GridLook look_;
  int framed_ = -1;
  int width_ = 0, height_ = 0, left_ = 0, top_ = 0;
};

}  // namespace panel
