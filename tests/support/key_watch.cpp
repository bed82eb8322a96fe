#include "support/key_watch.h"

#include <gtest/gtest.h>

namespace testing_support {
namespace {

std::atomic<KeyWatch*> g_watch{nullptr};

}  // namespace

KeyWatch::KeyWatch() {
  EXPECT_EQ(g_watch.exchange(this), nullptr) << "one key watch at a time";
  HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, ready] {
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for the quit message
    HHOOK hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, Proc, ::GetModuleHandleW(nullptr), 0);
    threadId_ = ::GetCurrentThreadId();
    ::SetEvent(ready);
    if (!hook) return;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    ::UnhookWindowsHookEx(hook);
  });
  ::WaitForSingleObject(ready, INFINITE);
  ::CloseHandle(ready);
}

KeyWatch::~KeyWatch() {
  ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  g_watch = nullptr;
}

LRESULT CALLBACK KeyWatch::Proc(int code, WPARAM wParam, LPARAM lParam) {
  if (KeyWatch* watch = g_watch.load(); code == HC_ACTION && watch) ++watch->count_;
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace testing_support
