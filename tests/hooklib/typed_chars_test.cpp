#include <gtest/gtest.h>

#include "hooklib/core/typed_chars.h"

using namespace hooklib;

TEST(TypedChars, OnlyPrintableCharactersGoToThePanel) {
  for (wchar_t c : {L'\b', L'\t', L'\n', L'\r', L'\x16' /* Ctrl+V */, L'\x1b', L'\x7f', L'\x85', L'\xd83d', L'\xdc00'})
    EXPECT_FALSE(IsConvertibleChar(c)) << static_cast<int>(c);
  for (wchar_t c : {L' ', L'a', L'~', L'\xa0', L'é', L'这', L'★', L'\xff5e', L'\xe000'})
    EXPECT_TRUE(IsConvertibleChar(c)) << static_cast<int>(c);
}

TEST(TypedChars, TheAnswerReplacesTheMessageInOrder) {
  Replacement none = SplitReplacement(L"");
  EXPECT_EQ(none.sentFirst, L"");
  EXPECT_FALSE(none.inPlace);

  Replacement one = SplitReplacement(L"這");
  EXPECT_EQ(one.sentFirst, L"");
  EXPECT_EQ(one.inPlace, std::optional<wchar_t>(L'這'));

  Replacement more = SplitReplacement(L"這★x");
  EXPECT_EQ(more.sentFirst, L"這★");
  EXPECT_EQ(more.inPlace, std::optional<wchar_t>(L'x'));
}
