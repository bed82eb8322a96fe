// The session-wide objects behind the exchange: the shared block (a named
// file mapping in the session's namespace) and two named locks. The panel's
// process creates them; a typing process opens them at its first typed
// character. Names carry the architecture: a hook only enters processes of
// its own architecture, so a 32-bit and a 64-bit panel each keep their own.
#pragma once
#include <windows.h>

#include "foundation/handles.h"
#include "hooklib/core/shared_block.h"

namespace hooklib {

// Bound on every wait for a lock: a process that died holding one, or a
// typist stuck on a panel, never freezes another process for longer.
inline constexpr DWORD kLockWaitMs = 1000;

class SharedState {
 public:
  SharedState() = default;
  SharedState(const SharedState&) = delete;
  SharedState& operator=(const SharedState&) = delete;

  // The panel's side: creates the objects, or opens them when they exist.
  bool Create();
  // A typing process's side: false while no panel made them.
  bool Open();
  bool IsOpen() const { return block_ != nullptr; }
  void Close();

  // Runs fn(SharedBlock&) holding the block lock; false when the state is not
  // open or the lock could not be had in time.
  template <class Fn>
  bool WithBlock(Fn&& fn) {
    if (!block_ || !Acquire(blockLock_.get())) return false;
    fn(*block_);
    ::ReleaseMutex(blockLock_.get());
    return true;
  }

  // One exchange at a time across the session: held from the typed text going
  // in until the answer is taken out.
  bool LockExchange() { return block_ && Acquire(exchangeLock_.get()); }
  void UnlockExchange() { ::ReleaseMutex(exchangeLock_.get()); }

  // The panel's process id as the block holds it, read through a view that is
  // gone again on return; 0 when no panel made the block.
  static DWORD ReadPanelProcessId();

 private:
  static bool Acquire(HANDLE mutex);
  // Maps the block once the three objects exist; closes everything otherwise.
  bool MapBlock();

  foundation::UniqueKernelHandle mapping_, blockLock_, exchangeLock_;
  foundation::UniqueMappedView view_;
  SharedBlock* block_ = nullptr;
};

// The manual-reset event that the panel's process sets when it switches the
// hook off; named like the shared objects.
const wchar_t* HookOffEventName();

}  // namespace hooklib
