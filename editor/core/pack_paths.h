// Path helpers of the RAR pack import. No windows.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace editor {

// "\" for an empty path; the path unchanged when it ends with "\"; else path & "\".
std::wstring AddBackslash(std::wstring_view path);

// The last non-empty piece between backslashes (a trailing "\" is ignored);
// "" when the path holds no backslash.
std::wstring LastPathPart(std::wstring_view path);

// The pack's name: the archive's file name less its last four characters
// (the ".rar"); "" for a name of four characters or fewer.
std::wstring PackNameFromArchive(std::wstring_view archiveFileName);

// The folder whose pictures a pack imports, from the folder walk (the
// unpacked root first): the first sub-folder found when there is one, else
// the root; "" for an empty walk.
std::wstring ChoosePackFolder(const std::vector<std::wstring>& walk);

}  // namespace editor
