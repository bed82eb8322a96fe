// The hover preview's decisions: which pictures animate, when a cell's
// picture is loaded, and where the box goes when the pointer reaches it.
// No windows here.
#pragma once
#include <optional>
#include <string>

namespace panel {

// A file whose name ends in ".gif", in any case, plays in the animated control.
bool IsAnimatedPicture(const std::wstring& path);

enum class PreviewLoad { kNone, kAnimated, kStill };
struct PreviewStep {
  bool showBox;      // false: the box hides (a blank cell)
  PreviewLoad load;  // kNone: the cell's picture is already on show
};

// Tracks the last previewed cell, so that moving within one cell decodes its
// picture once.
class PreviewTracker {
 public:
  // The pointer moved over a cell holding path ("" for a blank cell).
  PreviewStep Enter(int cell, const std::wstring& path);
  // The grid was rebuilt: the next hover loads afresh, whatever its index.
  void Forget() { last_.reset(); }

 private:
  std::optional<int> last_;
};

// The box's two places, twips from the left of the grid's frame: the left
// side, or the right side computed from the frame's width (pixels) and the
// box's inner width (twips). From one side it jumps to the other; any other
// place stays.
inline constexpr int kPreviewLeftTwips = 30;
int RightPreviewLeft(int frameWidthPixels, int innerWidthTwips);
int JumpedPreviewLeft(int currentTwips, int frameWidthPixels, int innerWidthTwips);

}  // namespace panel
