// Pure path and field helpers of the general-purpose module.
#pragma once
#include <string>
#include <string_view>

namespace foundation {

// Text after the last "\" (the whole text when there is none).
std::wstring GetFileName(std::wstring_view path);
// Text after the last "." (the whole text when there is none); the scan does
// not stop at a "\", so a dot in a folder name counts when the file has none.
std::wstring GetExtension(std::wstring_view name);
// The file name of a module path, also for the "\??\" and "\SystemRoot\" forms.
std::wstring GetExeNameFromPath(std::wstring_view path);

// Tab, LF, CR and no-break space become "|", one for one.
std::wstring NormalizeSeparators(std::wstring_view line);
// Field index (from 1) of a "|"-separated line; runs of separators count as
// one and leading ones are skipped. "" past the last field or below 1.
std::wstring GetField(std::wstring_view line, int index);

// A folder path with exactly one trailing "\" added when it has none.
std::wstring WithTrailingBackslash(std::wstring_view path);

}  // namespace foundation
