// The session-wide objects behind the exchange: the shared block (a named
// file mapping in the session's namespace), two named locks, and the hook
// lock that decides which panel holds the hooks. A panel's process creates
// them; a typing process opens them at its first typed character. Names
// carry the architecture: a hook only enters processes of its own
// architecture, so a 32-bit and a 64-bit panel each keep their own.
//
// Once mapped, the block stays mapped until the library unloads: a hook call
// on one thread may be using it while another thread looks at it.
#pragma once
#include <windows.h>

#include <atomic>
#include <string>

#include "foundation/handles.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/mutex_lock.h"

namespace hooklib {

// Bound on every wait for a lock: a process that died holding one, or a
// typist stuck on a panel, never freezes another process for longer.
inline constexpr DWORD kLockWaitMs = 1000;

class SharedState {
 public:
  // namePrefix: the start of every object's name; the session's own by default.
  explicit SharedState(std::wstring namePrefix = SessionNamePrefix());
  SharedState(const SharedState&) = delete;
  SharedState& operator=(const SharedState&) = delete;

  // A panel's side: creates the objects, or opens them when they exist.
  bool Create();
  // A typing process's side: false while no panel made them. Any thread may call it.
  bool Open();
  bool IsOpen() const { return block_.load(std::memory_order_acquire) != nullptr; }

  // Runs fn(SharedBlock&) holding the block lock; false when the state is not
  // open or the lock could not be had in time.
  template <class Fn>
  bool WithBlock(Fn&& fn) {
    SharedBlock* block = block_.load(std::memory_order_acquire);
    if (!block) return false;
    MutexLock lock(blockLock_.get(), kLockWaitMs);
    if (!lock) return false;
    fn(*block);
    return true;
  }

  // Runs fn(const SharedBlock&) without the block lock, for the fields the
  // block lets be read so; false when the state is not open.
  template <class Fn>
  bool Peek(Fn&& fn) const {
    const SharedBlock* block = block_.load(std::memory_order_acquire);
    if (!block) return false;
    fn(*block);
    return true;
  }

  // One exchange at a time across the session: held from the typed text going
  // in until the answer is taken out. Empty when it could not be had in time.
  MutexLock LockExchange();

  // The lock whose owner holds the hooks (a library thread of one panel),
  // made when no panel made it yet; the caller closes the handle.
  HANDLE OpenHookLock() const;

  static std::wstring SessionNamePrefix();

 private:
  enum class Mode { Create, Open };
  bool Map(Mode mode);

  const std::wstring prefix_;
  SRWLOCK mapLock_ = SRWLOCK_INIT;
  foundation::UniqueKernelHandle mapping_, blockLock_, exchangeLock_;
  foundation::UniqueMappedView view_;
  std::atomic<SharedBlock*> block_{nullptr};
};

}  // namespace hooklib
