// The result string of a window's input-method context: the text that a
// WM_IME_COMPOSITION with GCS_RESULTSTR hands over.
#pragma once
#include <windows.h>

#include <string>

namespace hooklib {

// "" when the window's context holds no result.
std::wstring ImeResultText(HWND window);

// Empties the result, so that the window (or DefWindowProc, which would turn
// it into WM_IME_CHAR messages) finds nothing to take; false when the context
// could not be reached.
bool ClearImeResult(HWND window);

}  // namespace hooklib
