// Letting the library go from a process that the system loaded it into for
// the hook alone. Windows itself frees a hook library in such a process once
// the hook is removed; Wine never frees it (the module it loads for a hook
// from another process is kept for good). So a thread of ours waits there for
// the hook to go off, or for the panel's process to end, and then drops the
// library.
#pragma once
#include <windows.h>

namespace hooklib {

// The process loaded the library itself (the panel, a test): nothing here
// ever lets it go. Every export calls this.
void NoteLoadedByProcess();

// Counts calls in progress inside the hook procedure, which must all have
// returned before the library goes.
class HookCallScope {
 public:
  HookCallScope();
  ~HookCallScope();
  HookCallScope(const HookCallScope&) = delete;
  HookCallScope& operator=(const HookCallScope&) = delete;
};

// Called by the hook procedure: starts the waiting thread once, unless the
// process loaded the library itself. release runs on that thread just before
// the library goes.
void StartUnloadWatch(void (*release)());

}  // namespace hooklib
