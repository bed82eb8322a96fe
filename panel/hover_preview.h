// The hover preview over the main emoticon grid: the box Picture6 in the
// grid's frame shows the emoticon under the pointer larger, GIF files playing
// in the animated control GIF, other pictures drawn still into GIF2. The box
// hides when the pointer leaves the grid area and jumps to the frame's other
// side when the pointer reaches it.
#pragma once
#include <windows.h>

#include <string>

#include "anigif/ani_gif.h"
#include "panel/core/preview_rules.h"
#include "panel/face_grid.h"
#include "panel/plain_panel.h"

namespace panel {

inline constexpr int kIdPreviewGif = 1501;

class HoverPreview {
 public:
  // The box goes into the grid's frame (Box(0)), hidden.
  bool Create(HWND frame);
  // Repaints the animated control.
  void Refresh();
  // The pointer moved over main-grid cell `cell`, whose path is "" when blank.
  void ShowCell(int cell, const std::wstring& path);
  void Hide();
  // The grid was rebuilt: the next hover loads its picture afresh.
  void ForgetLastCell() { tracker_.Forget(); }

 private:
  void Jump();
  void ShowAnimated(const std::wstring& path);
  void ShowStill(const std::wstring& path);

  HWND frame_ = nullptr;
  PlainPanel box_;        // Picture6
  anigif::ucAniGIF gif_;  // GIF
  FaceGrid still_;        // GIF2: one cell
  PreviewTracker tracker_;
  int leftTwips_ = kPreviewLeftTwips;
};

}  // namespace panel
