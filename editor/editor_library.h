// The emoticon library as the editor sees it: the folder "Face" beside the
// program, one sub-folder per category, picture files inside.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

// AppPath & "Face" (no trailing "\").
std::wstring LibraryRoot();
// AppPath & "Face\" & category (no trailing "\"), in its literal form when
// the system would reshape the name (LiteralPath).
std::wstring CategoryFolder(const std::wstring& category);

// The categories: every sub-folder of Face by name, in the order the
// system's folder lists show them (by name, without regard to case). A
// folder that is a link is listed, so that it can be deleted, but never
// entered.
std::vector<std::wstring> ListCategories();

// The sub-folders of a folder in the same order, links left out: a walk
// through them never leaves the folder it starts in.
std::vector<std::wstring> ListFolders(const std::wstring& folder);

// The names of the files of a folder (no sub-folders, no hidden or system
// files) whose extension is one of these, in the same order.
std::vector<std::wstring> ListFiles(const std::wstring& folder, std::span<const std::wstring_view> extensions);

}  // namespace editor
