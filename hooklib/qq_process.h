// Which processes the library's hooks enter: the QQ client's.
#pragma once
#include <windows.h>

namespace hooklib {

// Whether the process's executable name contains "QQ.exe" (ignoring case),
// the same test the panel makes of the window in front before converting,
// and it runs on this library's architecture (a hook on a thread of the
// other one would be serviced by the installing thread, not in the process).
bool IsQqProcess(DWORD pid);

}  // namespace hooklib
