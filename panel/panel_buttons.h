// The panel's skinned picture buttons: their stored settings, their creation,
// and the previous/next pair that pages a grid from its status strip.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "controls/command.h"
#include "controls/picture.h"

namespace panel {

// The stored settings of a button: caption, picture strip, toggle and state.
controls::PropertyBag CommandBag(const std::wstring& caption, controls::PictureRef picture, bool check, bool status);

// A button on parent at (x, y), w x h pixels, with child window id `id`.
std::unique_ptr<controls::Command> MakeCommand(HWND parent, int x, int y, int w, int h,
                                              const controls::PropertyBag& bag,
                                              const controls::AmbientProperties& ambient, int id = 0);

// Previous and next page buttons at the right end of a status strip.
struct PageButtons {
  std::unique_ptr<controls::Command> previous, next;
  void Create(HWND strip, int stripWidth, const controls::AmbientProperties& ambient, int previousId = 0,
              int nextId = 0);
  // Keeps them at the strip's right end after a resize.
  void Layout(int stripWidth);
};

}  // namespace panel
