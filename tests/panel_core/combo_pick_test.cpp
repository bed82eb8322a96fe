// Each way of picking an item in a drop-down list box is one pick, whatever
// notifications it comes with, a pick of the item already chosen is one too,
// and a list closed without a pick leaves the page showing what it shows.
#include "panel/core/combo_pick.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum class Note { kSelEndOk, kSelChangeClosed, kSelChangeDropped, kCloseUp };

// The picks the notifications of one or more uses of the list make, at the selections given.
int Picks(panel::ComboPick& pick, const std::vector<std::pair<Note, int>>& notes) {
  int picks = 0;
  for (const auto& [note, selection] : notes) {
    switch (note) {
      case Note::kSelEndOk: picks += pick.SelEndOk(selection); break;
      case Note::kSelChangeClosed: picks += pick.SelChange(selection, false); break;
      case Note::kSelChangeDropped: picks += pick.SelChange(selection, true); break;
      case Note::kCloseUp: picks += pick.CloseUp(selection); break;
    }
  }
  return picks;
}

TEST(ComboPick, EveryWayOfPickingIsOnePick) {
  panel::ComboPick pick;
  pick.Shown(0);
  // The mouse, another item, then the same one again.
  EXPECT_EQ(Picks(pick, {{Note::kSelEndOk, 2}, {Note::kCloseUp, 2}, {Note::kSelChangeClosed, 2}}), 1);
  EXPECT_EQ(Picks(pick, {{Note::kSelEndOk, 2}, {Note::kCloseUp, 2}}), 1);
  // Arrow keys through the open list, accepted with Enter.
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeDropped, 3}, {Note::kSelChangeDropped, 4}, {Note::kSelEndOk, 4},
                         {Note::kCloseUp, 4}}),
            1);
  // Arrow keys on the closed list, as Windows reports them and as Wine does.
  EXPECT_EQ(Picks(pick, {{Note::kSelEndOk, 3}, {Note::kSelChangeClosed, 3}}), 1);
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeClosed, 2}}), 1);
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeClosed, 1}}), 1);
  // An arrow key at the end of the closed list moves nothing (Wine still says it changed).
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeClosed, 1}}), 0);
  // Back and forth.
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeClosed, 2}, {Note::kSelChangeClosed, 1}}), 2);
}

TEST(ComboPick, AListClosedWithoutAPickLeavesThePageShowingWhatTheListShows) {
  panel::ComboPick pick;
  pick.Shown(0);
  // Arrow keys through the open list, then Escape, a click elsewhere or focus
  // leaving: the moved selection kept (Wine's Escape) is one pick.
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeDropped, 1}, {Note::kSelChangeDropped, 2}, {Note::kCloseUp, 2}}), 1);
  // The old selection put back before the list closes (Wine's click
  // elsewhere), or just after it (a SELCHANGE with the list closed): the page
  // shows what the list shows either way, loaded once.
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeDropped, 3}, {Note::kCloseUp, 2}}), 0);
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeDropped, 3}, {Note::kCloseUp, 3}, {Note::kSelChangeClosed, 2}}), 2);
  // Wine moves the open list's selection under the pointer without a word.
  EXPECT_EQ(Picks(pick, {{Note::kCloseUp, 4}}), 1);
  // Opened and closed again with nothing moved.
  EXPECT_EQ(Picks(pick, {{Note::kCloseUp, 4}}), 0);
  // A list emptied meanwhile has nothing to load.
  EXPECT_EQ(Picks(pick, {{Note::kCloseUp, -1}}), 0);
}

TEST(ComboPick, ASelectionMadeFromCodeSwallowsNoLaterPick) {
  panel::ComboPick pick;
  pick.Shown(0);
  // Item 1 picked again with the mouse: Wine sends no SELCHANGE after it.
  EXPECT_EQ(Picks(pick, {{Note::kSelEndOk, 1}, {Note::kCloseUp, 1}}), 1);
  // A reload selects the first item from code, and the user goes on to item 1
  // with the arrow keys on the closed list.
  pick.Shown(0);
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeClosed, 1}}), 1);
  // The same through the open list, closed with Escape.
  pick.Shown(0);
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeDropped, 1}, {Note::kCloseUp, 1}}), 1);
}

}  // namespace
