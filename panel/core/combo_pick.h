// Tells which notifications of a drop-down list box are the user's picks,
// so that the page under the list always shows the item the list shows. A
// pick of the item already chosen counts too: that is how a user reloads
// what it shows. The notifications come in orders that differ with the way
// the list is used, and between Windows and Wine:
//   arrow keys, list closed:   SELENDOK, SELCHANGE (Wine: SELCHANGE alone)
//   arrow keys, list dropped:  SELCHANGE for each move, then as the list closes
//   Enter, or the mouse:       SELENDOK, CLOSEUP, SELCHANGE (none for the same item)
//   Escape, a click elsewhere, focus leaving:
//                              SELENDCANCEL, CLOSEUP (maybe SELCHANGE), with the
//                              moved selection kept or the old one put back
// (Wine also moves the selection of an open list under the pointer, without
// a word.) So a pick is each SELENDOK, and each SELCHANGE made with the list
// closed or CLOSEUP that finds the list showing another item than the page.
#pragma once
#include <optional>

namespace panel {

class ComboPick {
 public:
  // The page now shows this item, selected from code (CB_SETCURSEL).
  void Shown(int selection) { shown_ = selection; }
  // CBN_SELENDOK with the list's selection now: always a pick.
  bool SelEndOk(int selection);
  // CBN_SELCHANGE, with whether the list is dropped: true when it is a pick.
  bool SelChange(int selection, bool dropped);
  // CBN_CLOSEUP, with the list's selection now: true when it is a pick.
  bool CloseUp(int selection);

 private:
  // Whether the closed list shows another item than the page; it shows it from now on.
  bool Differs(int selection);

  std::optional<int> shown_;  // the item the page shows
};

}  // namespace panel
