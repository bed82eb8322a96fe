// Chat-window detection on real windows: a thin reader of the facts the pure
// tests need, the enumeration into the keyed list, the list lookup and pruning.
#pragma once
#include <windows.h>

#include <string>

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

// Non-zero (the item's index) when the list holds the key "ID:" & hwnd.
int IsChatWindowListed(const ChatWindowList& list, HWND hwnd);

// The EnumWindows callback: lParam is the ChatWindowList to fill. Always
// answers TRUE so the enumeration runs to the end.
BOOL CALLBACK EnumChatWindowsProc(HWND hwnd, LPARAM lParam);
// Runs the callback above over every top-level window of the desktop.
void EnumChatWindows(ChatWindowList& list);

// Removes, last to first, the items whose window no longer exists.
void PruneChatWindowList(ChatWindowList& list);

}  // namespace foundation
