// A program's drop-down lists used as a user uses them: opened with the real
// pointer on the drop button, entries clicked in the dropped list.
#pragma once
#include <windows.h>

namespace testing_support {

// The visible dropped list of a process's combo box, or nullptr.
HWND DroppedList(DWORD process);

// Opens the combo box of that process with a click on its drop button; its
// dropped list once it shows, or nullptr after a few seconds.
HWND OpenList(DWORD process, HWND combo);

// Clicks entry index of a dropped list (in view: the list is not scrolled).
void ClickListEntry(HWND list, int index);

}  // namespace testing_support
