// One cell of the editor's grid (PicF): a 43 x 43 picture box that keeps the
// picture drawn into it and its Tag, the full path of the file it shows ("" for
// an empty cell). The cell is a toggle: a click selects or deselects it, and a
// selected cell shows a blue frame (Shape1) over its picture.
//
// The Tag is also the window's text, and BM_GETCHECK answers the selection, so
// tools outside the program (screen readers, tests) can read both.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "controls/back_surface.h"
#include "foundation/window_base.h"

namespace editor {

class FaceCell : public foundation::WindowBase {
 public:
  // A visible child of parent with that id, at (x, y).
  bool Create(HWND parent, int id, int x, int y);

  // No picture, Tag "" (the selection is left as it is).
  void Clear();
  // The picture file drawn straight from the file, fitted into the cell less
  // 10 pixels; or its cached thumbnail.
  void DrawFitted(const std::wstring& path);
  void DrawThumbnail(const std::wstring& path);

  const std::wstring& Tag() const { return tag_; }
  void SetTag(const std::wstring& tag);

  bool Selected() const { return selected_; }
  void SetSelected(bool selected);

  // Raised by a left click (press and release on the cell); the second press
  // of a double click raises none.
  std::function<void()> Click;

  // What the cell shows (tests).
  const controls::BackSurface& surface() const { return surface_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BeginPicture();

  controls::BackSurface surface_;
  std::wstring tag_;
  bool selected_ = false;
  bool pressed_ = false;
};

}  // namespace editor
