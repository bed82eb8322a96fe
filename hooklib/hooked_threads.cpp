#include "hooklib/hooked_threads.h"

#include <algorithm>

namespace hooklib {

bool HookedThreads::Has(DWORD threadId) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.threadId == threadId; });
}

bool HookedThreads::Hook(DWORD threadId, DWORD processId) {
  if (Has(threadId)) return true;
  // The id was read from a window that may be gone by now, and SetWindowsHookEx
  // takes an id: the thread is opened first, which keeps its id from passing
  // to a new thread until the handle closes, and only then is it checked to
  // be the client's.
  foundation::UniqueKernelHandle thread(
      ::OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, threadId));
  if (!thread || ::GetProcessIdOfThread(thread.get()) != processId) return false;
  TypingHooks hooks = HookTyping(library_, threadId);
  if (!hooks) return false;
  entries_.push_back(Entry{threadId, std::move(thread), std::move(hooks)});
  return true;
}

size_t HookedThreads::WaitHandles(HANDLE* out, size_t max) const {
  const size_t n = std::min(max, entries_.size());
  for (size_t i = 0; i < n; ++i) out[i] = entries_[i].thread.get();
  return n;
}

void HookedThreads::Forget(size_t index) {
  if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<ptrdiff_t>(index));
}

void HookedThreads::ForgetEnded() {
  std::erase_if(entries_, [](const Entry& e) { return ::WaitForSingleObject(e.thread.get(), 0) == WAIT_OBJECT_0; });
}

}  // namespace hooklib
