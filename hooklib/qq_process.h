// Which processes the library's hooks enter: the QQ client's.
#pragma once
#include <windows.h>

#include "foundation/handles.h"

namespace hooklib {

// A handle of the process when its executable is QQ.exe itself (ignoring
// case), the program the panel converts for, and it runs on this library's
// architecture (a hook on a thread of the other one would be serviced by the
// installing thread, not in the process); empty otherwise. While the handle
// is open, pid names that process and no other.
foundation::UniqueKernelHandle OpenQqProcess(DWORD pid);

}  // namespace hooklib
