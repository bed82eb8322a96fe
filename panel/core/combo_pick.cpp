#include "panel/core/combo_pick.h"

namespace panel {

bool ComboPick::SelEndOk(int selection) {
  shown_ = selection;
  return true;
}

bool ComboPick::SelChange(int selection, bool dropped) {
  // Moves through the open list: it is decided when the list closes.
  return !dropped && Differs(selection);
}

bool ComboPick::CloseUp(int selection) { return Differs(selection); }

bool ComboPick::Differs(int selection) {
  // A list with no item chosen shows nothing to load.
  if (selection < 0 || shown_ == selection) return false;
  shown_ = selection;
  return true;
}

}  // namespace panel
