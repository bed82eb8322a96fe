#include "foundation/database.h"

#include <sqlite3.h>

#include <memory>

#include "foundation/ansi_text.h"
#include "foundation/text_compare.h"

namespace foundation {
namespace {

struct StatementDeleter {
  void operator()(sqlite3_stmt* s) const noexcept { sqlite3_finalize(s); }
};
using UniqueStatement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

std::wstring ColumnText(sqlite3_stmt* stmt, int i) {
  const void* text = sqlite3_column_text16(stmt, i);
  if (!text) return {};
  const int bytes = sqlite3_column_bytes16(stmt, i);
  return std::wstring(static_cast<const wchar_t*>(text), static_cast<size_t>(bytes) / sizeof(wchar_t));
}

}  // namespace

DbConnection::~DbConnection() { Close(); }

bool DbConnection::Open(const std::wstring& path) {
  Close();
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(ToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  sqlite3_busy_timeout(db, kDatabaseBusyTimeoutMs);
  // An empty or foreign file opens without complaint; make sure it is a database.
  if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return false;
  }
  db_ = db;
  return true;
}

void DbConnection::Close() {
  if (db_) sqlite3_close(db_);
  db_ = nullptr;
}

std::optional<std::wstring> Recordset::Field(const std::wstring& name) const {
  if (EndOfRows()) return std::nullopt;
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (TextEquals(columns_[i], name)) return rows_[pos_][i];
  }
  return std::nullopt;
}

void Recordset::Close() {
  open_ = false;
  pos_ = 0;
  columns_.clear();
  rows_.clear();
}

std::optional<Recordset> OpenRecordset(DbConnection& connection, const std::wstring& sql) {
  if (!connection.IsOpen()) return std::nullopt;
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare16_v2(connection.handle(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK || !raw) {
    sqlite3_finalize(raw);
    return std::nullopt;
  }
  UniqueStatement stmt(raw);
  Recordset rs;
  const int columns = sqlite3_column_count(raw);
  for (int i = 0; i < columns; ++i) {
    const void* name = sqlite3_column_name16(raw, i);
    rs.columns_.emplace_back(name ? static_cast<const wchar_t*>(name) : L"");
  }
  for (;;) {
    int rc = sqlite3_step(raw);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) return std::nullopt;
    std::vector<std::wstring> row;
    row.reserve(static_cast<size_t>(columns));
    for (int i = 0; i < columns; ++i) row.push_back(ColumnText(raw, i));
    rs.rows_.push_back(std::move(row));
  }
  rs.open_ = true;
  return rs;
}

}  // namespace foundation
