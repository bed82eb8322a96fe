// The two conversions and their random picks, with a scripted random source.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "foundation/core/random_source.h"
#include "foundation/core/text_conversion.h"

using namespace foundation;

namespace {

class ScriptedRandom : public RandomSource {
 public:
  ScriptedRandom(std::initializer_list<double> draws) : draws_(draws) {}
  void Reseed() override { ++reseeds; }
  double Next() override {
    ++drawsTaken;
    if (draws_.empty()) {
      ADD_FAILURE() << "more draws than scripted";
      return 0;
    }
    double d = draws_.front();
    draws_.pop_front();
    return d;
  }
  void Push(double d) { draws_.push_back(d); }
  size_t left() const { return draws_.size(); }
  int reseeds = 0;
  int drawsTaken = 0;

 private:
  std::deque<double> draws_;
};

MarsTables Tables(const std::vector<std::wstring>& lines, std::wstring_view source = L"甲乙丙丁戊") {
  MarsTables t;
  t.sourceChars = source;
  t.alternatives = &lines;
  return t;
}

}  // namespace

TEST(TextConversion, TraditionalStarUnknownAndShortTable) {
  const std::wstring source = L"这个们说话";
  const std::wstring target = L"這個*說";  // position 5 lies beyond the end
  EXPECT_EQ(ConvertToTraditional(L"这个", source, target), L"這個");
  EXPECT_EQ(ConvertToTraditional(L"们", source, target), L"们") << "\"*\" keeps the typed character";
  EXPECT_EQ(ConvertToTraditional(L"x话y", source, target), L"xy") << "beyond the target's end: dropped";
  EXPECT_EQ(ConvertToTraditional(L"abc 123", source, target), L"abc 123");
  EXPECT_EQ(ConvertToTraditional(L"", source, target), L"");
  // The first position wins, and letters match in either case.
  EXPECT_EQ(ConvertToTraditional(L"Aa", L"aA", L"12"), L"11");
  // An empty source keeps every character.
  EXPECT_EQ(ConvertToTraditional(L"这个", L"", L""), L"这个");
}

TEST(TextConversion, MarsPicksWithScriptedDraws) {
  const std::vector<std::wstring> lines = {L"x,y,z", L"  w q ", L"   ", L"r,"};
  const MarsTables t = Tables(lines);
  // Each known character: one re-seeded draw thrown away, then the pick.
  ScriptedRandom r{0.7, 0.1, 0.7, 0.5, 0.7, 0.9};
  EXPECT_EQ(ConvertToMarsText(L"甲甲甲", t, r), L"xyz");
  EXPECT_EQ(r.reseeds, 3);
  EXPECT_EQ(r.left(), 0u);

  ScriptedRandom noComma{0.3};
  EXPECT_EQ(ConvertToMarsText(L"乙", t, noComma), L"  w q ") << "a line without comma is used whole";
  ScriptedRandom blank{0.3};
  EXPECT_EQ(ConvertToMarsText(L"丙", t, blank), L"丙") << "a blank line keeps the character";
  ScriptedRandom missing{0.3};
  EXPECT_EQ(ConvertToMarsText(L"戊", t, missing), L"戊") << "no line for position 5";
  ScriptedRandom trailing{0.3, 0.9, 0.3, 0.2};
  EXPECT_EQ(ConvertToMarsText(L"丁丁", t, trailing), L"r") << "the empty alternative removes the character";

  ScriptedRandom unknown{};
  EXPECT_EQ(ConvertToMarsText(L"abc", t, unknown), L"abc");
  EXPECT_EQ(unknown.drawsTaken, 0) << "characters not in the table draw nothing";
}

TEST(TextConversion, EndPiecesHalfAsLikelyAsInnerOnes) {
  ScriptedRandom r{};
  std::map<std::wstring, int> counts;
  const int n = 1200;
  for (int k = 0; k < n; ++k) r.Push((k + 0.5) / n);
  for (int k = 0; k < n; ++k) counts[PickRandomAlternative(L"a,b,c,d", r)]++;
  EXPECT_EQ(r.reseeds, 0) << "the pick itself never re-seeds";
  EXPECT_EQ(counts[L"a"], 200);
  EXPECT_EQ(counts[L"b"], 400);
  EXPECT_EQ(counts[L"c"], 400);
  EXPECT_EQ(counts[L"d"], 200);
  // Pieces are neither trimmed nor merged.
  ScriptedRandom edge{0.0, 0.99, 0.5};
  EXPECT_EQ(PickRandomAlternative(L" a ,,b", edge), L" a ");
  EXPECT_EQ(PickRandomAlternative(L" a ,,b", edge), L"b");
  EXPECT_EQ(PickRandomAlternative(L" a ,,b", edge), L"");
  // Halves go to the even piece: 2 x 0.25 = 0.5 -> piece 0, 2 x 0.75 = 1.5 -> piece 2.
  ScriptedRandom halves{0.25, 0.75};
  EXPECT_EQ(PickRandomAlternative(L"a,b,c", halves), L"a");
  EXPECT_EQ(PickRandomAlternative(L"a,b,c", halves), L"c");
  ScriptedRandom none{};
  EXPECT_EQ(PickRandomAlternative(L"abc", none), L"abc");
}

TEST(TextConversion, RandomNumberTextAndDecorationPosition) {
  ScriptedRandom r{0.0, 0.005, 0.015, 0.424, 0.995, 0.9999};
  EXPECT_EQ(RandomNumberText(r), L"0");
  EXPECT_EQ(RandomNumberText(r), L"0") << "0.5 rounds to the even 0";
  EXPECT_EQ(RandomNumberText(r), L"2") << "1.5 rounds to the even 2";
  EXPECT_EQ(RandomNumberText(r), L"42");
  EXPECT_EQ(RandomNumberText(r), L"100");
  EXPECT_EQ(RandomNumberText(r), L"100");
  EXPECT_EQ(r.reseeds, 6);

  // L = 3: positions r x 3 + 1, rounded; L + 1 gives no decoration.
  ScriptedRandom d{0.0, 0.16, 0.5, 0.6, 0.83, 0.84, 0.99};
  EXPECT_EQ(RandomDecoration(L"abc", d), L"a");
  EXPECT_EQ(RandomDecoration(L"abc", d), L"a");
  EXPECT_EQ(RandomDecoration(L"abc", d), L"b") << "2.5 rounds to the even 2";
  EXPECT_EQ(RandomDecoration(L"abc", d), L"c");
  EXPECT_EQ(RandomDecoration(L"abc", d), L"c");
  EXPECT_EQ(RandomDecoration(L"abc", d), L"") << "3.52 -> position 4 = L + 1";
  EXPECT_EQ(RandomDecoration(L"abc", d), L"");
  ScriptedRandom e{0.3};
  EXPECT_EQ(RandomDecoration(L"", e), L"");
}

TEST(TextConversion, RandomPercentDecidesTheDecoration) {
  // Each PickDecoration draws n; a decoration draws once more.
  struct Case {
    const wchar_t* percent;
    double nDraw;
    bool decorated;
  } cases[] = {
      {L"0", 0.0, false},    {L"0", 0.5, false},   {L"100", 0.0, true},  {L"100", 0.994, true},
      {L"100", 0.996, false},  // a draw of 100 misses even at 100 percent
      {L" 42", 0.41, true},  {L" 42", 0.42, false}, {L"x", 0.0, false},  {L"", 0.0, false},
      {L"42.5", 0.42, true}, {L"1e2", 0.5, true},   {L"-3", 0.0, false},
  };
  for (const Case& c : cases) {
    ScriptedRandom r{c.nDraw, 0.0};
    EXPECT_EQ(PickDecoration(c.percent, L"☆", r), c.decorated ? L"☆" : L"") << c.percent << " " << c.nDraw;
    EXPECT_EQ(r.drawsTaken, c.decorated ? 2 : 1);
  }
}

TEST(TextConversion, DecorationsFollowConvertedAndKeptCharacters) {
  const std::vector<std::wstring> lines = {L"x,y"};
  MarsTables t = Tables(lines);
  t.decorationsOn = true;
  t.randomPercent = L"100";
  t.decorationChars = L"#";
  // 甲: throwaway, pick, n, decoration; a: n, decoration.
  ScriptedRandom r{0.3, 0.9, 0.2, 0.1, 0.2, 0.1};
  EXPECT_EQ(ConvertToMarsText(L"甲a", t, r), L"y#a#");
  EXPECT_EQ(r.left(), 0u);
  t.randomPercent = L"0";
  ScriptedRandom off{0.3, 0.9, 0.2, 0.2};
  EXPECT_EQ(ConvertToMarsText(L"甲a", t, off), L"ya");
}

TEST(TextConversion, LeadingNumber) {
  EXPECT_EQ(LeadingNumber(L"42"), 42);
  EXPECT_EQ(LeadingNumber(L" 42"), 42);
  EXPECT_EQ(LeadingNumber(L"42abc"), 42);
  EXPECT_EQ(LeadingNumber(L"-3"), -3);
  EXPECT_EQ(LeadingNumber(L".5"), 0.5);
  EXPECT_EQ(LeadingNumber(L"1e2"), 100);
  EXPECT_EQ(LeadingNumber(L"1e"), 1);
  EXPECT_EQ(LeadingNumber(L"x"), 0);
  EXPECT_EQ(LeadingNumber(L""), 0);
  EXPECT_EQ(LeadingNumber(L"-"), 0);
  EXPECT_EQ(LeadingNumber(L"inf"), 0);
  EXPECT_EQ(LeadingNumber(L"1e999999999"), 0) << "an overflowing exponent is no number";
}

TEST(TextConversion, RoundHalfEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(2.51), 3);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
}

// The process generator: a re-seed at every character must not freeze the
// draws for the length of a text, and the picks follow the 1:2:2:1 shape.
TEST(ProcessGenerator, ReseedingKeepsDrawsVaried) {
  const std::vector<std::wstring> lines = {L"a,b,c,d,e,f"};
  const MarsTables t = Tables(lines);
  const std::wstring text(200, L'甲');
  const std::wstring out = ConvertToMarsText(text, t, ProcessRandom());
  ASSERT_EQ(out.size(), text.size());
  std::set<wchar_t> seen(out.begin(), out.end());
  EXPECT_GE(seen.size(), 5u) << "the same pick for every character";

  ClockSeededRandom g;
  std::map<std::wstring, int> counts;
  const int n = 40000;
  for (int i = 0; i < n; ++i) {
    g.Reseed();
    counts[PickRandomAlternative(L"a,b,c", g)]++;
  }
  EXPECT_NEAR(counts[L"a"] / double(n), 0.25, 0.02);
  EXPECT_NEAR(counts[L"b"] / double(n), 0.50, 0.02);
  EXPECT_NEAR(counts[L"c"] / double(n), 0.25, 0.02);
  for (int i = 0; i < 1000; ++i) {
    const double d = g.Next();
    ASSERT_GE(d, 0.0);
    ASSERT_LT(d, 1.0);
  }
}

TEST(ProcessGenerator, TestsCanScriptIt) {
  ScriptedRandom r{0.25};
  SetProcessRandom(&r);
  EXPECT_EQ(&ProcessRandom(), &r);
  SetProcessRandom(nullptr);
  EXPECT_NE(&ProcessRandom(), &r);
}
