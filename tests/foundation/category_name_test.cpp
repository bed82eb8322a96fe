#include <gtest/gtest.h>

#include "foundation/core/category_name.h"

using foundation::CategoryNameVerdict;
using foundation::CheckCategoryName;

TEST(CategoryName, PlainNamesAreTakenAsTyped) {
  for (const wchar_t* name : {L"默认表情", L"abc", L" 猫 猫 ", L"a.b", L"con-tent", L"COM0", L"LPT", L"x y"}) {
    EXPECT_EQ(CheckCategoryName(name, false), CategoryNameVerdict::kOk) << name;
    EXPECT_EQ(CheckCategoryName(name, true), CategoryNameVerdict::kOk) << name;
  }
}

TEST(CategoryName, BlankNamesAreBlank) {
  for (const wchar_t* name : {L"", L" ", L"   "}) {
    EXPECT_EQ(CheckCategoryName(name, true), CategoryNameVerdict::kBlank) << '[' << name << ']';
  }
}

TEST(CategoryName, NamesThatLeaveTheLibraryOrCantBeFoldersAreRefused) {
  for (const wchar_t* name :
       {L"..", L".", L"a..b", L"..\\x", L"x\\..", L"C:", L"C:x", L"\\x", L"/x", L"x/y", L"a*", L"a?", L"a|b", L"a\"b",
        L"<a>", L"a\tb", L"abc.", L"CON", L"nul", L"Com1", L"lpt9.txt", L"aux .gif", L"x\\\\y", L"x\\", L"x\\ ",
        L"\\\\server\\share"}) {
    EXPECT_EQ(CheckCategoryName(name, true), CategoryNameVerdict::kInvalid) << name;
  }
}

TEST(CategoryName, OneLevelOfNestingOnlyWhenAllowed) {
  EXPECT_EQ(CheckCategoryName(L"x\\y", true), CategoryNameVerdict::kOk);
  EXPECT_EQ(CheckCategoryName(L"x\\y\\z", true), CategoryNameVerdict::kOk);
  EXPECT_EQ(CheckCategoryName(L"x\\y", false), CategoryNameVerdict::kInvalid);
}
