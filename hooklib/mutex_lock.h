// Holding one of the session's named locks for a scope. A lock is released
// even when the code holding it throws, so no other process waits on it
// until this thread ends.
#pragma once
#include <windows.h>

#include <utility>

namespace hooklib {

class MutexLock {
 public:
  MutexLock() = default;
  // Waits at most waitMs. A lock whose owner died is ours too (WAIT_ABANDONED):
  // the state it guards stays usable, as every exchange rewrites what it reads.
  MutexLock(HANDLE mutex, DWORD waitMs) {
    if (!mutex) return;
    const DWORD r = ::WaitForSingleObject(mutex, waitMs);
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) mutex_ = mutex;
  }
  MutexLock(MutexLock&& o) noexcept : mutex_(std::exchange(o.mutex_, nullptr)) {}
  MutexLock& operator=(MutexLock&& o) noexcept {
    if (this != &o) {
      Release();
      mutex_ = std::exchange(o.mutex_, nullptr);
    }
    return *this;
  }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;
  ~MutexLock() { Release(); }

  explicit operator bool() const { return mutex_ != nullptr; }

 private:
  void Release() {
    if (mutex_) ::ReleaseMutex(std::exchange(mutex_, nullptr));
  }
  HANDLE mutex_ = nullptr;
};

}  // namespace hooklib
