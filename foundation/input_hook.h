// Typed-text conversion through the keyboard-hook library: the module state,
// the dispatch by mode and the window procedure for the library's message.
//
// Protocol: the library, given the panel's window by DLLstartHOOK, sends it
// the registered message "WM_OSTRELKIT_REDIR" when it holds typed text and
// waits; InputHookWindowProc reads the library's shared string, converts it
// and stores the result before the message returns (DLLGetPubStringW and
// DLLSetPubStringW, or the ANSI pair of a library without them).
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "foundation/hook_library.h"

namespace foundation {

enum TextConvertModes : int {
  ConvertNone = 0,         // "简体输入法"
  ConvertTraditional = 1,  // "繁体输入法"
  ConvertMartian = 2,      // "火星输入法"
};

// Module state, for the whole process; the panel loads it at start.
extern int TextConvertMode;
extern std::wstring ConvertSourceChars;
extern std::wstring ConvertTargetChars;
extern std::vector<std::wstring> MarsAlternatives;
extern std::wstring DecorationChars;
extern bool RndTextOn;
extern std::wstring RandomPercent;  // "50" until the options are read
extern UINT InputHookMessage;
// The next procedure inward from InputHookWindowProc.
extern WNDPROC OldInputWndProc;
extern HookLibrary InputHookLibrary;

// Only the QQ client's typing is converted: the foreground window's
// executable name must contain this (ignoring case).
inline constexpr std::wstring_view kConvertedExeName = L"QQ.exe";

// The text in the active mode; modes 1 and 2 only while a window of a process
// whose executable name contains "QQ.exe" is in front, else unchanged.
std::wstring ConvertTypedText(std::wstring_view text);

// The procedure link on the panel window: for InputHookMessage it converts the
// library's shared string in place; every message then goes on inward.
LRESULT CALLBACK InputHookWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The start sequence, in the order the library relies on: bind the library
// (by its full path), register the message, DLLstartHOOK(window), put InputHookWindowProc on
// the window, and only then DLLsetHOOKState(-1). A missing library or export
// skips its step; the window procedure is installed regardless.
void StartInputHook(HWND window, const std::wstring& libraryPath = HookLibraryPath());
// Takes InputHookWindowProc off the window, then DLLstopHOOK.
void StopInputHook(HWND window);

}  // namespace foundation
