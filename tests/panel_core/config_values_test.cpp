#include <gtest/gtest.h>

#include "panel/core/config_values.h"

using namespace panel;

TEST(ConfigValues, NumericText) {
  EXPECT_EQ(ParseConfigNumber(L"7230"), 7230.0);
  EXPECT_EQ(ParseConfigNumber(L"  -300 "), -300.0);
  EXPECT_EQ(ParseConfigNumber(L"1.5"), 1.5);
  EXPECT_EQ(ParseConfigNumber(L"+.5"), 0.5);
  EXPECT_EQ(ParseConfigNumber(L"1e3"), 1000.0);
  EXPECT_EQ(ParseConfigNumber(L"2.5E-1"), 0.25);
  for (const wchar_t* bad : {L"", L"  ", L"abc", L"1x", L"0x10", L"1e", L".", L"-", L"inf", L"nan", L"1 2", L"1e999"})
    EXPECT_FALSE(ParseConfigNumber(bad).has_value()) << bad;
}

TEST(ConfigValues, PercentClamp) {
  EXPECT_EQ(ClampPercentText(L"150"), L"100");
  EXPECT_EQ(ClampPercentText(L"-1"), L"0");
  EXPECT_EQ(ClampPercentText(L" 42"), L" 42");  // kept as read, blank included
  EXPECT_EQ(ClampPercentText(L"x"), L"50");
  EXPECT_EQ(ClampPercentText(L""), L"50");
  EXPECT_EQ(ClampPercentText(L"100"), L"100");
  EXPECT_EQ(ClampPercentText(L"0"), L"0");
}

TEST(ConfigValues, InputMode) {
  struct Case {
    const wchar_t* text;
    int mode;
  } cases[] = {{L"1.5", 2}, {L"-3", 0}, {L"7", 2}, {L"abc", 2}, {L"1", 1}, {L"", 2},
               {L"0", 0},   {L"0.5", 0}, {L"2.5", 2}, {L"1.4", 1}, {L" 0 ", 0}};
  for (const Case& c : cases) EXPECT_EQ(ClampInputMode(c.text), c.mode) << c.text;
}

TEST(ConfigValues, SavedPosition) {
  EXPECT_EQ(ConfigPosition(L"-300", 5), -300);
  EXPECT_EQ(ConfigPosition(L"abc", 5), 5);
  EXPECT_EQ(ConfigPosition(L"7230.5", 0), 7230);  // halves to even
  EXPECT_EQ(ConfigPosition(L"7231.5", 0), 7232);
  // Numeric but outside 32 bits keeps the default instead of overflowing.
  EXPECT_EQ(ConfigPosition(L"3000000000", 77), 77);
  EXPECT_EQ(ConfigPosition(L"-1e12", 77), 77);
  EXPECT_EQ(ConfigPosition(L"2147483647", 0), 2147483647);
}
