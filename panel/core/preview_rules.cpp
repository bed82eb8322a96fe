#include "panel/core/preview_rules.h"

#include <cwctype>

namespace panel {

bool IsAnimatedPicture(const std::wstring& path) {
  if (path.size() < 4) return false;
  std::wstring tail = path.substr(path.size() - 4);
  for (wchar_t& c : tail) c = static_cast<wchar_t>(std::towlower(c));
  return tail == L".gif";
}

PreviewStep PreviewTracker::Enter(int cell, const std::wstring& path) {
  PreviewStep step{!path.empty(), PreviewLoad::kNone};
  if (last_ == cell) return step;
  // A blank cell clears the still box (nothing drawn) and counts as previewed.
  step.load = IsAnimatedPicture(path) ? PreviewLoad::kAnimated : PreviewLoad::kStill;
  last_ = cell;
  return step;
}

int RightPreviewLeft(int frameWidthPixels, int innerWidthTwips) {
  return frameWidthPixels * 15 - innerWidthTwips - 280;
}

int JumpedPreviewLeft(int currentTwips, int frameWidthPixels, int innerWidthTwips) {
  const int right = RightPreviewLeft(frameWidthPixels, innerWidthTwips);
  if (currentTwips == kPreviewLeftTwips) return right;
  if (currentTwips == right) return kPreviewLeftTwips;
  return currentTwips;
}

}  // namespace panel
