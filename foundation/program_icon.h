// The program's own icon, the picture Explorer, shortcuts and the taskbar show
// for its file (assets/program_resources.rc puts it into each program). Its
// windows take their class icons from the same resource, so the file and the
// windows can't show different pictures. Also read by the resource scripts.
#pragma once

// The id of the program's icon group: its only one, so the first, which
// Explorer shows.
#define PROGRAM_ICON_ID 1

#ifndef RC_INVOKED
#include <windows.h>

namespace foundation {

// The program's icon at a square size in pixels, from its own file; the caller
// owns it. Null in a process whose file carries no such icon (a test program
// building the windows alone).
HICON LoadProgramIcon(int size);

}  // namespace foundation
#endif
