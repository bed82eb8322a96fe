// File and folder operations on the user's library. The copy and rename never
// lose the only copy of a file: see CopyFileTo.
#pragma once
#include <windows.h>

#include <string>

namespace foundation {

// An existing file (folders don't count); false on any error.
bool FileExists(const std::wstring& path);
// An existing folder, empty or not; "" is none.
bool FolderExists(const std::wstring& path);
// A symbolic link, junction or mount point (core/link_entry.h), to a folder
// or a file, whether or not what it points at exists. The library never
// walks into one. A folder or file kept in the cloud is no link.
bool IsLink(const std::wstring& path);
// The same of an entry as a folder listing gives it.
bool IsLinkEntry(const WIN32_FIND_DATAW& entry);
// Creates the folder and every missing parent; failures of single levels are ignored.
void CreateFolder(const std::wstring& path);
void CreateFolderTree(const std::wstring& path);

// True when both paths name one existing file or folder, however spelt
// (letter case, relative path, short name).
bool IsSameFile(const std::wstring& a, const std::wstring& b);

// True when path names an entry somewhere below folder, both made full paths
// first (".." and "." resolved), letter case aside; folder itself and a
// sibling whose name merely starts like it are not below it.
bool IsInsideFolder(const std::wstring& path, const std::wstring& folder);

// Copies source to target through the shell (its own progress and error
// windows, owned by owner). target is a file path or a folder ending in "\".
// An existing target file is replaced only once the new copy exists: it is
// set aside first and put back when the copy fails. A target that is the
// source itself is left alone (result false). Paths with wildcards are refused.
// A path in the literal "\\?\" form (LiteralPath) is copied by the file
// functions, as the shell can't take it. True when the copy was made; the
// program's cached drawings of a file of that name are dropped then
// (ForgetThumbnails): on NTFS a file made under a name freed moments before
// takes over the creation time of the file that had it (tunnelling), by
// which the thumbnails tell a changed file.
bool CopyFileTo(HWND owner, const std::wstring& source, const std::wstring& target);

// Renames source to target through the shell, with the same protection of an
// existing target file. True when source now carries the new name; the
// cached drawings of both names are dropped then (for a folder, those of
// every path below either name too).
bool RenamePath(HWND owner, const std::wstring& source, const std::wstring& target);

}  // namespace foundation
