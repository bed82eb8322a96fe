// A crowd of top-level windows in a process of its own, as the windows of the
// QQ client and of every other program are for the panel. The benchmark
// program starts itself again as the crowd's host.
#pragma once
#include <windows.h>

namespace bench {

struct WindowCrowd {
  HANDLE process = nullptr;
  HWND first = nullptr;  // the chat window when asked for one, else any window of the crowd
  HWND other = nullptr;  // an ordinary visible window with a system menu
};

// Starts `count` windows: with chatFirst, the first is a QQ chat window, put in
// front; the others are ordinary windows, most of them visible with a system
// menu (the ones the enumeration has to look at), a quarter hidden, a fifth
// without a system menu. count 0 starts nothing and succeeds. With idleTimer,
// the first window also gets a timer of 1 ms that does nothing (the floor of
// a polling loop).
bool StartWindowCrowd(int count, bool chatFirst, WindowCrowd* crowd, bool idleTimer = false);
void StopWindowCrowd(WindowCrowd& crowd);

// In the host process (its command line from StartWindowCrowd): runs the crowd
// until it is closed and answers the exit code; -1 in any other process.
int RunWindowCrowdHostIfAsked(int argc, wchar_t** argv);

// Top-level windows of the desktop, every process's.
int CountTopLevelWindows();

}  // namespace bench
