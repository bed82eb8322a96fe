#include "panel/core/temp_page.h"

#include "foundation/core/literal_path.h"

namespace panel {

std::wstring TempPageTemplate() {
  static const wchar_t* const kLines[] = {
      L"<html>",
      L"<head>",
      L"<title>QQ表情</title>",
      L"",
      L"<SCRIPT LANGUAGE=\"JScript\">",
      L"var oPopup = window.createPopup();",
      L"function ButtonClick(id)",
      L"{",
      L"var div = document.getElementById(id);",
      L"div.contentEditable = 'true';",
      L"var controlRange;",
      L"if (document.body.createControlRange) {",
      L"controlRange = document.body.createControlRange();",
      L"controlRange.addElement(div);",
      L"controlRange.execCommand('Copy');",
      L"}",
      L"div.contentEditable = 'false';",
      L"}",
      L"</SCRIPT>",
      L"</head>",
      L"<body leftmargin=\"5\" topmargin=\"5\" marginwidth=\"0\" marginheight=\"0\" onload=ButtonClick(1)>",
      L"<img id=\"1\" border=1 color=white src=ImageURL width=60 height=43 onclick=\"ButtonClick(1)\">",
      L"</body>",
      L"</html>",
  };
  std::wstring out;
  for (const wchar_t* line : kLines) {
    out += line;
    out += L"\r\n";
  }
  return out;
}

std::wstring TempPageImageUrl(std::wstring_view path) {
  std::wstring url = L"file:///";
  for (wchar_t c : foundation::OrdinaryPath(path)) {
    if (c == L' ')
      url += L"%20";
    else
      url += c;
  }
  return url;
}

std::wstring BuildTempPage(std::wstring_view picturePath) {
  std::wstring page = TempPageTemplate();
  const std::wstring url = TempPageImageUrl(picturePath);
  constexpr std::wstring_view kPlaceholder = L"ImageURL";
  for (size_t pos = 0; (pos = page.find(kPlaceholder, pos)) != std::wstring::npos; pos += url.size())
    page.replace(pos, kPlaceholder.size(), url);
  return page + L"\r\n";
}

}  // namespace panel
