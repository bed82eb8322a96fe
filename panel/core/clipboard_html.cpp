#include "panel/core/clipboard_html.h"

#include <cstdio>
#include <cstdlib>

namespace panel {
namespace {

std::string Utf8(std::wstring_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // a lone surrogate
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

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
  for (unsigned char c : Utf8(path)) {
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
