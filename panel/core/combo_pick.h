// Tells which notifications of a drop-down list box are the user's picks. A
// pick of the item already chosen counts too: that is how a user reloads what
// it shows. The notifications come in orders that differ with the way the
// pick was made, and between Windows and Wine:
//   arrow keys, list closed:   SELENDOK, SELCHANGE (Wine: SELCHANGE alone)
//   arrow keys, list dropped:  SELCHANGE for each move, SELENDOK, CLOSEUP
//   the mouse:                 SELENDOK, CLOSEUP, SELCHANGE (none for the same item)
// So a pick is each SELENDOK, and each SELCHANGE with the list closed that
// does not merely follow the SELENDOK of the same item.
#pragma once
#include <optional>

namespace panel {

class ComboPick {
 public:
  // CBN_SELENDOK with the list's selection now: always a pick.
  bool SelEndOk(int selection);
  // CBN_SELCHANGE, with whether the list is dropped: true when it is a pick.
  bool SelChange(int selection, bool dropped);

 private:
  std::optional<int> accepted_;  // the pick a SELCHANGE may still follow
};

}  // namespace panel
