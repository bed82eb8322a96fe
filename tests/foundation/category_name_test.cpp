#include <gtest/gtest.h>

#include "foundation/core/category_name.h"
#include "foundation/core/literal_path.h"

using foundation::CategoryNameVerdict;
using foundation::CheckCategoryName;
using foundation::IsListedCategoryName;
using foundation::LiteralPath;

TEST(CategoryName, PlainNamesAreTakenAsTyped) {
  for (const wchar_t* name :
       {L"默认表情", L"abc", L" 猫 猫", L"a.b", L"a..b", L"..a", L"con-tent", L"COM0", L"LPT", L"x y"}) {
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
       {L"..", L".", L"..\\x", L"x\\..", L"C:", L"C:x", L"\\x", L"/x", L"x/y", L"a*", L"a?", L"a|b", L"a\"b", L"<a>",
        L"a\tb", L"abc.", L"x.", L"x ", L"...", L" 猫 ", L"x \\y", L"x\\y.", L"CON", L"nul", L"Com1", L"lpt9.txt",
        L"aux .gif", L"x\\\\y", L"x\\", L"x\\ ", L"\\\\server\\share"}) {
    EXPECT_EQ(CheckCategoryName(name, true), CategoryNameVerdict::kInvalid) << name;
  }
}

TEST(CategoryName, OneLevelOfNestingOnlyWhenAllowed) {
  EXPECT_EQ(CheckCategoryName(L"x\\y", true), CategoryNameVerdict::kOk);
  EXPECT_EQ(CheckCategoryName(L"x\\y\\z", true), CategoryNameVerdict::kOk);
  EXPECT_EQ(CheckCategoryName(L"x\\y", false), CategoryNameVerdict::kInvalid);
}

TEST(CategoryName, AFolderOnDiskIsTakenWhateverItsEnding) {
  for (const wchar_t* name : {L"x.", L"x ", L"CON", L"a..b", L" 猫 "}) EXPECT_TRUE(IsListedCategoryName(name)) << name;
  for (const wchar_t* name : {L"", L".", L"..", L"x\\y", L"a/b", L"C:", L"a?"})
    EXPECT_FALSE(IsListedCategoryName(name)) << name;
}

TEST(CategoryName, OnlyNamesTheSystemWouldReshapeGoLiteral) {
  EXPECT_EQ(LiteralPath(L"C:\\lib\\Face\\x."), L"\\\\?\\C:\\lib\\Face\\x.");
  EXPECT_EQ(LiteralPath(L"C:\\lib\\Face\\x \\a.gif"), L"\\\\?\\C:\\lib\\Face\\x \\a.gif");
  EXPECT_EQ(LiteralPath(L"C:\\lib\\Face\\con"), L"\\\\?\\C:\\lib\\Face\\con");
  EXPECT_EQ(LiteralPath(L"\\\\srv\\share\\x."), L"\\\\?\\UNC\\srv\\share\\x.");
  // Already literal, nothing to keep, or steps only the system resolves.
  for (const wchar_t* same : {L"\\\\?\\C:\\lib\\x.", L"C:\\lib\\Face\\a..b", L"C:\\lib\\Face\\x\\", L"Face\\x.",
                              L"C:\\lib\\..\\x.", L"C:\\lib\\.\\x.", L"C:/lib/x."})
    EXPECT_EQ(LiteralPath(same), same);
}
