#include "foundation/core/snap_geometry.h"

#include <gtest/gtest.h>

using namespace foundation;

namespace {

const IntRect kWork{0, 0, 1280, 800};
constexpr std::uintptr_t kA = 0x100;
constexpr std::uintptr_t kB = 0x200;
constexpr std::uintptr_t kC = 0x300;

std::vector<MagneticEntry> List(std::initializer_list<MagneticEntry> windows) {
  std::vector<MagneticEntry> list{MagneticEntry{0, 0, false, kWork}};
  list.insert(list.end(), windows.begin(), windows.end());
  return list;
}

// One move step of window kA that started with the cursor at `start` over a
// window at `from`, now with the cursor at `now`.
MoveStep Move(const std::vector<MagneticEntry>& list, IntRect from, IntPoint start, IntPoint now, int s = 10) {
  IntPoint grip{from.left - start.x, from.top - start.y};
  // The system's proposal is irrelevant except for its size.
  return SnapMoving(list, kA, from.Offset(3, 3), start, now, grip, s);
}

TEST(SnapMoving, NinePixelsSnapsTenDoesNot) {
  const IntRect a{100, 100, 300, 250};
  auto list = List({{kA, 0, false, a}});
  // Left edge 9 px from the work area's left edge: lands on it.
  MoveStep step = Move(list, a, {150, 150}, {150 - 91, 150});
  EXPECT_EQ(step.rect, (IntRect{0, 100, 200, 250}));
  // 10 px: follows the cursor.
  step = Move(list, a, {150, 150}, {150 - 90, 150});
  EXPECT_EQ(step.rect, (IntRect{10, 100, 210, 250}));
  // The same on the far side: right edge 9 px inside the work area's right edge.
  step = Move(list, a, {150, 150}, {150 + 971, 150});
  EXPECT_EQ(step.rect, (IntRect{1080, 100, 1280, 250}));
  // And a SnapWidth of 0 never snaps.
  step = Move(list, a, {150, 150}, {150 - 91, 150}, 0);
  EXPECT_EQ(step.rect.left, 9);
}

TEST(SnapMoving, FollowsTheCursorWithTheStartGripOnceOutOfReach) {
  const IntRect a{100, 100, 300, 250};
  auto list = List({{kA, 0, false, a}});
  // The cursor keeps moving inside the snap distance: the window stays put.
  for (int x : {150 - 95, 150 - 99, 150 - 92})
    EXPECT_EQ(Move(list, a, {150, 150}, {x, 150}).rect.left, 0) << x;
  // Out of reach: exactly where the grip puts it, no accumulated snap.
  EXPECT_EQ(Move(list, a, {150, 150}, {150 - 88, 150}).rect.left, 12);
  // Vertical snap to the bottom edge, from the bottom of the window.
  EXPECT_EQ(Move(list, a, {150, 150}, {150, 150 + 545}).rect.bottom, 800);
}

TEST(SnapMoving, OtherWindowsAreCandidatesAndTheLaterOneWins) {
  const IntRect a{100, 100, 300, 250};
  // B's left edge at 306 and C's left edge at 304 are both in reach of A's
  // right edge once A moves 1 px to the right; C comes later and decides.
  auto list = List({{kA, 0, false, a}, {kB, 0, false, {306, 0, 400, 700}}, {kC, 0, false, {304, 0, 400, 700}}});
  EXPECT_EQ(Move(list, a, {150, 150}, {151, 150}).rect.right, 304);
  // Without C, B decides.
  list.pop_back();
  EXPECT_EQ(Move(list, a, {150, 150}, {151, 150}).rect.right, 306);
  // A candidate far away across the other axis is not in reach.
  list[2].rect = {306, 500, 400, 700};
  EXPECT_EQ(Move(list, a, {150, 150}, {151, 150}).rect.right, 301);
}

TEST(SnapMoving, GluedWindowsTravelAndPullTheGroup) {
  const IntRect a{100, 100, 300, 250};
  const IntRect b{300, 120, 400, 220};  // glued to A's right edge
  auto list = List({{kA, 0, false, a}, {kB, kA, true, b}});
  // A moves by (+50, +60): B keeps its offset.
  MoveStep step = Move(list, a, {150, 150}, {200, 210});
  EXPECT_EQ(step.rect, (IntRect{150, 160, 350, 310}));
  ASSERT_EQ(step.glued.size(), 1u);
  EXPECT_EQ(step.glued[0].index, 2u);
  EXPECT_EQ(step.glued[0].position, (IntPoint{350, 180}));
  // B (not A) comes 6 px short of the work area's right edge: the group is
  // pulled right by 6 px.
  step = Move(list, a, {150, 150}, {150 + 874, 150});
  EXPECT_EQ(step.rect.left, 100 + 874 + 6);
  EXPECT_EQ(step.glued[0].position.x, step.rect.right);
  // The glued window itself is no candidate for A.
  list[2].glued = true;
  step = Move(list, a, {150, 150}, {151, 150});
  EXPECT_EQ(step.rect.left, 101);
}

TEST(SnapSizing, OnlyTheEdgesOfTheSizingCodeSnap) {
  auto list = List({{kA, 0, false, {100, 100, 300, 250}}});
  const IntRect nearAll{5, 4, 1275, 796};  // every edge within reach of the work area
  EXPECT_EQ(SnapSizing(list, kA, nearAll, 3, 10), (IntRect{5, 0, 1275, 796}));      // top
  EXPECT_EQ(SnapSizing(list, kA, nearAll, 8, 10), (IntRect{5, 4, 1280, 800}));      // bottom-right
  EXPECT_EQ(SnapSizing(list, kA, nearAll, 1, 10), (IntRect{0, 4, 1275, 796}));      // left
  EXPECT_EQ(SnapSizing(list, kA, nearAll, 4, 10), (IntRect{0, 0, 1275, 796}));      // top-left
  EXPECT_EQ(SnapSizing(list, kA, nearAll, 7, 10), (IntRect{0, 4, 1275, 800}));      // bottom-left
  EXPECT_EQ(SnapSizing(list, kA, nearAll, 0, 10), nearAll);                         // no edge
  // 10 px away: no snap.
  EXPECT_EQ(SnapSizing(list, kA, {10, 10, 1270, 790}, 4, 10), (IntRect{10, 10, 1270, 790}));
  // An edge snaps to the far edge of another window, the later candidate winning.
  list.push_back({kB, 0, false, {400, 100, 500, 300}});
  EXPECT_EQ(SnapSizing(list, kA, {100, 100, 395, 250}, 2, 10).right, 400);
  EXPECT_EQ(SnapSizing(list, kA, {100, 100, 503, 250}, 2, 10).right, 500);
}

TEST(RectsTouch, EdgesCornersGapsAndOverlaps) {
  const IntRect a{0, 0, 100, 100};
  EXPECT_TRUE(RectsTouch(a, {100, 20, 200, 80}));   // side by side
  EXPECT_TRUE(RectsTouch(a, {20, 100, 80, 200}));   // one below the other
  EXPECT_TRUE(RectsTouch(a, {100, 100, 150, 150})); // corner only
  EXPECT_FALSE(RectsTouch(a, {101, 20, 200, 80}));  // 1 px gap
  EXPECT_FALSE(RectsTouch(a, {100, 101, 200, 180}));// side by side but below
  EXPECT_FALSE(RectsTouch(a, {20, 30, 150, 140}));  // overlap, no shared coordinate
  EXPECT_TRUE(RectsTouch(a, {20, 0, 150, 140}));    // overlap sharing the top
  EXPECT_TRUE(RectsTouch(a, {0, 0, 100, 100}));     // the same rectangle
}

TEST(CheckGlue, ParentsSiblingChainsAndTheWorkArea) {
  auto list = List({
      {kA, 0, false, {100, 100, 300, 300}},
      {kB, kA, false, {300, 100, 400, 200}},     // touches A
      {kC, kA, false, {400, 100, 500, 200}},     // touches B only
      {0x400, kA, false, {600, 100, 700, 200}},  // touches nothing
  });
  CheckGlue(list);
  EXPECT_FALSE(list[1].glued);  // no parent
  EXPECT_TRUE(list[2].glued);
  EXPECT_TRUE(list[3].glued);
  EXPECT_FALSE(list[4].glued);
  // The chain in reverse registration order still spreads.
  std::swap(list[2], list[3]);
  CheckGlue(list);
  EXPECT_TRUE(list[2].glued);
  EXPECT_TRUE(list[3].glued);
  // A parent that is not registered stands for the work area.
  auto orphans = List({{kB, 0x999, false, {0, 300, 100, 400}}, {kC, 0x999, false, {200, 300, 300, 400}}});
  CheckGlue(orphans);
  EXPECT_TRUE(orphans[1].glued);
  EXPECT_FALSE(orphans[2].glued);
}

TEST(FindWindowIndex, SkipsTheWorkAreaEntry) {
  auto list = List({{kA, 0, false, {}}, {kB, 0, false, {}}});
  EXPECT_EQ(FindWindowIndex(list, kB), 2u);
  EXPECT_EQ(FindWindowIndex(list, kC), 0u);
  EXPECT_EQ(FindWindowIndex(list, 0), 0u);
}

}  // namespace
