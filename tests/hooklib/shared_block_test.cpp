// The exchange protocol over a block in ordinary memory: each step as the
// typing process and the panel take it, including the ones that go wrong.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "hooklib/core/shared_block.h"

using namespace hooklib;

namespace {

constexpr int64_t kPanel = -12345;  // a handle that sign-extends
constexpr uint32_t kPanelThread = 7;

class Exchange : public ::testing::Test {
 protected:
  void SetUp() override { TakeOver(b, kPanel, 42, kPanelThread); }
  std::unique_ptr<SharedBlock> owner = std::make_unique<SharedBlock>();
  SharedBlock& b = *owner;
};

}  // namespace

TEST_F(Exchange, RoundTrip) {
  EXPECT_EQ(ExchangeTarget(b), kPanel);
  EXPECT_EQ(HolderThread(b), kPanelThread);
  EXPECT_EQ(b.panelProcessId, 42u);
  ASSERT_TRUE(BeginExchange(b, L"这\U00020000"));
  EXPECT_EQ(ReadTypedText(b), L"这\U00020000");
  StoreConvertedText(b, L"這\U00020000x");
  EXPECT_EQ(EndExchange(b, true), std::optional<std::wstring>(L"這\U00020000x"));
  // Nothing waits any more: a second message reads "" and stores nothing.
  EXPECT_EQ(ReadTypedText(b), L"");
  StoreConvertedText(b, L"late");
  ASSERT_TRUE(BeginExchange(b, L"a"));
  EXPECT_EQ(ReadTypedText(b), L"a");
  // An empty answer is an answer: the character goes away.
  StoreConvertedText(b, L"");
  EXPECT_EQ(EndExchange(b, true), std::optional<std::wstring>(L""));
}

TEST_F(Exchange, AnAnswerToTextThePanelNeverReadIsNoAnswer) {
  // The panel's read of the block timed out: it converted "" and stores "".
  ASSERT_TRUE(BeginExchange(b, L"a"));
  StoreConvertedText(b, L"");
  EXPECT_EQ(EndExchange(b, true), std::nullopt) << "the character stays as typed";
  // A second message within one exchange reads nothing and can't overwrite.
  ASSERT_TRUE(BeginExchange(b, L"b"));
  EXPECT_EQ(ReadTypedText(b), L"b");
  EXPECT_EQ(ReadTypedText(b), L"");
  StoreConvertedText(b, L"B");
  StoreConvertedText(b, L"");
  EXPECT_EQ(EndExchange(b, true), std::optional<std::wstring>(L"B"));
}

TEST_F(Exchange, NoTargetWithoutAHolder) {
  SharedBlock fresh{};
  EXPECT_EQ(ExchangeTarget(fresh), 0);
  EXPECT_EQ(HolderThread(fresh), 0u);
  EXPECT_FALSE(BeginExchange(fresh, L"a"));
  EXPECT_EQ(ReadTypedText(fresh), L"");
  EXPECT_EQ(EndExchange(fresh, true), std::nullopt);

  TakeOver(b, 0, 1, kPanelThread);
  EXPECT_FALSE(BeginExchange(b, L"a")) << "no window";

  // A holder that another layout of the block made is none (552 bytes: the
  // layout that carried ANSI text).
  TakeOver(b, kPanel, 1, kPanelThread);
  b.layoutSize = 552;
  EXPECT_EQ(ExchangeTarget(b), 0);
  EXPECT_FALSE(BeginExchange(b, L"a"));
}

TEST_F(Exchange, OnlyTheHolderHandsBack) {
  HandBack(b, kPanelThread + 1);
  HandBack(b, 0);
  EXPECT_EQ(ExchangeTarget(b), kPanel) << "another panel's stop changes nothing";
  HandBack(b, kPanelThread);
  EXPECT_EQ(ExchangeTarget(b), 0);
  EXPECT_EQ(HolderThread(b), 0u);
  EXPECT_FALSE(BeginExchange(b, L"a"));
}

TEST_F(Exchange, TextMustFitAndAnswersAreCutOnAWholeCharacter) {
  EXPECT_FALSE(BeginExchange(b, L""));
  EXPECT_FALSE(BeginExchange(b, std::wstring(kSharedTextCapacity + 1, L'这')));
  ASSERT_TRUE(BeginExchange(b, std::wstring(kSharedTextCapacity, L'这')));
  EXPECT_EQ(ReadTypedText(b), std::wstring(kSharedTextCapacity, L'这'));
  StoreConvertedText(b, std::wstring(kSharedTextCapacity + 10, L'y'));
  EXPECT_EQ(EndExchange(b, true), std::wstring(kSharedTextCapacity, L'y'));
  EXPECT_EQ(b.text[kSharedTextCapacity], L'\0');

  // A pair of units that would straddle the end goes whole; one that ends
  // on the last unit stays.
  const std::wstring pair = L"\U00020000";
  for (const size_t before : {kSharedTextCapacity - 1, kSharedTextCapacity - 2}) {
    const std::wstring start(before, L'y');
    ASSERT_TRUE(BeginExchange(b, L"a"));
    ASSERT_EQ(ReadTypedText(b), L"a");
    StoreConvertedText(b, start + pair + pair);
    EXPECT_EQ(EndExchange(b, true), before + 2 > kSharedTextCapacity ? start : start + pair) << before;
  }
}

TEST_F(Exchange, TextAReaderCannotTakeStaysAsTyped) {
  const auto onlyAscii = [](std::wstring_view text) { return text.find_first_not_of(L"abc") == text.npos; };
  ASSERT_TRUE(BeginExchange(b, L"这"));
  EXPECT_EQ(ReadTypedText(b, onlyAscii), L"");
  StoreConvertedText(b, L"?");
  EXPECT_EQ(EndExchange(b, true), std::nullopt);
  EXPECT_FALSE(PanelBehind(b));
  ASSERT_TRUE(BeginExchange(b, L"ab"));
  EXPECT_EQ(ReadTypedText(b, onlyAscii), L"ab");
  StoreConvertedText(b, L"AB");
  EXPECT_EQ(EndExchange(b, true), std::optional<std::wstring>(L"AB"));
}

TEST_F(Exchange, APanelThatMissesTheWaitIsBehindUntilItResponds) {
  ASSERT_TRUE(BeginExchange(b, L"a"));
  EXPECT_EQ(EndExchange(b, false), std::nullopt);
  EXPECT_TRUE(PanelBehind(b));
  // The late message (where the system still delivers it) finds nothing.
  EXPECT_EQ(ReadTypedText(b), L"");
  EXPECT_FALSE(PanelBehind(b)) << "reading shows the panel responds";
  StoreConvertedText(b, L"z");
  ASSERT_TRUE(BeginExchange(b, L"b"));
  EXPECT_EQ(ReadTypedText(b), L"b");

  // The panel handled the message but stored nothing: no answer, not behind.
  EXPECT_EQ(EndExchange(b, true), std::nullopt);
  EXPECT_FALSE(PanelBehind(b));
  // It answered just as the wait ran out: the answer counts.
  ASSERT_TRUE(BeginExchange(b, L"c"));
  EXPECT_EQ(ReadTypedText(b), L"c");
  StoreConvertedText(b, L"C");
  EXPECT_EQ(EndExchange(b, false), std::optional<std::wstring>(L"C"));
  EXPECT_FALSE(PanelBehind(b));

  ASSERT_TRUE(BeginExchange(b, L"d"));
  EXPECT_EQ(EndExchange(b, false), std::nullopt);
  ASSERT_TRUE(PanelBehind(b));
  NotePanelResponds(b);
  EXPECT_FALSE(PanelBehind(b));
}

TEST_F(Exchange, ATakeOverForgetsTheOldExchange) {
  ASSERT_TRUE(BeginExchange(b, L"a"));
  TakeOver(b, kPanel - 1, 43, kPanelThread + 1);
  EXPECT_EQ(ReadTypedText(b), L"");
  EXPECT_EQ(ExchangeTarget(b), kPanel - 1);
  EXPECT_EQ(HolderThread(b), kPanelThread + 1);
}
