// What a browser leaves on the clipboard when it copies an image element:
// "HTML Format" (the CF_HTML header with byte offsets into the UTF-8 text, and
// a fragment holding an img element) beside the picture itself.
#pragma once
#include <string>
#include <string_view>

namespace panel {

// file:///C:/path/to/a%20b.gif: backslashes become slashes, blanks and the
// characters a URL reserves are percent-encoded, other characters stay (UTF-8).
std::string FileUrl(std::wstring_view path);

// Text with &, <, >, " and ' written as entities, for an attribute value.
std::string EscapeAttribute(std::string_view utf8);

// The img element for a picture file: <img border='0' src='file:///...'>.
std::string ImageFragment(std::wstring_view path);

// The complete "HTML Format" text around a fragment: Version, StartHTML,
// EndHTML, StartFragment, EndFragment (10-digit byte offsets), then the document.
std::string BuildCfHtml(std::string_view fragmentUtf8);

// The fragment between the StartFragment and EndFragment offsets of a CF_HTML
// text, or "" when the header is missing or its offsets are out of range.
std::string ExtractCfHtmlFragment(std::string_view cfHtml);

}  // namespace panel
