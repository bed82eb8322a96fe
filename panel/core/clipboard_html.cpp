#include "panel/core/clipboard_html.h"

#include <cstdio>
#include <cstdlib>

#include "foundation/ansi_text.h"
#include "foundation/core/literal_path.h"

namespace panel {
namespace {

// Bytes a file URL can carry as they are. Non-ASCII characters stay as UTF-8
// (the CF_HTML text is UTF-8), as a browser's own copy leaves them.
bool KeptInUrl(unsigned char c) {
  if (c >= 0x80) return true;
  if (c <= 0x20 || c == 0x7F) return false;
  switch (c) {
    case '"': case '#': case '%': case '<': case '>': case '?': case '`':
    case '{': case '}': case '|': case '^': case '[': case ']': case '\'':
      return false;
    default:
      return true;
  }
}

std::string Offset(size_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%010zu", v);
  return buf;
}

}  // namespace

std::string FileUrl(std::wstring_view path) {
  std::string out = "file:///";
  // A folder reached by its literal form is named as the chat program will
  // open it, by the ordinary path.
  for (unsigned char c : foundation::ToUtf8(foundation::OrdinaryPath(path))) {
    if (c == '\\') {
      out += '/';
    } else if (KeptInUrl(c)) {
      out += static_cast<char>(c);
    } else {
      char buf[4];
      std::snprintf(buf, sizeof buf, "%%%02X", c);
      out += buf;
    }
  }
  return out;
}

std::string EscapeAttribute(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string ImageFragment(std::wstring_view path) {
  return "<img border='0' src='" + EscapeAttribute(FileUrl(path)) + "'>";
}

std::string BuildCfHtml(std::string_view fragment) {
  // The header's length is fixed (every offset has ten digits), so the offsets
  // can be computed before the header is written.
  const std::string head =
      "Version:0.9\r\nStartHTML:0000000000\r\nEndHTML:0000000000\r\n"
      "StartFragment:0000000000\r\nEndFragment:0000000000\r\n";
  const std::string pre = "<html><body>\r\n<!--StartFragment-->";
  const std::string post = "<!--EndFragment-->\r\n</body></html>";
  const size_t startHtml = head.size();
  const size_t startFragment = startHtml + pre.size();
  const size_t endFragment = startFragment + fragment.size();
  const size_t endHtml = endFragment + post.size();
  return "Version:0.9\r\nStartHTML:" + Offset(startHtml) + "\r\nEndHTML:" + Offset(endHtml) +
         "\r\nStartFragment:" + Offset(startFragment) + "\r\nEndFragment:" + Offset(endFragment) + "\r\n" + pre +
         std::string(fragment) + post;
}

std::string ExtractCfHtmlFragment(std::string_view text) {
  auto field = [&](std::string_view key) -> long long {
    size_t p = text.find(key);
    if (p == std::string_view::npos) return -1;
    p += key.size();
    size_t e = p;
    while (e < text.size() && e - p < 12 && text[e] >= '0' && text[e] <= '9') ++e;
    if (e == p) return -1;
    return std::strtoll(std::string(text.substr(p, e - p)).c_str(), nullptr, 10);
  };
  const long long start = field("StartFragment:");
  const long long end = field("EndFragment:");
  if (start < 0 || end < start || static_cast<unsigned long long>(end) > text.size()) return {};
  return std::string(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}

}  // namespace panel
