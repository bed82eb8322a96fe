#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <vector>

#include "foundation/ansi_text.h"
#include "foundation/core/fresh_name.h"
#include "foundation/helper_process.h"
#include "foundation/path_fields.h"
#include "foundation/text_compare.h"

using namespace foundation;

TEST(FreshName, OwnerIsReadBack) {
  EXPECT_EQ(FreshName(L"Brackmere-", 1234, 56), L"Brackmere-1234-56");
  EXPECT_EQ(FreshNameOwner(L"Brackmere-1234-56", L"Brackmere-"), 1234u);
  EXPECT_EQ(FreshNameOwner(L"BRACKMERE-4294967295-0", L"Brackmere-"), 4294967295u);
  for (const wchar_t* other : {L"Brackmere-1234", L"Brackmere-1234-", L"Brackmere--5", L"Brackmere-12x-5",
                               L"Brackmere-1-5-6", L"Brackmere-4294967296-1", L"cute", L"Tarnwick-1-2", L""}) {
    EXPECT_FALSE(FreshNameOwner(other, L"Brackmere-").has_value()) << other;
  }
}

TEST(PathFields, FileNameAndExtension) {
  struct Case {
    const wchar_t* path;
    const wchar_t* name;
    const wchar_t* ext;
  } cases[] = {
      {L"C:\\Face\\默认表情\\smile.GIF", L"smile.GIF", L"GIF"},
      {L"plain", L"plain", L"plain"},
      {L"C:\\Face\\", L"", L"C:\\Face\\"},  // no dot: the whole text; a trailing "\" leaves no name
      {L"a.b.c.Jpg", L"a.b.c.Jpg", L"Jpg"},
      {L"C:\\dir.x\\noext", L"noext", L"x\\noext"},  // the extension scan does not stop at "\"
      {L"", L"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetFileName(c.path), c.name) << c.path;
    EXPECT_EQ(GetExtension(c.path), c.ext) << c.path;
  }
}

TEST(PathFields, ExeNameFromModulePath) {
  EXPECT_EQ(GetExeNameFromPath(L"\\SystemRoot\\System32\\smss.exe"), L"smss.exe");
  EXPECT_EQ(GetExeNameFromPath(L"\\??\\C:\\WINDOWS\\system32\\winlogon.exe"), L"winlogon.exe");
  EXPECT_EQ(GetExeNameFromPath(L"C:\\Program Files\\Tencent\\QQ.exe"), L"QQ.exe");
  EXPECT_EQ(GetExeNameFromPath(L"\\systemroot\\x.exe"), L"x.exe");
  EXPECT_EQ(GetExeNameFromPath(L""), L"");
}

TEST(PathFields, TrailingBackslash) {
  EXPECT_EQ(WithTrailingBackslash(L"C:\\A"), L"C:\\A\\");
  EXPECT_EQ(WithTrailingBackslash(L"C:\\A\\"), L"C:\\A\\");
  EXPECT_EQ(WithTrailingBackslash(L""), L"\\");
}

TEST(Fields, SeparatorsAreNormalisedOneForOne) {
  const std::wstring line = L"a\tb\nc\rd\u00a0e|f g";
  const std::wstring out = NormalizeSeparators(line);
  EXPECT_EQ(out, L"a|b|c|d|e|f g");
  EXPECT_EQ(out.size(), line.size());
}

TEST(Fields, GetFieldTable) {
  struct Case {
    const wchar_t* line;
    int index;
    const wchar_t* field;
  } cases[] = {
      {L"||a|b||c", 3, L"c"},  {L"||a|b||c", 1, L"a"},       {L"a|b|", 3, L""},
      {L"a|b|", 2, L"b"},      {L"a\tb", 2, L"b"},          {L"a\u00a0b\u00a0c", 3, L"c"},
      {L"a|b", 0, L""},        {L"a|b", -1, L""},           {L"a|b", 5, L""},
      {L"", 1, L""},           {L"pack.rar|1024|标题|2008-1-1", 3, L"标题"},
      {L"one", 1, L"one"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetField(c.line, c.index), c.field) << c.line << " #" << c.index;
}

TEST(TextCompare, CaseInsensitiveSearch) {
  EXPECT_TRUE(ContainsText(L"C:\\Program Files\\TENCENT\\QQ.EXE", L"QQ.exe"));
  EXPECT_TRUE(ContainsText(L"qq.exe", L"QQ.EXE"));
  EXPECT_FALSE(ContainsText(L"QQ", L"QQ.exe"));  // text shorter than part
  EXPECT_TRUE(ContainsText(L"", L""));          // an empty part is in every text
  EXPECT_TRUE(ContainsText(L"abc", L""));
  EXPECT_FALSE(ContainsText(L"QQGame.exe", L"QQ.exe"));

  EXPECT_EQ(FindTextPos(L"abcABC", L"B"), 2);
  EXPECT_EQ(FindTextPos(L"xyz", L"a"), -1);
  EXPECT_EQ(FindTextPos(L"", L"a"), -1);
  EXPECT_EQ(FindTextPos(L"汉字漢字", L"漢"), 3);
  // Punctuation is compared as itself, not ignored.
  EXPECT_EQ(FindTextPos(L"'-", L"-"), 2);
  EXPECT_FALSE(TextEquals(L"-", L"'"));
}

TEST(AnsiText, PrefixKeepsWholeCharacters) {
  const std::wstring ascii(300, L'x');
  EXPECT_EQ(PrefixFittingAnsiBytes(ascii, 254).size(), 254u);
  EXPECT_EQ(PrefixFittingAnsiBytes(L"abc", 254), L"abc");
  EXPECT_EQ(PrefixFittingAnsiBytes(L"", 3), L"");
  // Under code page 936 a Chinese character takes two bytes and is never cut
  // in half; elsewhere it becomes one "?" byte. Either way the prefix is whole.
  const std::wstring mixed = L"a汉字b";
  const std::wstring cut = PrefixFittingAnsiBytes(mixed, 2);
  EXPECT_TRUE(mixed.starts_with(cut));
  EXPECT_LE(ToAnsi(cut).size(), 2u);
  EXPECT_EQ(FromUtf8(ToUtf8(mixed)), mixed);
}

TEST(AnsiText, UnrepresentableBecomesQuestionMark) {
  // U+0F00 (Tibetan) is in neither code page 936 nor 1252.
  EXPECT_EQ(ToAnsi(L"a\u0f00b"), "a?b");
}

TEST(AnsiText, ExactFormAndWholeCharacterCut) {
  std::string ansi;
  EXPECT_TRUE(ToAnsiExactly(L"abc", &ansi));
  EXPECT_EQ(ansi, "abc");
  EXPECT_TRUE(ToAnsiExactly(L"", &ansi));
  EXPECT_EQ(ansi, "");
  EXPECT_FALSE(ToAnsiExactly(L"a\u0f00b", &ansi)) << "no form of its own, not even \"?\"";
  // A best-fit look-alike ("a" for a with macron under 1252) is no exact form either.
  EXPECT_EQ(ToAnsiExactly(L"\u0101", &ansi), ::GetACP() == 936u);

  EXPECT_EQ(CutAnsiOnWholeChars("abcdef", 4), "abcd");
  EXPECT_EQ(CutAnsiOnWholeChars("ab", 4), "ab");
  // "a" and two double-byte characters (5 bytes) cut to 4: the second
  // character would be split, so it goes whole.
  const std::string mixed = ToAnsi(L"a汉字");
  const std::string cut = CutAnsiOnWholeChars(mixed, 4);
  EXPECT_EQ(FromAnsi(cut), ::GetACP() == 936u ? L"a汉" : L"a??");
}

// The system's ANSI code page may be 936, 1252, or 65001 where Windows uses
// UTF-8 for worldwide language support: each holds what it holds, no more.
TEST(AnsiText, EachCodePageConvertsWhatItHoldsAndOnlyWhatItHolds) {
  struct Case {
    unsigned codePage;
    const wchar_t* text;
    const char* bytes;  // nullptr: not checked (a best-fit look-alike)
    bool held;
  };
  const Case cases[] = {
      {936, L"abc", "abc", true},
      {1252, L"abc", "abc", true},
      {65001, L"abc", "abc", true},
      {936, L"汉字", "\xBA\xBA\xD7\xD6", true},
      {1252, L"汉字", "??", false},
      {65001, L"汉字", "\xE6\xB1\x89\xE5\xAD\x97", true},
      {936, L"a\u0f00b", "a?b", false},
      {1252, L"a\u0f00b", "a?b", false},
      {65001, L"a\u0f00b", "a\xE0\xBC\x80"
                           "b",
       true},
      {1252, L"\u00e9", "\xE9", true},
      {65001, L"\u00e9", "\xC3\xA9", true},
      {936, L"\u0101", "\xA8\xA1", true},
      {1252, L"\u0101", nullptr, false},
      // A lone surrogate is no character, in UTF-8 either.
      {65001, L"a\xD800"
              L"b",
       "a\xEF\xBF\xBD"
       "b",
       false},
  };
  for (const Case& c : cases) {
    const std::string where = std::to_string(c.codePage) + ": " + ToUtf8(c.text);
    if (c.bytes) {
      EXPECT_EQ(ToCodePage(c.codePage, c.text), c.bytes) << where;
    }
    std::string exact = "left over";
    EXPECT_EQ(ToCodePageExactly(c.codePage, c.text, &exact), c.held) << where;
    if (!c.held) {
      EXPECT_EQ(exact, "") << where;
      continue;
    }
    EXPECT_EQ(exact, c.bytes) << where;
    wchar_t back[16] = {};
    const int n = ::MultiByteToWideChar(c.codePage, 0, exact.data(), static_cast<int>(exact.size()), back, 16);
    EXPECT_EQ(std::wstring(back, n > 0 ? n : 0), c.text) << where;
  }
  std::string empty = "left over";
  EXPECT_TRUE(ToCodePageExactly(65001, L"", &empty));
  EXPECT_EQ(empty, "");
}

// Windows (unlike Wine) refuses a default character, its used flag and any
// flag but WC_ERR_INVALID_CHARS for UTF-8, and every flag for UTF-7: a call
// made so converts nothing, and every typed text would read as "".
TEST(AnsiText, UnicodeCodePagesAreAskedOnlyWhatWindowsTakesForThem) {
  for (bool exact : {false, true}) {
    const NarrowingCall utf8 = NarrowingCallFor(CP_UTF8, exact);
    EXPECT_FALSE(utf8.defaultChar);
    EXPECT_FALSE(utf8.reportsDefault);
    EXPECT_EQ(utf8.flags & ~static_cast<unsigned long>(WC_ERR_INVALID_CHARS), 0u);
    const NarrowingCall utf7 = NarrowingCallFor(CP_UTF7, exact);
    EXPECT_FALSE(utf7.defaultChar || utf7.reportsDefault || utf7.flags != 0);
    for (unsigned codePage : {936u, 1252u}) {
      const NarrowingCall call = NarrowingCallFor(codePage, exact);
      // An exact conversion asks whether "?" stood in, and takes no look-alike.
      EXPECT_EQ(call.reportsDefault, exact) << codePage;
      EXPECT_EQ(call.flags == WC_NO_BEST_FIT_CHARS, exact) << codePage;
      EXPECT_EQ(call.defaultChar, !exact) << codePage;
    }
  }
  // The lone surrogate is what the exact UTF-8 call must still refuse.
  EXPECT_EQ(NarrowingCallFor(CP_UTF8, true).flags, static_cast<unsigned long>(WC_ERR_INVALID_CHARS));
}

TEST(AnsiText, CodePageFollowsTheRunsLocale) {
  // The runner starts Wine under zh_CN (code page 936); the cp1252 copies of
  // some tests run under en_US. Either way the program must see that page.
  const char* lang = std::getenv("LC_ALL");
  ASSERT_NE(lang, nullptr);
  const std::string l(lang);
  if (l.starts_with("zh_CN")) {
    EXPECT_EQ(::GetACP(), 936u);
  } else if (l.starts_with("en_US")) {
    EXPECT_EQ(::GetACP(), 1252u);
  } else {
    GTEST_SKIP() << "unknown locale " << l;
  }
}

// Helper processes get their addresses and paths on a command line: each
// argument comes back whole, whatever spaces, quotes and backslashes it holds.
TEST(CommandLine, QuotedArgumentsComeBackAsGiven) {
  const std::vector<std::wstring> args = {
      L"plain", L"C:\\Users\\John Smith\\AppData\\Local\\Temp\\Tarnwick-1-2.rar", L"C:\\folder with space\\",
      L"say \"hi\"", L"back\\\\slashes\\\\\"quoted", L"", L"http://127.0.0.1:8080/tolvery/%E7%8C%AB.rar",
      L"表情 包\t.rar", L"trailing\\"};
  std::wstring line = L"prog.exe";
  for (const std::wstring& arg : args) line += L" " + foundation::QuoteArgument(arg);
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &argc);
  ASSERT_NE(argv, nullptr);
  ASSERT_EQ(argc, static_cast<int>(args.size()) + 1);
  for (size_t i = 0; i < args.size(); ++i) EXPECT_EQ(argv[i + 1], args[i]) << i;
  ::LocalFree(argv);
  EXPECT_EQ(foundation::QuoteArgument(L"plain"), L"plain");
}
