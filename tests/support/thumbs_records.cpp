#include "support/thumbs_records.h"

#include <sqlite3.h>

#include <algorithm>

#include "foundation/ansi_text.h"

namespace testing_support {

std::vector<std::wstring> RecordPaths(const std::wstring& database, const char* table) {
  std::vector<std::wstring> paths;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(foundation::ToUtf8(database).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    // The programs may be writing just then.
    sqlite3_busy_timeout(db, 2000);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, (std::string("SELECT Path FROM ") + table).c_str(), -1, &st, nullptr);
    while (st && sqlite3_step(st) == SQLITE_ROW)
      paths.push_back(foundation::FromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return paths;
}

std::vector<std::wstring> RecordFolders(const std::wstring& database, const char* table, const std::wstring& root) {
  std::vector<std::wstring> folders;
  for (const std::wstring& path : RecordPaths(database, table)) {
    if (path.size() <= root.size() || path.compare(0, root.size(), root) != 0) continue;
    const std::wstring below = path.substr(root.size());
    folders.push_back(below.substr(0, below.find(L'\\')));
  }
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  return folders;
}

}  // namespace testing_support
