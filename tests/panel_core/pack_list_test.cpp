// The pack list as read from the network: which rows are kept, what their
// names turn into, and the download arithmetic of the pack window.
#include <gtest/gtest.h>

#include "panel/core/pack_list.h"

using namespace panel;

TEST(PackList, RowsOnlyFromLinesWithBarsInListOrder) {
  const std::wstring text =
      L"QQ表情包 2024\r\n"
      L"\r\n"
      L"cats.rar|12 KB|猫咪|2024-01-02\r\n"
      L"这一行没有分隔符\r\n"
      L"|dogs.rar||8 KB\t狗狗\xA0" L"2024-02-03|extra|fields\r\n"
      L"表情包.rar|1 KB|笑脸|2024-03-04";  // no line end at the end
  EXPECT_EQ(ParsePackList(text), (std::vector<PackListEntry>{{L"cats.rar", L"12 KB", L"猫咪", L"2024-01-02"},
                                                              {L"dogs.rar", L"8 KB", L"狗狗", L"2024-02-03"},
                                                              {L"表情包.rar", L"1 KB", L"笑脸", L"2024-03-04"}}));
  // A lone LF ends a line too; missing fields are empty.
  EXPECT_EQ(ParsePackList(L"a.rar|1\nb.rar|2|B\n"),
            (std::vector<PackListEntry>{{L"a.rar", L"1", L"", L""}, {L"b.rar", L"2", L"B", L""}}));
  EXPECT_TRUE(ParsePackList(L"").empty());
  EXPECT_TRUE(ParsePackList(L"no bars\r\nat all").empty());
}

TEST(PackList, NamesThatWouldLeaveTheLibraryOrCollideAreSkipped) {
  const std::wstring text =
      L"..\\evil.rar|1|上级|x\r\n"
      L"sub/evil.rar|1|子目录|x\r\n"
      L"C:evil.rar|1|盘符|x\r\n"
      L"con.rar|1|设备名|x\r\n"
      L"what?.rar|1|问号|x\r\n"
      L".rar|1|空名|x\r\n"
      L"   .rar|1|空白|x\r\n"
      L"trailing .rar|1|尾空格|x\r\n"
      L" lead.rar|1|首空格|x\r\n"
      L"dot..rar|1|点结尾|x\r\n"
      L"a..b.rar|1|两点在中间|x\r\n"
      L"notes.txt|1|不是压缩包|x\r\n"
      L"ok.rar|1|好|x\r\n"
      L"OK.RAR|2|重复|y\r\n"
      L"ok.rar|3|再重复|z\r\n";
  EXPECT_EQ(ParsePackList(text), (std::vector<PackListEntry>{{L"a..b.rar", L"1", L"两点在中间", L"x"},
                                                              {L"ok.rar", L"1", L"好", L"x"}}));
  EXPECT_TRUE(IsPackArchiveName(L"Cats.RAR"));
  EXPECT_TRUE(IsPackArchiveName(L"表情 包.rar"));
  EXPECT_FALSE(IsPackArchiveName(std::wstring(200, L'a') + L".rar"));
  EXPECT_FALSE(IsPackArchiveName(L"tab\t.rar"));
  EXPECT_EQ(PackCategory(L"cats.rar"), L"cats");
  EXPECT_EQ(PackCategory(L"表情包.RAR"), L"表情包");
}

TEST(PackList, AddressesEscapeTheNameAsUtf8) {
  EXPECT_EQ(EscapeUrlPathSegment(L"cats-1_~.rar"), L"cats-1_~.rar");
  EXPECT_EQ(EscapeUrlPathSegment(L"a b#%.rar"), L"a%20b%23%25.rar");
  EXPECT_EQ(EscapeUrlPathSegment(L"表情.rar"), L"%E8%A1%A8%E6%83%85.rar");
  EXPECT_EQ(EscapeUrlPathSegment(L"\U0001F600"), L"%F0%9F%98%80");
}

TEST(PackList, DownloadPercentStaysWithinZeroToHundred) {
  EXPECT_EQ(DownloadPercent(5, 0), 0);
  EXPECT_EQ(DownloadPercent(999, 1000), 99);
  EXPECT_EQ(DownloadPercent(1000, 1000), 100);
  EXPECT_EQ(DownloadPercent(1500, 1000), 100);
  EXPECT_EQ(DownloadPercent(0, 1000), 0);
  EXPECT_EQ(DownloadPercent(4000000000ull, 4294967295ull), 93);
}

TEST(PackList, RarSignatures) {
  EXPECT_TRUE(HasRarSignature(std::string("Rar!\x1A\x07\x00\xCF", 8)));
  EXPECT_TRUE(HasRarSignature(std::string("Rar!\x1A\x07\x01\x00", 8)));
  EXPECT_FALSE(HasRarSignature("<html><head>"));
  EXPECT_FALSE(HasRarSignature(std::string("Rar!\x1A\x07", 6)));
  EXPECT_FALSE(HasRarSignature(""));
}
