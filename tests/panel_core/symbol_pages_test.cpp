#include <gtest/gtest.h>

#include "panel/core/symbol_pages.h"

using namespace panel;

namespace {
std::vector<std::wstring> Category(int rows) {
  std::vector<std::wstring> list;
  for (int i = 1; i <= rows; ++i) list.push_back(L"S" + std::to_wstring(i) + L"|Split|d");
  list.push_back(L"");  // the end marker
  return list;
}
}  // namespace

TEST(SymbolPages, TextAndItsShownForm) {
  EXPECT_EQ(SymbolText(L"★|Split|星星"), L"★");
  EXPECT_EQ(SymbolText(L"★|Split|"), L"★");
  EXPECT_EQ(SymbolText(L"no marker"), L"no marker");
  EXPECT_EQ(SymbolText(L"a|Split|b|Split|c"), L"a");
  EXPECT_EQ(SymbolText(L""), L"");

  EXPECT_EQ(ShownSymbolText(L"123456789012"), L"123456789012");
  EXPECT_EQ(ShownSymbolText(L"1234567890123"), L"123456789...");
  EXPECT_EQ(ShownSymbolText(L"（＾∀＾●）ﾉｼ（＾∀＾●）"), L"（＾∀＾●）ﾉｼ（...");
  // A character outside the basic plane at the cut goes whole, not halved.
  const std::wstring pair = L"\xD83D\xDE00";
  const std::wstring shown = ShownSymbolText(L"12345678" + pair + L"abcd");
  EXPECT_EQ(shown, L"12345678...");
  EXPECT_EQ(ShownSymbolText(L"1234567" + pair + L"abcd"), L"1234567" + pair + L"...");
}

TEST(SymbolPages, PagesEntriesAndLabels) {
  // 85 symbols: three pages, the third holding symbols 81 to 85.
  const auto list = Category(85);
  EXPECT_EQ(SymbolPageEntries(list, 1).size(), 40u);
  EXPECT_EQ(SymbolPageEntries(list, 1).front(), L"S1|Split|d");
  EXPECT_EQ(SymbolPageEntries(list, 2).front(), L"S41|Split|d");
  const auto third = SymbolPageEntries(list, 3);
  ASSERT_EQ(third.size(), 5u);
  EXPECT_EQ(third.front(), L"S81|Split|d");
  EXPECT_EQ(third.back(), L"S85|Split|d");
  EXPECT_TRUE(SymbolPageEntries(list, 4).empty());
  EXPECT_TRUE(SymbolPageEntries(list, 0).empty());
  EXPECT_EQ(SymbolPageLabel(1, 85), L"第1页/共3页");

  // 60 symbols: page 2 shows 20.
  EXPECT_EQ(SymbolPageEntries(Category(60), 2).size(), 20u);
  EXPECT_EQ(SymbolPageLabel(2, 60), L"第2页/共2页");
  // Few symbols still make one page.
  EXPECT_EQ(SymbolPageEntries(Category(10), 1).size(), 10u);
  EXPECT_EQ(SymbolPageLabel(1, 10), L"第1页/共1页");
  EXPECT_EQ(SymbolPageLabel(1, 40), L"第1页/共1页");
  EXPECT_EQ(SymbolPageLabel(1, 41), L"第1页/共2页");

  // The end marker stops a page even when entries follow it.
  std::vector<std::wstring> stray{L"a|Split|", L"", L"b|Split|"};
  EXPECT_EQ(SymbolPageEntries(stray, 1), std::vector<std::wstring>{L"a|Split|"});
}

TEST(SymbolPages, CellsTwoToARowInsideTheContent) {
  EXPECT_EQ(SymbolCellTwips(1).left, 1660);
  EXPECT_EQ(SymbolCellTwips(11).left, 1665);  // from the sixth row on, 5 twips further right
  EXPECT_EQ(SymbolCellTwips(11).top, 1810);
  for (int k = 0; k < kSymbolsPerPage; ++k) {
    EXPECT_LE(SymbolCellTwips(k).left + kSymbolCellWidthTwips, kSymbolContentWidthTwips) << k;
    EXPECT_LE(SymbolCellTwips(k).top + kSymbolCellHeightTwips, kSymbolContentHeightTwips) << k;
  }
}
