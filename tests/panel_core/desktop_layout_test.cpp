// Where the panel hides and where a saved place still counts, over monitor
// layouts a user can have: a laptop below an external monitor, a monitor
// left of the primary one, a monitor unplugged since the place was saved.
#include <gtest/gtest.h>

#include <vector>

#include "panel/core/desktop_layout.h"

using foundation::IntRect;
using panel::LiesOnAMonitor;
using panel::TopAboveDesktop;

namespace {

constexpr int kPanelHeight = 533;
const IntRect kLaptop{0, 0, 1366, 768};              // the primary monitor
const IntRect kAbove{-200, -1080, 1720, 0};          // an external monitor above it
const IntRect kLeftAndLower{-1920, 200, 0, 1280};    // one left of it, standing lower
const IntRect kRight{1366, 0, 3286, 1080};           // one right of it

IntRect Panel(int left, int top) { return {left, top, left + 257, top + kPanelHeight}; }

}  // namespace

TEST(DesktopLayout, HiddenAboveTheHighestMonitorAndOnNone) {
  const std::vector<std::vector<IntRect>> layouts{
      {kLaptop}, {kLaptop, kAbove}, {kAbove, kLaptop, kLeftAndLower}, {kLaptop, kLeftAndLower}, {kLaptop, kRight}};
  const int expectedTop[] = {-kPanelHeight, -1080 - kPanelHeight, -1080 - kPanelHeight, -kPanelHeight,
                             -kPanelHeight};
  for (size_t i = 0; i < layouts.size(); ++i) {
    const int top = TopAboveDesktop(layouts[i], kPanelHeight);
    EXPECT_EQ(top, expectedTop[i]) << "layout " << i;
    // Wherever it stands along the desktop, nothing of it shows.
    for (int left : {-1920, -200, 0, 1100, 2000})
      EXPECT_FALSE(LiesOnAMonitor(Panel(left, top), layouts[i])) << "layout " << i << ", left " << left;
  }
  // Monitors unknown: above the primary one, as before.
  EXPECT_EQ(TopAboveDesktop({}, kPanelHeight), -kPanelHeight);
}

TEST(DesktopLayout, ASavedPlaceCountsWhileAnyPartOfItIsOnAMonitor) {
  const std::vector<IntRect> laptop{kLaptop}, docked{kLaptop, kAbove, kRight};
  // Saved on the monitors of the desk, then opened on the laptop alone.
  EXPECT_TRUE(LiesOnAMonitor(Panel(1500, 100), docked));
  EXPECT_FALSE(LiesOnAMonitor(Panel(1500, 100), laptop));
  EXPECT_TRUE(LiesOnAMonitor(Panel(300, -900), docked));
  EXPECT_FALSE(LiesOnAMonitor(Panel(300, -900), laptop));
  // Partly off the screen is still on it.
  EXPECT_TRUE(LiesOnAMonitor(Panel(-20, 40), laptop));
  EXPECT_TRUE(LiesOnAMonitor(Panel(1365, 767), laptop));
  // Touching an edge from outside is not (right and bottom are exclusive).
  EXPECT_FALSE(LiesOnAMonitor(Panel(1366, 0), laptop));
  EXPECT_FALSE(LiesOnAMonitor(Panel(-257, 0), laptop));
  EXPECT_FALSE(LiesOnAMonitor(Panel(0, -kPanelHeight), laptop));
  // Nothing known of the monitors: the place stands.
  EXPECT_TRUE(LiesOnAMonitor(Panel(50000, 50000), {}));
}
