// This program's start-with-Windows value. Windows runs the values of two Run
// keys at sign-in: the machine's (HKEY_LOCAL_MACHINE), which only an
// administrator can write, and the signed-in user's (HKEY_CURRENT_USER),
// which every user can. The value goes under the machine's key where that is
// allowed, else under the user's, so that an ordinary user gets a start with
// Windows that works too.
#pragma once
#include <string>

namespace foundation {

// The path the value holds for the running program: AppPath & its executable name & ".exe".
std::wstring AutoRunProgramPath();

// Whether either key holds exactly programPath (letter case included): a
// value naming another copy of the program does not count.
bool IsAutoRunRegistered(const std::wstring& programPath);

// Writes the value under the machine's key, or under the user's where the
// machine's refuses. True when a key holds programPath afterwards.
bool RegisterAutoRun(const std::wstring& programPath);

// Removes the value from each key where it holds programPath; another copy's
// value is left alone. True when neither key holds programPath afterwards.
bool UnregisterAutoRun(const std::wstring& programPath);

}  // namespace foundation
