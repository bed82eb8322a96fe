// The session's shared objects as a panel and a typing process hold them,
// under names of the test's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "hooklib/shared_state.h"

using namespace hooklib;

namespace {

std::wstring TestPrefix() { return L"Local\\ostrelkit-test." + std::to_wstring(::GetCurrentProcessId()) + L"."; }

// Runs fn on another thread: a lock lets the thread that holds it in again.
template <class Fn>
void OnAnotherThread(Fn fn) {
  std::thread(fn).join();
}

}  // namespace

TEST(SharedState, LocksAreLetGoWhenTheirHolderThrows) {
  SharedState panel(TestPrefix()), typist(TestPrefix());
  EXPECT_FALSE(typist.Open()) << "nothing to open before a panel made it";
  ASSERT_TRUE(panel.Create());
  EXPECT_THROW(panel.WithBlock([](SharedBlock&) { throw std::runtime_error("out of memory"); }), std::runtime_error);
  try {
    const MutexLock exchange = panel.LockExchange();
    ASSERT_TRUE(exchange);
    throw std::runtime_error("out of memory");
  } catch (const std::runtime_error&) {
  }

  bool wrote = false, exchanged = false;
  OnAnotherThread([&] {
    wrote = typist.Open() && typist.WithBlock([](SharedBlock& b) { TakeOver(b, 1, 2, 3); });
    exchanged = static_cast<bool>(typist.LockExchange());
  });
  EXPECT_TRUE(wrote);
  EXPECT_TRUE(exchanged);
  uint32_t holder = 0;
  ASSERT_TRUE(panel.WithBlock([&](SharedBlock& b) { holder = HolderThread(b); }));
  EXPECT_EQ(holder, 3u) << "both map the same block";
}
