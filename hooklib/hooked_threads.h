// The QQ client's threads that one panel's library thread has hooked. Each
// entry keeps a handle of its thread: the system never gives a thread's id
// to a new thread while a handle of it is open, and the handle tells when the
// thread has ended, so its entry goes and nothing of an exited QQ stays.
#pragma once
#include <windows.h>

#include <vector>

#include "foundation/handles.h"
#include "hooklib/typing_hook.h"

namespace hooklib {

class HookedThreads {
 public:
  explicit HookedThreads(HMODULE library) : library_(library) {}
  HookedThreads(const HookedThreads&) = delete;
  HookedThreads& operator=(const HookedThreads&) = delete;

  bool Has(DWORD threadId) const;
  // Hooks the thread's typing when it is a thread of process processId (which
  // the caller holds open); false when it can't be (the thread is gone, or its
  // id now names a thread of another process).
  bool Hook(DWORD threadId, DWORD processId);
  // Up to max handles of the hooked threads, to wait on; index i of them is
  // entry i for Forget.
  size_t WaitHandles(HANDLE* out, size_t max) const;
  // The thread of entry index has ended: its hooks and handle go.
  void Forget(size_t index);
  // Forgets every thread that has ended (beyond those waited on).
  void ForgetEnded();
  void UnhookAll() { entries_.clear(); }

 private:
  struct Entry {
    DWORD threadId;
    foundation::UniqueKernelHandle thread;
    TypingHooks hooks;
  };
  HMODULE library_;
  std::vector<Entry> entries_;
};

}  // namespace hooklib
