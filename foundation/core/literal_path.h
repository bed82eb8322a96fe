// How the system reshapes a path before it reaches the file system, and the
// form that keeps it as written. Windows drops a dot or blank at the end of a
// name ("x." and "x " both open "x") and takes a device name in a folder
// ("Face\CON") as the device; a folder listed from disk may still carry such
// a name, made by another system or program. No windows here.
#pragma once
#include <string>
#include <string_view>

namespace foundation {

// The names Windows maps to devices in every folder, with or without an
// extension: CON, PRN, AUX, NUL, COM1-9, LPT1-9, in any letter case.
bool IsDeviceName(std::wstring_view component);

// True for a name the system would not take as written: it ends in a dot or
// a blank, or it is a device name. "." and ".." are steps, not names: false.
bool IsReshapedName(std::wstring_view component);

// path itself when the system takes it as written; otherwise, for a full path
// ("X:\..." or "\\server\share\..."), its "\\?\" form, which the file
// functions take letter for letter. A path already in that form, and one
// with "." or ".." steps or "/" (which only the system's own resolution
// handles), comes back unchanged. The shell's file operations do not take
// the "\\?\" form: see CopyFileTo.
std::wstring LiteralPath(std::wstring_view path);

// True for a path in the "\\?\" form.
bool IsLiteralPath(std::wstring_view path);

// The path as a user or another program names it: a path in the "\\?\"
// form without that prefix ("\\?\UNC\srv\..." as "\\srv\..."), any other
// path unchanged.
std::wstring OrdinaryPath(std::wstring_view path);

}  // namespace foundation
