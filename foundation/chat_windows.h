// Chat-window detection on real windows: a thin reader of the facts the pure
// tests need, the enumeration into the keyed list, the list lookup and pruning.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "foundation/core/chat_window_list.h"
#include "foundation/core/chat_window_tests.h"

namespace foundation {

// The chat window the panel follows: written only by the docking loop, read by
// the send road, never reset.
extern HWND ChatWindowHandle;

// The title as tested: the longest prefix of whole characters of the window
// text that fits 25 bytes in the system code page.
std::wstring ReadTestedTitle(HWND hwnd);
// Everything the tests look at. A destroyed window reads as empty facts.
WindowFacts ReadWindowFacts(HWND hwnd);

std::wstring GetStyleText(HWND hwnd);
bool IsChatWindow(HWND hwnd);
bool CheckQQWin(HWND hwnd, bool standAloneMode);
// The class name as the tests read it ("" for a window that is gone).
std::wstring ReadWindowClassName(HWND hwnd);
// What the strict test read of a window: the rectangle only for the QQ class
// (rectRead false when the window was gone by then), the parent only for a
// title with a chat word that the first test refused.
struct StrictTestReading {
  WindowFacts facts;
  bool rectRead = false;
};
// The strict test (docking mode) of a window whose class name the caller
// already read: a window's class never changes.
bool CheckQQWinOfClass(HWND hwnd, std::wstring className, StrictTestReading* reading);

// Non-zero (the item's index) when the list holds the key "ID:" & hwnd.
int IsChatWindowListed(const ChatWindowList& list, HWND hwnd);

// Whether the enumeration would list hwnd, were it not listed yet.
bool WouldBeListed(HWND hwnd);

// The EnumWindows callback: lParam is the ChatWindowList to fill. Always
// answers TRUE so the enumeration runs to the end.
BOOL CALLBACK EnumChatWindowsProc(HWND hwnd, LPARAM lParam);
// Runs the callback above over every top-level window of the desktop.
void EnumChatWindows(ChatWindowList& list);

// The handles of the desktop's top-level windows (Wine adds its message-only
// windows), in z-order: one read of the window tree, no read of any window.
void ListTopLevelWindows(std::vector<HWND>* handles);

// Removes, last to first, the items whose window no longer exists.
void PruneChatWindowList(ChatWindowList& list);

}  // namespace foundation
