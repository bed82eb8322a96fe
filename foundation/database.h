// The program's access to Thumbs.mdb (an SQLite file). A query's result is a
// complete snapshot: every row is read and the statement finalised before the
// caller sees the first row, so RecordCount is exact up front and no statement
// stays open while the other program writes the same file.
#pragma once
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace foundation {

// How long a statement waits for the other program's write lock.
inline constexpr int kDatabaseBusyTimeoutMs = 2000;

class DbConnection {
 public:
  DbConnection() = default;
  DbConnection(const DbConnection&) = delete;
  DbConnection& operator=(const DbConnection&) = delete;
  ~DbConnection();

  // Opens an existing database; never creates the file. False when it is missing or unreadable.
  bool Open(const std::wstring& path);
  void Close();
  bool IsOpen() const { return db_ != nullptr; }
  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

class Recordset {
 public:
  Recordset() = default;

  bool IsOpen() const { return open_; }
  bool EndOfRows() const { return !open_ || pos_ >= rows_.size(); }
  long RecordCount() const { return open_ ? static_cast<long>(rows_.size()) : 0; }
  // The current row's value of a column (name compared without regard to case);
  // NULL reads as "". nullopt when there is no current row or no such column.
  std::optional<std::wstring> Field(const std::wstring& name) const;
  void MoveNext() {
    if (pos_ < rows_.size()) ++pos_;
  }
  void Close();

 private:
  friend std::optional<Recordset> OpenRecordset(DbConnection& connection, const std::wstring& sql);
  bool open_ = false;
  size_t pos_ = 0;
  std::vector<std::wstring> columns_;
  std::vector<std::vector<std::wstring>> rows_;
};

// Runs sql and returns its complete result, or nullopt when the query can't run
// (connection closed, missing table, syntax, database busy).
std::optional<Recordset> OpenRecordset(DbConnection& connection, const std::wstring& sql);

}  // namespace foundation
