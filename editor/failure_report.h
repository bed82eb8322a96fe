// Tells the user which files an operation could not handle, instead of a
// success message that would not be true.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace editor {

// The heading, then the file names one a line (the first 20, then "……").
std::wstring NameList(const std::wstring& heading, const std::vector<std::wstring>& names);

// NameList in a warning box titled "提示".
void ReportFailedFiles(HWND owner, const std::wstring& heading, const std::vector<std::wstring>& names);

}  // namespace editor
