// Small window and system helpers of the general-purpose module, and the
// minimum-width procedure of the panel window.
#pragma once
#include <windows.h>

#include <string>

namespace foundation {

// The panel window is never narrower than this many pixels.
inline constexpr int kMinPanelWidth = 257;

// Gives the window a rounded-rectangle region from (0, 0) to (width + 1,
// height + 1), which the system fills up to but not including those edges, so
// the square form covers exactly the window. The corners are
// rounded with a 6 x 6 ellipse when rounded, square otherwise; the window is
// redrawn.
// The system owns the region from then on.
void SetRoundRegion(HWND hwnd, bool rounded);

// Asks every top-level window of the program on the calling thread to close
// (WM_CLOSE), most recently created first; a window that refuses stays and the
// others still close.
void UnloadAllForms();

// Lets the user move the window by its body: releases the mouse capture and
// starts the system's move loop as if the caption were dragged. Returns when
// the mouse button is released.
void DragForm(HWND hwnd);

// Puts the window into (onTop) or out of the topmost band, at its current
// position and size.
void SetTopMost(HWND hwnd, bool onTop);

// Opens an address, a file or a folder with the shell's "open" verb, shown
// normally. A folder goes to the shell whole: Explorer's own command line
// would split a path at its commas.
void OpenUrl(HWND owner, const std::wstring& target);

// Starts a program from a command line (the program found the way the system
// searches for it), with a normal, focused window; false when it could not start.
bool StartProgram(const std::wstring& commandLine);

// Trims the process's working set on Windows 2000, XP and 2003; elsewhere
// nothing.
void TrimWorkingSet();

// The panel's minimum-width procedure: WM_GETMINMAXINFO gets a minimum
// tracking width of kMinPanelWidth and is answered here (1), so the procedures
// inside never see it; WM_WINDOWPOSCHANGING is clamped to the same width before
// it goes on, because SetWindowPos and MoveWindow do not apply the tracking
// size to a popup window without a sizing border. Everything else goes on to
// OldMinSizeWndProc.
LRESULT CALLBACK MinSizeWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// Puts MinSizeWindowProc on the window through the subclassing host (keeping
// the next procedure in OldMinSizeWndProc); false when it could not be put on
// or is on already.
bool InstallMinSizeWindowProc(HWND hwnd);
// Takes it off again.
void RemoveMinSizeWindowProc(HWND hwnd);

}  // namespace foundation
