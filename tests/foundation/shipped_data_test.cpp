// The shipped Thumbs.mdb: the exact queries the panel runs, and the shapes the
// typed-text conversion relies on.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>

#include "foundation/app_path.h"
#include "foundation/database.h"

using namespace foundation;

namespace {

bool InCodePage936(const std::wstring& s) {
  if (s.empty()) return true;
  BOOL usedDefault = FALSE;
  int n = ::WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr,
                                &usedDefault);
  return n > 0 && !usedDefault;
}

std::vector<std::wstring> SplitCrLf(const std::wstring& s) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t pos; (pos = s.find(L"\r\n", start)) != std::wstring::npos; start = pos + 2)
    lines.push_back(s.substr(start, pos - start));
  lines.push_back(s.substr(start));
  return lines;
}

class ShippedData : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(db_.Open(AppPath() + L"Thumbs.mdb")); }
  std::wstring Btz(int id) {
    auto rs = OpenRecordset(db_, L"select  * from BTZ where id=" + std::to_wstring(id));
    if (!rs || rs->RecordCount() != 1) {
      ADD_FAILURE() << "BTZ row " << id;
      return {};
    }
    return rs->Field(L"Text").value_or(L"");
  }
  DbConnection db_;
};

}  // namespace

TEST_F(ShippedData, EveryQueryOfThePanelFindsItsRows) {
  for (int id : {1, 2, 3, 11, 4, 8}) {
    auto rs = OpenRecordset(db_, L"select  * from BTZ where id=" + std::to_wstring(id));
    ASSERT_TRUE(rs.has_value()) << id;
    EXPECT_EQ(rs->RecordCount(), 1) << id;
    EXPECT_TRUE(rs->Field(L"Text").has_value()) << id;
  }
  bool paged = false;
  for (const wchar_t* type : {L"1", L"2", L"3"}) {
    auto rs = OpenRecordset(db_, std::wstring(L"select  * from FHList where type='") + type + L"'");
    ASSERT_TRUE(rs.has_value()) << type;
    EXPECT_GT(rs->RecordCount(), 0) << type;
    paged = paged || rs->RecordCount() > 40;
    std::set<std::wstring> seen;
    for (; !rs->EndOfRows(); rs->MoveNext()) {
      const std::wstring text = rs->Field(L"text").value_or(L"");
      EXPECT_FALSE(text.empty());
      EXPECT_LE(text.size(), 12u) << "shows whole in a cell";
      EXPECT_TRUE(InCodePage936(text)) << type;
      EXPECT_TRUE(InCodePage936(rs->Field(L"desc").value_or(L"")));
      EXPECT_TRUE(seen.insert(text).second) << "duplicate symbol in category " << type;
    }
  }
  EXPECT_TRUE(paged) << "one category must need a second page";
}

TEST_F(ShippedData, ConversionTablesHaveTheirShapes) {
  const std::wstring source = Btz(1), target = Btz(2), decorations = Btz(11);
  const std::vector<std::wstring> mars = SplitCrLf(Btz(4));
  ASSERT_GT(source.size(), 2000u);
  ASSERT_EQ(target.size(), source.size());
  EXPECT_GE(mars.size(), source.size());
  EXPECT_FALSE(decorations.empty());
  EXPECT_TRUE(InCodePage936(source));
  EXPECT_TRUE(InCodePage936(target));
  EXPECT_TRUE(InCodePage936(decorations));

  std::set<wchar_t> unique;
  size_t kept = 0, withAlternatives = 0;
  for (size_t i = 0; i < source.size(); ++i) {
    const wchar_t s = source[i], t = target[i];
    EXPECT_FALSE(s >= 0xD800 && s <= 0xDFFF) << "basic plane only";
    EXPECT_TRUE(unique.insert(s).second) << "each character once";
    if (t == L'*') ++kept;
    EXPECT_NE(s, t) << "an unchanged character is written as *";
    const std::wstring& line = mars[i];
    EXPECT_TRUE(InCodePage936(line)) << i;
    if (!line.empty()) ++withAlternatives;
    EXPECT_EQ(line.find(s), std::wstring::npos) << "a character is not its own alternative";
  }
  EXPECT_GT(kept, 0u);
  EXPECT_GT(withAlternatives, source.size() / 2);
  // The Latin letters carry look-alikes.
  const size_t a = source.find(L'a');
  ASSERT_NE(a, std::wstring::npos);
  EXPECT_NE(mars[a].find(L','), std::wstring::npos);
  EXPECT_EQ(target[a], L'*');
}

TEST_F(ShippedData, ThumbnailTableStartsEmpty) {
  auto rs = OpenRecordset(db_, L"select count(*) as n from tblThumbnail");
  ASSERT_TRUE(rs.has_value());
  EXPECT_EQ(rs->Field(L"n").value_or(L""), L"0");
  auto idx = OpenRecordset(db_, L"select name from sqlite_master where type='index' and name='IDPath'");
  ASSERT_TRUE(idx.has_value());
  EXPECT_EQ(idx->RecordCount(), 1);
}
