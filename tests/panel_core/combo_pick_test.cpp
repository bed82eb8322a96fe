// Each way of picking an item in a drop-down list box is one pick, whatever
// notifications it comes with, and a pick of the item already chosen is one too.
#include "panel/core/combo_pick.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum class Note { kSelEndOk, kSelChangeClosed, kSelChangeDropped };

// The picks the notifications of one or more picks make, at the selections given.
int Picks(panel::ComboPick& pick, const std::vector<std::pair<Note, int>>& notes) {
  int picks = 0;
  for (const auto& [note, selection] : notes) {
    if (note == Note::kSelEndOk) picks += pick.SelEndOk(selection);
    else picks += pick.SelChange(selection, note == Note::kSelChangeDropped);
  }
  return picks;
}

TEST(ComboPick, EveryWayOfPickingIsOnePick) {
  panel::ComboPick pick;
  // The mouse, another item, then the same one again.
  EXPECT_EQ(Picks(pick, {{Note::kSelEndOk, 2}, {Note::kSelChangeClosed, 2}}), 1);
  EXPECT_EQ(Picks(pick, {{Note::kSelEndOk, 2}}), 1);
  // Arrow keys through the open list, accepted with Enter.
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeDropped, 3}, {Note::kSelChangeDropped, 4}, {Note::kSelEndOk, 4}}), 1);
  // Arrow keys on the closed list, as Windows reports them and as Wine does.
  EXPECT_EQ(Picks(pick, {{Note::kSelEndOk, 3}, {Note::kSelChangeClosed, 3}}), 1);
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeClosed, 2}}), 1);
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeClosed, 1}}), 1);
}

TEST(ComboPick, AChangeAfterAPickOfTheSameItemLeftNoTraceIsAPick) {
  panel::ComboPick pick;
  EXPECT_EQ(Picks(pick, {{Note::kSelEndOk, 1}}), 1);
  // Back and forth with the arrow keys on the closed list, Wine's way.
  EXPECT_EQ(Picks(pick, {{Note::kSelChangeClosed, 2}, {Note::kSelChangeClosed, 1}}), 2);
}

}  // namespace
