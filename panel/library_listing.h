// The emoticon library on disk as the panel sees it: the folder "Face" beside
// the program, one subfolder per category, picture files inside.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

namespace panel {

inline constexpr wchar_t kDefaultCategory[] = L"默认表情";
inline constexpr wchar_t kLibraryFolder[] = L"Face";

// AppPath & "Face".
std::wstring LibraryRoot();
// AppPath & "Face\" & category, in its literal form when the system would
// reshape the name (LiteralPath).
std::wstring CategoryFolder(const std::wstring& category);

// The categories in list order: "默认表情" first (whether or not its folder
// exists), then every other subfolder of the root (foundation::ListSubfolders).
std::vector<std::wstring> ListCategories(const std::wstring& root);

// The panel's emoticon files of a category folder: *.gif, *.jpg, *.bmp and
// *.png, extensions matched without regard to case, sorted by name; none for
// a folder that is a link.
std::vector<std::wstring> ListEmoticonFiles(const std::wstring& folder);
// The files a folder import takes: *.gif, *.bmp and *.jpg, matched the same way.
std::vector<std::wstring> ListImportFiles(const std::wstring& folder);
// The files of a folder whose extension is one of these, without regard to
// case, sorted by name.
std::vector<std::wstring> ListFilesWithExtensions(const std::wstring& folder,
                                                  std::initializer_list<const wchar_t*> extensions);

}  // namespace panel
