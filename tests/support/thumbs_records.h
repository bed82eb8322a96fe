// What a Thumbs.mdb holds, read by tests from outside the programs.
#pragma once
#include <string>
#include <vector>

namespace testing_support {

// The paths of the records of a table (tblThumbnail, tblFittedCell), in the
// table's order; none when the database can't be read.
std::vector<std::wstring> RecordPaths(const std::wstring& database, const char* table);

// The names of the folders directly below root (with a trailing "\") that
// paths of those records lie in, sorted, each once.
std::vector<std::wstring> RecordFolders(const std::wstring& database, const char* table, const std::wstring& root);

}  // namespace testing_support
