// Files and folders of a program's own in the user's temporary folder. Each
// is made fresh by the call that returns it (never one that was there), so
// whatever the program writes into it or removes with it is its own.
#pragma once
#include <string>

namespace foundation {

// The user's temporary folder with one trailing "\" ("\" when the system
// gives none).
std::wstring GetTempDir();

// A new, empty file in folder (ending in "\") named FreshName(prefix, this
// process, n) & extension; its path, or "" when none could be made.
std::wstring MakeFreshFile(const std::wstring& folder, const std::wstring& prefix, const std::wstring& extension);

// A new, empty folder in folder, named likewise; its path with a trailing
// "\", or "" when none could be made.
std::wstring MakeFreshFolder(const std::wstring& folder, const std::wstring& prefix);

}  // namespace foundation
