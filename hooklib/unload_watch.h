// Letting the library go from a process that the system loaded it into for
// the hooks alone. Windows itself frees a hook library in such a process once
// its hooks are removed; Wine never frees it (the module it loads for a hook
// from another process is kept for good). So a thread of ours waits there
// until no panel holds the hooks any more (the holder's library thread ends
// when its panel switches the hooks off and when its process ends), and then
// drops the library.
#pragma once
#include <windows.h>

namespace hooklib {

// The process loaded the library itself (the panel, a test): nothing here
// ever lets it go. Every export calls this.
void NoteLoadedByProcess();

// Counts calls in progress inside the hook procedures, which must all have
// returned before the library goes.
class HookCallScope {
 public:
  HookCallScope();
  ~HookCallScope();
  HookCallScope(const HookCallScope&) = delete;
  HookCallScope& operator=(const HookCallScope&) = delete;
};

// Called by the hook procedures: starts the waiting thread once, unless the
// process loaded the library itself.
void StartUnloadWatch();

}  // namespace hooklib
