// The editor's message loops: the program's own and the one a modal dialog
// runs. Both give the open dialogs their keys first (Esc, Tab).
#pragma once
#include <functional>

namespace editor {

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Runs while running() holds. A WM_QUIT that arrives meanwhile is put back for
// the outer loop, and this loop ends.
void RunNestedLoop(const std::function<bool()>& running);

}  // namespace editor
