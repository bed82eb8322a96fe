// What the library maintenance and its dialogs need of the panel window: its
// handle, the library folder, the category lists, the emoticon last pressed in
// the management grid, and the reloads of the lists and grids.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace panel {

class LibraryHost {
 public:
  virtual HWND PanelWindow() const = 0;
  // The library folder ("Face" beside the program), without a trailing "\".
  virtual std::wstring LibraryRoot() const = 0;
  // Combo1's list, in order.
  virtual std::vector<std::wstring> Categories() const = 0;
  virtual std::wstring Combo1Text() const = 0;
  // The current category of every operation.
  virtual std::wstring Combo3Text() const = 0;
  virtual std::wstring CurrentFacePath() const = 0;
  virtual void LoadType() = 0;
  virtual void LoadFace(const std::wstring& category) = 0;
  virtual void LoadFace2(const std::wstring& category) = 0;

 protected:
  ~LibraryHost() = default;
};

}  // namespace panel
