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
  ASSERT_TRUE(BeginExchange(b, "\xd5\xe2"));
  EXPECT_EQ(ReadTypedText(b), "\xd5\xe2");
  StoreConvertedText(b, "\xdf\x40x");
  EXPECT_EQ(EndExchange(b, true), std::optional<std::string>("\xdf\x40x"));
  // Nothing waits any more: a second message reads "" and stores nothing.
  EXPECT_EQ(ReadTypedText(b), "");
  StoreConvertedText(b, "late");
  ASSERT_TRUE(BeginExchange(b, "a"));
  EXPECT_EQ(ReadTypedText(b), "a");
  // An empty answer is an answer: the character goes away.
  StoreConvertedText(b, "");
  EXPECT_EQ(EndExchange(b, true), std::optional<std::string>(""));
}

TEST_F(Exchange, AnAnswerToTextThePanelNeverReadIsNoAnswer) {
  // The panel's read of the block timed out: it converted "" and stores "".
  ASSERT_TRUE(BeginExchange(b, "a"));
  StoreConvertedText(b, "");
  EXPECT_EQ(EndExchange(b, true), std::nullopt) << "the character stays as typed";
  // A second message within one exchange reads nothing and can't overwrite.
  ASSERT_TRUE(BeginExchange(b, "b"));
  EXPECT_EQ(ReadTypedText(b), "b");
  EXPECT_EQ(ReadTypedText(b), "");
  StoreConvertedText(b, "B");
  StoreConvertedText(b, "");
  EXPECT_EQ(EndExchange(b, true), std::optional<std::string>("B"));
}

TEST_F(Exchange, NoTargetWithoutAHolder) {
  SharedBlock fresh{};
  EXPECT_EQ(ExchangeTarget(fresh), 0);
  EXPECT_EQ(HolderThread(fresh), 0u);
  EXPECT_FALSE(BeginExchange(fresh, "a"));
  EXPECT_EQ(ReadTypedText(fresh), "");
  EXPECT_EQ(EndExchange(fresh, true), std::nullopt);

  TakeOver(b, 0, 1, kPanelThread);
  EXPECT_FALSE(BeginExchange(b, "a")) << "no window";
}

TEST_F(Exchange, OnlyTheHolderHandsBack) {
  HandBack(b, kPanelThread + 1);
  HandBack(b, 0);
  EXPECT_EQ(ExchangeTarget(b), kPanel) << "another panel's stop changes nothing";
  HandBack(b, kPanelThread);
  EXPECT_EQ(ExchangeTarget(b), 0);
  EXPECT_EQ(HolderThread(b), 0u);
  EXPECT_FALSE(BeginExchange(b, "a"));
}

TEST_F(Exchange, TextMustFitAndAnswersAreKeptWithinTheBlock) {
  EXPECT_FALSE(BeginExchange(b, ""));
  EXPECT_FALSE(BeginExchange(b, std::string(kSharedTextCapacity + 1, 'x')));
  ASSERT_TRUE(BeginExchange(b, std::string(kSharedTextCapacity, 'x')));
  EXPECT_EQ(ReadTypedText(b).size(), kSharedTextCapacity);
  StoreConvertedText(b, std::string(kSharedTextCapacity + 10, 'y'));
  const auto answer = EndExchange(b, true);
  ASSERT_TRUE(answer);
  EXPECT_EQ(*answer, std::string(kSharedTextCapacity, 'y'));
  EXPECT_EQ(b.text[kSharedTextCapacity], '\0');
}

TEST_F(Exchange, APanelThatMissesTheWaitIsBehindUntilItResponds) {
  ASSERT_TRUE(BeginExchange(b, "a"));
  EXPECT_EQ(EndExchange(b, false), std::nullopt);
  EXPECT_TRUE(PanelBehind(b));
  // The late message (where the system still delivers it) finds nothing.
  EXPECT_EQ(ReadTypedText(b), "");
  EXPECT_FALSE(PanelBehind(b)) << "reading shows the panel responds";
  StoreConvertedText(b, "z");
  ASSERT_TRUE(BeginExchange(b, "b"));
  EXPECT_EQ(ReadTypedText(b), "b");

  // The panel handled the message but stored nothing: no answer, not behind.
  EXPECT_EQ(EndExchange(b, true), std::nullopt);
  EXPECT_FALSE(PanelBehind(b));
  // It answered just as the wait ran out: the answer counts.
  ASSERT_TRUE(BeginExchange(b, "c"));
  EXPECT_EQ(ReadTypedText(b), "c");
  StoreConvertedText(b, "C");
  EXPECT_EQ(EndExchange(b, false), std::optional<std::string>("C"));
  EXPECT_FALSE(PanelBehind(b));

  ASSERT_TRUE(BeginExchange(b, "d"));
  EXPECT_EQ(EndExchange(b, false), std::nullopt);
  ASSERT_TRUE(PanelBehind(b));
  NotePanelResponds(b);
  EXPECT_FALSE(PanelBehind(b));
}

TEST_F(Exchange, ATakeOverForgetsTheOldExchange) {
  ASSERT_TRUE(BeginExchange(b, "a"));
  TakeOver(b, kPanel - 1, 43, kPanelThread + 1);
  EXPECT_EQ(ReadTypedText(b), "");
  EXPECT_EQ(ExchangeTarget(b), kPanel - 1);
  EXPECT_EQ(HolderThread(b), kPanelThread + 1);
}
