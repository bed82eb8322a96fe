#include <gtest/gtest.h>
#include <sqlite3.h>

#include "foundation/ansi_text.h"
#include "foundation/database.h"
#include "foundation/file_ops.h"
#include "support/temp_dir.h"

using namespace foundation;
using testing_support::TempDir;

namespace {
void Exec(const std::wstring& file, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(ToUtf8(file).c_str(), &db), SQLITE_OK);
  char* err = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
  sqlite3_free(err);
  sqlite3_close(db);
}
}  // namespace

TEST(Database, MissingFileIsNotCreated) {
  TempDir dir;
  DbConnection db;
  EXPECT_FALSE(db.Open(dir / L"Thumbs.mdb"));
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(FileExists(dir / L"Thumbs.mdb"));
  EXPECT_FALSE(OpenRecordset(db, L"select  * from BTZ where id=1").has_value());
}

TEST(Database, NotADatabaseFailsToOpen) {
  TempDir dir;
  testing_support::WriteFileBytes(dir / L"Thumbs.mdb", std::string(2048, 'x'));
  DbConnection db;
  EXPECT_FALSE(db.Open(dir / L"Thumbs.mdb"));
}

TEST(Database, SnapshotHasExactCountBeforeFirstRead) {
  TempDir dir;
  const std::wstring file = dir / L"中文目录.mdb";
  Exec(file,
       "CREATE TABLE FHList(type, text, desc);"
       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 45)"
       "  INSERT INTO FHList SELECT '2', 'sym' || i, 'd' || i FROM n;"
       "INSERT INTO FHList VALUES('3', NULL, '空');");
  DbConnection db;
  ASSERT_TRUE(db.Open(file));
  auto rs = OpenRecordset(db, L"select  * from FHList where type='2'");
  ASSERT_TRUE(rs.has_value());
  EXPECT_EQ(rs->RecordCount(), 45);
  EXPECT_FALSE(rs->EndOfRows());
  int n = 0;
  for (; !rs->EndOfRows(); rs->MoveNext()) {
    ++n;
    EXPECT_EQ(rs->Field(L"TEXT").value_or(L"?"), L"sym" + std::to_wstring(n));
  }
  EXPECT_EQ(n, 45);
  EXPECT_FALSE(rs->Field(L"text").has_value());  // no current row

  auto nulls = OpenRecordset(db, L"select  * from FHList where type='3'");
  ASSERT_TRUE(nulls.has_value());
  ASSERT_EQ(nulls->RecordCount(), 1);
  EXPECT_EQ(nulls->Field(L"text"), std::optional<std::wstring>(L""));  // NULL reads as ""
  EXPECT_EQ(nulls->Field(L"desc"), std::optional<std::wstring>(L"空"));
  EXPECT_FALSE(nulls->Field(L"nosuch").has_value());
  nulls->Close();
  EXPECT_FALSE(nulls->IsOpen());
  EXPECT_TRUE(nulls->EndOfRows());

  auto none = OpenRecordset(db, L"select  * from FHList where type='9'");
  ASSERT_TRUE(none.has_value());
  EXPECT_EQ(none->RecordCount(), 0);
  EXPECT_TRUE(none->EndOfRows());

  EXPECT_FALSE(OpenRecordset(db, L"select  * from Missing").has_value());
  EXPECT_FALSE(OpenRecordset(db, L"not sql").has_value());
}

TEST(Database, NoStatementStaysOpenBetweenQueries) {
  TempDir dir;
  const std::wstring file = dir / L"t.mdb";
  Exec(file, "CREATE TABLE t(a); INSERT INTO t VALUES(1); INSERT INTO t VALUES(2);");
  DbConnection db;
  ASSERT_TRUE(db.Open(file));
  auto rs = OpenRecordset(db, L"select a from t");
  ASSERT_TRUE(rs.has_value());
  // The other program can write while this result is still being read.
  EXPECT_EQ(sqlite3_next_stmt(db.handle(), nullptr), nullptr);
  Exec(file, "INSERT INTO t VALUES(3);");
  EXPECT_EQ(rs->RecordCount(), 2);
}
