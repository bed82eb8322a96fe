// Mouse input as a user gives it: through the system's input queue, so the
// window under the pointer gets it with all the activation a real click brings.
#pragma once
#include <windows.h>

#include <functional>

namespace testing_support {

// Moves the pointer to a screen point and presses and releases the left (or right) button there.
void ClickAt(POINT screen, bool right = false);

// Two left clicks there in one go, as a double click.
void DoubleClickAt(POINT screen);

// Rests the pointer on a screen point as a user who points at something
// does, moving it a pixel and back until settled() holds (the program under
// the pointer has answered its moves: what shows on hover shows, what moves
// out of the pointer's way has moved); false after about timeoutMs.
bool PointAt(POINT screen, const std::function<bool()>& settled, DWORD timeoutMs = 5000);

// Moves the pointer to the screen's bottom-left corner, off every window a
// test places: a program under the pointer shows what it shows on hover.
void ParkPointer();

// The screen point of a point in a window's client area.
POINT ScreenPointOf(HWND window, int x, int y);

}  // namespace testing_support
