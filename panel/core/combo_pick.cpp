#include "panel/core/combo_pick.h"

namespace panel {

bool ComboPick::SelEndOk(int selection) {
  accepted_ = selection;
  return true;
}

bool ComboPick::SelChange(int selection, bool dropped) {
  // Moves through the open list: its SELENDOK comes when it closes.
  if (dropped) return false;
  const bool followsPick = accepted_ == selection;
  accepted_.reset();
  return !followsPick;
}

}  // namespace panel
