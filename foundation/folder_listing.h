// The entries of a folder in the order the system's file lists show them: by
// name, without regard to case, under the user's locale.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace foundation {

// Sorts names that way.
void SortByName(std::vector<std::wstring>& names);

// The names of the entries of folder ("." and ".." left out) that keep()
// accepts, sorted by name; none when the folder can't be read.
std::vector<std::wstring> ListFolderEntries(const std::wstring& folder,
                                            const std::function<bool(const WIN32_FIND_DATAW&)>& keep);

// The names of the sub-folders of folder, sorted by name; links to folders
// among them (a category that is a link is listed, so that it can be
// deleted, and never entered).
std::vector<std::wstring> ListSubfolders(const std::wstring& folder);

}  // namespace foundation
