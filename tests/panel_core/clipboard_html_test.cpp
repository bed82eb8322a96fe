#include <gtest/gtest.h>
#include <windows.h>

#include "foundation/ansi_text.h"
#include "panel/core/clipboard_html.h"
#include "panel/core/temp_page.h"

using namespace panel;

TEST(ClipboardHtml, OffsetsPointAtTheFragment) {
  const std::string fragment = ImageFragment(L"C:\\Face\\默认表情\\a b.gif");
  const std::string cf = BuildCfHtml(fragment);
  EXPECT_TRUE(cf.starts_with("Version:0.9\r\nStartHTML:"));
  EXPECT_EQ(ExtractCfHtmlFragment(cf), fragment);
  const size_t startHtml = std::stoul(cf.substr(cf.find("StartHTML:") + 10, 10));
  const size_t endHtml = std::stoul(cf.substr(cf.find("EndHTML:") + 8, 10));
  EXPECT_EQ(cf.substr(startHtml, 6), "<html>");
  EXPECT_EQ(endHtml, cf.size());
}

TEST(ClipboardHtml, FileUrlAndEscaping) {
  EXPECT_EQ(FileUrl(L"C:\\Face\\a b.gif"), "file:///C:/Face/a%20b.gif");
  EXPECT_EQ(FileUrl(L"C:\\x#1%'.gif"), "file:///C:/x%231%25%27.gif");
  EXPECT_EQ(FileUrl(L"C:\\表情.gif"), "file:///C:/\xe8\xa1\xa8\xe6\x83\x85.gif");
  // A category reached by its literal form is named by its ordinary path.
  EXPECT_EQ(FileUrl(L"\\\\?\\C:\\Face\\x.\\a.gif"), "file:///C:/Face/x./a.gif");
  EXPECT_EQ(FileUrl(L"\\\\?\\UNC\\srv\\s\\x \\a.gif"), "file://///srv/s/x%20/a.gif");
  EXPECT_EQ(EscapeAttribute("a'b\"c<d>&"), "a&#39;b&quot;c&lt;d&gt;&amp;");
  // A quote in a file name can't end the attribute early.
  const std::string f = ImageFragment(L"C:\\it's.gif");
  EXPECT_EQ(f, "<img border='0' src='file:///C:/it%27s.gif'>");
}

TEST(ClipboardHtml, BrokenHeadersGiveNothing) {
  EXPECT_EQ(ExtractCfHtmlFragment(""), "");
  EXPECT_EQ(ExtractCfHtmlFragment("StartFragment:0000000010\r\nEndFragment:0000009999\r\n"), "");
  EXPECT_EQ(ExtractCfHtmlFragment("StartFragment:0000000020\r\nEndFragment:0000000010\r\n"), "");
}

TEST(TempPage, TemplateIs644BytesInCodePage936) {
  const std::wstring t = TempPageTemplate();
  ASSERT_EQ(::GetACP(), 936u);
  EXPECT_EQ(foundation::ToAnsi(t).size(), 644u);
  size_t lines = 0;
  for (size_t p = 0; (p = t.find(L"\r\n", p)) != std::wstring::npos; p += 2) ++lines;
  EXPECT_EQ(lines, 24u);
}

TEST(TempPage, ImageUrlReplacesOnlyBlanks) {
  EXPECT_EQ(TempPageImageUrl(L"D:\\My Faces\\a b.gif"), L"file:///D:\\My%20Faces\\a%20b.gif");
  EXPECT_EQ(TempPageImageUrl(L"\\\\?\\D:\\x.\\a.gif"), L"file:///D:\\x.\\a.gif");
  const std::wstring page = BuildTempPage(L"D:\\My Faces\\a b.gif");
  EXPECT_NE(page.find(L"src=file:///D:\\My%20Faces\\a%20b.gif width=60"), std::wstring::npos);
  EXPECT_EQ(page.find(L"ImageURL"), std::wstring::npos);
  EXPECT_TRUE(page.ends_with(L"</html>\r\n\r\n"));
}
