// The category strip: the bordered viewport Box2, the panel Picture2 inside it
// holding one toggle button per category (TypeList), one under the other, and
// the scroll bar that moves Picture2 up by its Value in twips.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/box.h"
#include "controls/command.h"
#include "controls/xp_vscrollbar.h"

namespace editor {

class CategoryStrip {
 public:
  // The viewport at (x, y), width x height pixels, on parent; the scroll bar
  // just right of it. The first button exists from the start.
  bool Create(HWND parent, int x, int y, int width, int height);

  // One button per name, in order; without names the first button is
  // hidden. Then the strip's height and the scroll bar follow.
  void Rebuild(const std::vector<std::wstring>& names);
  // The buttons act as a radio group: only this one shows as selected.
  void Select(int index);

  int Count() const { return count_; }
  std::wstring Caption(int index) const;

  // Raised with the button's index when a category button is clicked.
  std::function<void(int index)> ButtonClick;

  controls::XpVScrollBar& scrollBar() { return scroll_; }
  HWND stripHandle() const { return strip_.hwnd(); }

 private:
  std::unique_ptr<controls::Command> MakeButton(int index, const std::wstring& caption);
  void PlaceStrip();

  controls::Box box_;    // Box2
  controls::Box strip_;  // Picture2
  controls::XpVScrollBar scroll_;
  std::vector<std::unique_ptr<controls::Command>> buttons_;
  int count_ = 0;
  int width_ = 0;
};

}  // namespace editor
