#include "foundation/subclass_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "window_services/test_window.h"

using namespace foundation;
using testing_support::TestWindow;

namespace {

constexpr UINT kPing = WM_APP + 1;   // the window answers 100 + wParam
constexpr UINT kOther = WM_APP + 2;  // the window answers 7

std::vector<std::string> g_log;

LRESULT CALLBACK RecordingWindowProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kPing) {
    g_log.push_back("window:" + std::to_string(w));
    return 100 + static_cast<LRESULT>(w);
  }
  if (m == kOther) {
    g_log.push_back("window:other");
    return 7;
  }
  if (m == WM_NCDESTROY) g_log.push_back("window:ncdestroy");
  return ::DefWindowProcW(h, m, w, l);
}

// A sink that logs its calls and runs optional hooks.
class LogSink : public ISubclassingSink {
 public:
  explicit LogSink(std::string name) : name_(std::move(name)) {}
  std::function<void(bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&)> onBefore;
  std::function<void(LRESULT&)> onAfter;

  void Before(bool& handled, LRESULT& ret, HWND& h, UINT& m, WPARAM& w, LPARAM& l) override {
    if (m == kPing || m == kOther || m == WM_NCDESTROY) g_log.push_back(name_ + ".before:" + Describe(m, w));
    if (onBefore) onBefore(handled, ret, h, m, w, l);
  }
  void After(LRESULT& ret, HWND, UINT m, WPARAM w, LPARAM) override {
    if (m == kPing || m == kOther || m == WM_NCDESTROY)
      g_log.push_back(name_ + ".after:" + Describe(m, w) + "=" + std::to_string(ret));
    if (onAfter) onAfter(ret);
  }

 private:
  static std::string Describe(UINT m, WPARAM w) {
    if (m == kPing) return std::to_string(w);
    if (m == kOther) return "other";
    return "ncdestroy";
  }
  std::string name_;
};

// Procedure links written in the classic style.
WNDPROC g_oldP = nullptr;
std::function<void()> g_pHook;
LRESULT CALLBACK ProcP(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kPing) g_log.push_back("P:" + std::to_string(w));
  if (m == kPing && g_pHook) g_pHook();
  return ::CallWindowProcW(g_oldP, h, m, w, l);
}
WNDPROC g_oldQ = nullptr;
LRESULT CALLBACK ProcQ(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kPing) {
    g_log.push_back("Q:" + std::to_string(w));
    return ::CallWindowProcW(g_oldQ, h, m, w + 1, l) + 1000;  // rewrites and adjusts
  }
  return ::CallWindowProcW(g_oldQ, h, m, w, l);
}

// A foreign procedure put on with SetWindowLongPtrW, as another library would.
WNDPROC g_foreignOld = nullptr;
LRESULT CALLBACK ForeignProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kPing) g_log.push_back("foreign:" + std::to_string(w));
  if (m == WM_NCDESTROY) g_log.push_back("foreign:ncdestroy");
  return ::CallWindowProcW(g_foreignOld, h, m, w, l);
}

WNDPROC CurrentProc(HWND h) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(h, GWLP_WNDPROC)); }

class SubclassHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log.clear();
    g_pHook = nullptr;
    ASSERT_TRUE(window_.Create(L"SubclassHostTestWindow", RecordingWindowProc));
    original_ = CurrentProc(hwnd());
  }
  HWND hwnd() const { return window_.hwnd(); }
  LRESULT Ping(WPARAM w = 1) { return ::SendMessageW(hwnd(), kPing, w, 0); }
  std::vector<std::string> TakeLog() { return std::exchange(g_log, {}); }

  TestWindow window_;
  WNDPROC original_ = nullptr;
};

using Log = std::vector<std::string>;

}  // namespace

TEST_F(SubclassHostTest, LinksRunOutermostFirstAroundTheWindowProcedure) {
  LogSink a("A"), b("B");
  cSubclsThunk ta, tb;
  ta.AddBeforeMsgs({kPing});
  ta.AddAfterMsgs({kPing});
  tb.AllBeforeMsgs(true);
  tb.AllAfterMsgs(true);
  ASSERT_TRUE(ta.Subclass(hwnd(), &a));  // innermost
  g_oldP = InstallWindowProc(hwnd(), ProcP);
  ASSERT_EQ(g_oldP, &NextWindowProc);
  ASSERT_TRUE(tb.Subclass(hwnd(), &b));  // outermost
  EXPECT_EQ(ta.hwnd(), hwnd());

  EXPECT_EQ(Ping(5), 105);
  EXPECT_EQ(TakeLog(), (Log{"B.before:5", "P:5", "A.before:5", "window:5", "A.after:5=105", "B.after:5=105"}));

  // A message in neither list reaches A's window procedure untouched; B sees all.
  EXPECT_EQ(::SendMessageW(hwnd(), kOther, 0, 0), 7);
  EXPECT_EQ(TakeLog(), (Log{"B.before:other", "window:other", "B.after:other=7"}));
  EXPECT_TRUE(RemoveWindowProc(hwnd(), ProcP));
  EXPECT_TRUE(ta.Unsubclass());
  EXPECT_TRUE(tb.Unsubclass());
  EXPECT_EQ(CurrentProc(hwnd()), original_);
}

TEST_F(SubclassHostTest, HandledMessagesStopAtTheLinkAndRewrittenArgumentsTravelInward) {
  LogSink outer("O"), inner("I");
  cSubclsThunk to, ti;
  ti.AddBeforeMsgs({kPing});
  ti.AddAfterMsgs({kPing, kOther});
  to.AddBeforeMsgs({kPing});
  to.AddAfterMsgs({kPing});
  ASSERT_TRUE(ti.Subclass(hwnd(), &inner));
  ASSERT_TRUE(to.Subclass(hwnd(), &outer));

  outer.onBefore = [](bool& handled, LRESULT& ret, HWND&, UINT&, WPARAM& w, LPARAM&) {
    if (w == 9) {
      handled = true;
      ret = 55;
    }
  };
  EXPECT_EQ(Ping(9), 55);
  EXPECT_EQ(TakeLog(), (Log{"O.before:9"}));

  // The inner link turns the ping into kOther: the window and the inner After
  // see the new message, the outer After sees what it passed inward.
  inner.onBefore = [](bool&, LRESULT&, HWND&, UINT& m, WPARAM&, LPARAM&) { m = kOther; };
  inner.onAfter = [](LRESULT& ret) { ret += 1; };
  EXPECT_EQ(Ping(2), 8);
  EXPECT_EQ(TakeLog(), (Log{"O.before:2", "I.before:2", "window:other", "I.after:other=7", "O.after:2=8"}));

  // The procedure link's rewrite of wParam and of the result.
  inner.onBefore = nullptr;
  g_oldQ = InstallWindowProc(hwnd(), ProcQ);
  EXPECT_EQ(Ping(3), 1000 + 104 + 1);
  EXPECT_EQ(TakeLog(), (Log{"Q:3", "O.before:4", "I.before:4", "window:4", "I.after:4=104", "O.after:4=105"}));
  RemoveWindowProc(hwnd(), ProcQ);
}

TEST_F(SubclassHostTest, MessageListsAndFlags) {
  LogSink s("S");
  cSubclsThunk t;
  EXPECT_TRUE(t.AddBeforeMsgs({kPing}));
  EXPECT_FALSE(t.AddBeforeMsgs({kPing, kOther}));  // kPing was present, kOther still added
  EXPECT_TRUE(t.HasBeforeMsgs(kOther));
  EXPECT_FALSE(t.RemoveBeforeMsg(WM_APP + 99));
  EXPECT_TRUE(t.RemoveBeforeMsg(kOther));
  EXPECT_FALSE(t.HasBeforeMsgs(kOther));
  ASSERT_TRUE(t.Subclass(hwnd(), &s));

  Ping(1);
  EXPECT_EQ(TakeLog(), (Log{"S.before:1", "window:1"}));
  // AllBeforeMsgs widens only the before phase.
  t.AllBeforeMsgs(true);
  ::SendMessageW(hwnd(), kOther, 0, 0);
  EXPECT_EQ(TakeLog(), (Log{"S.before:other", "window:other"}));
  // AllAfterMsgs with an empty after list: every message reaches After.
  t.AllBeforeMsgs(false);
  t.AllAfterMsgs(true);
  ::SendMessageW(hwnd(), kOther, 0, 0);
  EXPECT_EQ(TakeLog(), (Log{"window:other", "S.after:other=7"}));
  t.AllAfterMsgs(false);

  // A list changed inside Before decides the same message's After.
  s.onBefore = [&t](bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { t.AddAfterMsgs({kPing}); };
  Ping(2);
  EXPECT_EQ(TakeLog(), (Log{"S.before:2", "window:2", "S.after:2=102"}));

  // Lists survive Unsubclass and serve the next Subclass.
  EXPECT_TRUE(t.Unsubclass());
  s.onBefore = nullptr;
  Ping(3);
  EXPECT_EQ(TakeLog(), (Log{"window:3"}));
  ASSERT_TRUE(t.Subclass(hwnd(), &s));
  Ping(4);
  EXPECT_EQ(TakeLog(), (Log{"S.before:4", "window:4", "S.after:4=104"}));
}

TEST_F(SubclassHostTest, SubclassRefusesASecondWindowNullSinksAndForeignThreads) {
  LogSink s("S");
  cSubclsThunk t;
  t.AddBeforeMsgs({kPing});
  EXPECT_FALSE(t.Unsubclass());
  EXPECT_EQ(t.CallOrigWndProc(kPing, 1, 0), 0);
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_FALSE(t.Subclass(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)), &s));
  EXPECT_FALSE(t.Subclass(hwnd(), nullptr));
  EXPECT_EQ(t.hwnd(), nullptr);

  TestWindow second;
  ASSERT_TRUE(second.Create(L"SubclassHostTestWindow", RecordingWindowProc));
  ASSERT_TRUE(t.Subclass(hwnd(), &s));
  EXPECT_FALSE(t.Subclass(second.hwnd(), &s));
  EXPECT_EQ(t.hwnd(), hwnd());
  EXPECT_FALSE(HasSubclassHost(second.hwnd()));

  // The link calls inward from where it sits.
  EXPECT_EQ(t.CallOrigWndProc(kPing, 6, 0), 106);
  EXPECT_EQ(TakeLog(), (Log{"window:6"}));

  // A window of another thread cannot take a host of this one.
  std::atomic<HWND> other{nullptr};
  HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread worker([&other, done] {
    TestWindow w;
    if (!w.Create(L"SubclassHostTestWindow", RecordingWindowProc)) return;
    other = w.hwnd();
    ::WaitForSingleObject(done, 10000);
  });
  while (!other && worker.joinable()) ::Sleep(5);
  cSubclsThunk cross;
  EXPECT_FALSE(cross.Subclass(other, &s));
  EXPECT_EQ(InstallWindowProc(other, ProcP), nullptr);
  EXPECT_FALSE(HasSubclassHost(other));
  ::SetEvent(done);
  worker.join();
  ::CloseHandle(done);
}

TEST_F(SubclassHostTest, ProcedureLinksInstallOnceAndNextWindowProcOutsideAChainIsTheDefault) {
  g_oldP = InstallWindowProc(hwnd(), ProcP);
  ASSERT_EQ(g_oldP, &NextWindowProc);
  EXPECT_EQ(InstallWindowProc(hwnd(), ProcP), nullptr);
  EXPECT_EQ(InstallWindowProc(hwnd(), nullptr), nullptr);
  EXPECT_EQ(InstallWindowProc(hwnd(), &NextWindowProc), nullptr);
  EXPECT_EQ(InstallWindowProc(nullptr, ProcQ), nullptr);
  EXPECT_EQ(Ping(1), 101);
  EXPECT_EQ(TakeLog(), (Log{"P:1", "window:1"}));  // exactly once
  EXPECT_FALSE(RemoveWindowProc(hwnd(), ProcQ));
  EXPECT_TRUE(RemoveWindowProc(hwnd(), ProcP));
  EXPECT_FALSE(RemoveWindowProc(hwnd(), ProcP));
  EXPECT_FALSE(HasSubclassHost(hwnd()));
  EXPECT_EQ(CurrentProc(hwnd()), original_);
  // Outside every link's call there is no "next": the default procedure answers.
  EXPECT_EQ(NextWindowProc(hwnd(), kPing, 1, 0), 0);
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SubclassHostTest, RemovalInEveryOrderKeepsTheRestOfTheChain) {
  // Links: sink A (innermost), procedure P, sink B (outermost).
  std::vector<int> order = {0, 1, 2};
  const char* names[] = {"A", "P", "B"};
  do {
    SCOPED_TRACE(std::string(names[order[0]]) + names[order[1]] + names[order[2]]);
    LogSink a("A"), b("B");
    cSubclsThunk ta, tb;
    ta.AddBeforeMsgs({kPing});
    tb.AddBeforeMsgs({kPing});
    ASSERT_TRUE(ta.Subclass(hwnd(), &a));
    g_oldP = InstallWindowProc(hwnd(), ProcP);
    ASSERT_TRUE(tb.Subclass(hwnd(), &b));
    bool present[3] = {true, true, true};
    for (int which : order) {
      bool removed = which == 0 ? ta.Unsubclass() : which == 1 ? RemoveWindowProc(hwnd(), ProcP) : tb.Unsubclass();
      EXPECT_TRUE(removed);
      present[which] = false;
      TakeLog();
      EXPECT_EQ(Ping(3), 103);
      Log expected;
      if (present[2]) expected.push_back("B.before:3");
      if (present[1]) expected.push_back("P:3");
      if (present[0]) expected.push_back("A.before:3");
      expected.push_back("window:3");
      EXPECT_EQ(TakeLog(), expected);
    }
    EXPECT_FALSE(HasSubclassHost(hwnd()));
    EXPECT_EQ(CurrentProc(hwnd()), original_);
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(SubclassHostTest, RemovalFromInsideCalls) {
  LogSink a("A"), b("B");
  auto ta = std::make_unique<cSubclsThunk>();
  cSubclsThunk tb;
  ta->AddBeforeMsgs({kPing});
  ta->AddAfterMsgs({kPing});
  tb.AddBeforeMsgs({kPing});
  tb.AddAfterMsgs({kPing});
  ASSERT_TRUE(ta->Subclass(hwnd(), &a));
  ASSERT_TRUE(tb.Subclass(hwnd(), &b));

  // The inner link removes the outer one: the message still completes, the
  // outer After is no longer called.
  a.onBefore = [&tb](bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { tb.Unsubclass(); };
  EXPECT_EQ(Ping(1), 101);
  EXPECT_EQ(TakeLog(), (Log{"B.before:1", "A.before:1", "window:1", "A.after:1=101"}));
  a.onBefore = nullptr;

  // A link destroys its own thunk inside Before; the message goes on inward,
  // and as the last link the host leaves once the call has unwound.
  ASSERT_TRUE(tb.Subclass(hwnd(), &b));
  b.onBefore = [&ta](bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { ta.reset(); };
  a.onBefore = [](bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { ADD_FAILURE() << "removed link called"; };
  EXPECT_EQ(Ping(2), 102);
  EXPECT_EQ(TakeLog(), (Log{"B.before:2", "window:2", "B.after:2=102"}));
  b.onBefore = [&tb](bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { tb.Unsubclass(); };
  EXPECT_EQ(Ping(3), 103);
  EXPECT_EQ(TakeLog(), (Log{"B.before:3", "window:3"}));
  EXPECT_FALSE(HasSubclassHost(hwnd()));
  EXPECT_EQ(CurrentProc(hwnd()), original_);

  // A procedure link takes itself off before calling its old procedure.
  g_oldP = InstallWindowProc(hwnd(), ProcP);
  g_pHook = [this] { RemoveWindowProc(hwnd(), ProcP); };
  EXPECT_EQ(Ping(4), 104);
  EXPECT_EQ(TakeLog(), (Log{"P:4", "window:4"}));
  EXPECT_EQ(Ping(5), 105);
  EXPECT_EQ(TakeLog(), (Log{"window:5"}));
  EXPECT_EQ(CurrentProc(hwnd()), original_);
}

TEST_F(SubclassHostTest, ReentrantMessagesStartAtTheOutermostLink) {
  g_oldQ = InstallWindowProc(hwnd(), ProcQ);
  g_oldP = InstallWindowProc(hwnd(), ProcP);  // P outside Q
  int nested = 0;
  g_pHook = [&] {
    if (nested++ == 0) ::SendMessageW(hwnd(), kPing, 10, 0);
  };
  EXPECT_EQ(Ping(1), 1102);
  EXPECT_EQ(TakeLog(), (Log{"P:1", "P:10", "Q:10", "window:11", "Q:1", "window:2"}));
  RemoveWindowProc(hwnd(), ProcP);
  RemoveWindowProc(hwnd(), ProcQ);
}

TEST_F(SubclassHostTest, ExceptionsInLinksNeverReachTheSystem) {
  LogSink s("S");
  cSubclsThunk t;
  t.AddBeforeMsgs({kPing});
  t.AddAfterMsgs({kPing});
  ASSERT_TRUE(t.Subclass(hwnd(), &s));
  s.onBefore = [](bool& handled, LRESULT& ret, HWND&, UINT&, WPARAM&, LPARAM&) {
    handled = true;
    ret = 1;
    throw std::runtime_error("before");
  };
  s.onAfter = [](LRESULT&) { throw std::runtime_error("after"); };
  EXPECT_EQ(Ping(1), 101);  // a throwing Before does not answer the message
  EXPECT_EQ(TakeLog(), (Log{"S.before:1", "window:1", "S.after:1=101"}));
}

TEST_F(SubclassHostTest, ForeignProcedureInFrontKeepsTheHostAsPassThroughUntilNcDestroy) {
  LogSink s("S");
  cSubclsThunk t;
  t.AddBeforeMsgs({kPing, WM_NCDESTROY});
  ASSERT_TRUE(t.Subclass(hwnd(), &s));
  g_foreignOld = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
  ASSERT_NE(g_foreignOld, nullptr);

  EXPECT_EQ(Ping(1), 101);
  EXPECT_EQ(TakeLog(), (Log{"foreign:1", "S.before:1", "window:1"}));

  // Taking the link off leaves the foreign procedure in front and working.
  EXPECT_TRUE(t.Unsubclass());
  EXPECT_EQ(CurrentProc(hwnd()), &ForeignProc);
  EXPECT_TRUE(HasSubclassHost(hwnd()));
  EXPECT_EQ(Ping(2), 102);
  EXPECT_EQ(TakeLog(), (Log{"foreign:2", "window:2"}));

  // A new link joins the pass-through host, inside the foreign procedure.
  g_oldP = InstallWindowProc(hwnd(), ProcP);
  EXPECT_EQ(Ping(3), 103);
  EXPECT_EQ(TakeLog(), (Log{"foreign:3", "P:3", "window:3"}));
  EXPECT_TRUE(RemoveWindowProc(hwnd(), ProcP));

  // The window's destruction passes through to its own procedure and the host goes with it.
  ASSERT_TRUE(t.Subclass(hwnd(), &s));
  EXPECT_EQ(Ping(4), 104);
  EXPECT_EQ(TakeLog(), (Log{"foreign:4", "S.before:4", "window:4"}));
  HWND h = hwnd();
  window_.Destroy();
  EXPECT_EQ(TakeLog(), (Log{"foreign:ncdestroy", "S.before:ncdestroy", "window:ncdestroy"}));
  EXPECT_FALSE(HasSubclassHost(h));
  // The destroyed window's link: still reported until Unsubclass, then gone.
  EXPECT_EQ(t.hwnd(), h);
  EXPECT_EQ(t.CallOrigWndProc(kPing, 1, 0), 0);
  EXPECT_TRUE(t.Unsubclass());
  EXPECT_EQ(t.hwnd(), nullptr);
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SubclassHostTest, ForeignProcedureRemovedAgainLetsTheHostLeaveWithItsLastLink) {
  LogSink s("S");
  cSubclsThunk t;
  t.AddBeforeMsgs({kPing});
  ASSERT_TRUE(t.Subclass(hwnd(), &s));
  g_foreignOld = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
  // The foreign procedure leaves first, the proper way: the host is in front again.
  ::SetWindowLongPtrW(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_foreignOld));
  EXPECT_EQ(Ping(1), 101);
  EXPECT_EQ(TakeLog(), (Log{"S.before:1", "window:1"}));
  EXPECT_TRUE(t.Unsubclass());
  EXPECT_FALSE(HasSubclassHost(hwnd()));
  EXPECT_EQ(CurrentProc(hwnd()), original_);
}

TEST_F(SubclassHostTest, DestroyingTheWindowFromInsideALinkCall) {
  LogSink s("S");
  cSubclsThunk t;
  t.AddBeforeMsgs({kPing});
  t.AddAfterMsgs({kPing, WM_NCDESTROY});
  g_oldP = InstallWindowProc(hwnd(), ProcP);
  ASSERT_TRUE(t.Subclass(hwnd(), &s));
  HWND h = hwnd();
  s.onBefore = [h](bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { ::DestroyWindow(h); };
  EXPECT_EQ(Ping(1), 101);
  EXPECT_FALSE(::IsWindow(h));
  // WM_NCDESTROY ran through the whole chain; from then on every link counts as
  // removed, so the rest of the ping skips P and S's After.
  EXPECT_EQ(TakeLog(), (Log{"S.before:1", "window:ncdestroy", "S.after:ncdestroy=0", "window:1"}));
  EXPECT_FALSE(HasSubclassHost(h));
  EXPECT_FALSE(RemoveWindowProc(h, ProcP));
  EXPECT_TRUE(t.Unsubclass());
}

TEST_F(SubclassHostTest, AHostCutOutOfTheChainIsForgottenWithItsWindow) {
  LogSink s("S");
  cSubclsThunk t;
  t.AddBeforeMsgs({kPing});
  ASSERT_TRUE(t.Subclass(hwnd(), &s));
  // The misuse the host cannot prevent: an older procedure written back over it.
  ::SetWindowLongPtrW(hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  EXPECT_EQ(Ping(1), 101);
  EXPECT_EQ(TakeLog(), (Log{"window:1"}));
  HWND h = hwnd();
  window_.Destroy();  // WM_NCDESTROY never reaches the host
  EXPECT_EQ(TakeLog(), (Log{"window:ncdestroy"}));
  EXPECT_FALSE(HasSubclassHost(h));
  EXPECT_EQ(t.CallOrigWndProc(kPing, 1, 0), 0);
  EXPECT_TRUE(t.Unsubclass());

  // A new window, whatever handle it gets, starts with a host of its own.
  TestWindow fresh;
  ASSERT_TRUE(fresh.Create(L"SubclassHostTestWindow", RecordingWindowProc));
  ASSERT_TRUE(t.Subclass(fresh.hwnd(), &s));
  EXPECT_EQ(::SendMessageW(fresh.hwnd(), kPing, 2, 0), 102);
  EXPECT_EQ(TakeLog(), (Log{"S.before:2", "window:2"}));
  EXPECT_TRUE(t.Unsubclass());
  EXPECT_FALSE(HasSubclassHost(fresh.hwnd()));
}
