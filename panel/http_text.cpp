#include "panel/http_text.h"

#include <windows.h>
#include <wininet.h>

#include <optional>
#include <vector>

#include "foundation/helper_process.h"
#include "panel/transfer_helper.h"

namespace panel {

namespace {

constexpr UINT kChineseCodePage = 936;

struct InternetHandle {
  HINTERNET h = nullptr;
  explicit InternetHandle(HINTERNET handle) : h(handle) {}
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  ~InternetHandle() {
    if (h) ::InternetCloseHandle(h);
  }
};

std::wstring Convert(UINT codePage, DWORD flags, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int n = ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

}  // namespace

bool IsHttpAddress(const std::wstring& url) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = 1;
  parts.dwSchemeLength = 1;
  if (url.empty() || !::InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return false;
  return (parts.nScheme == INTERNET_SCHEME_HTTP || parts.nScheme == INTERNET_SCHEME_HTTPS) &&
         parts.dwHostNameLength > 0;
}

std::wstring DecodeText(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::wstring out((bytes.size() - 2) / 2, L'\0');
    for (size_t i = 0; i < out.size(); ++i) {
      out[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                    (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
    }
    return out;
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") return Convert(CP_UTF8, 0, bytes.substr(3));
  const std::wstring utf8 = Convert(CP_UTF8, MB_ERR_INVALID_CHARS, bytes);
  if (!utf8.empty()) return utf8;
  return Convert(kChineseCodePage, 0, bytes);
}

namespace {

// In the helper: the body of a 2xx answer, or nothing. WinINet's own waits
// bound each connect and receive; the whole fetch's deadline is the
// panel's, which ends the helper there.
std::optional<std::string> FetchBody(const std::wstring& url) {
  InternetHandle session(::InternetOpenW(L"Tarnwick", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.h) return std::nullopt;
  DWORD connect = kHttpConnectTimeoutMs, wait = kHttpReceiveTimeoutMs;
  ::InternetSetOptionW(session.h, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof(connect));
  ::InternetSetOptionW(session.h, INTERNET_OPTION_RECEIVE_TIMEOUT, &wait, sizeof(wait));
  ::InternetSetOptionW(session.h, INTERNET_OPTION_SEND_TIMEOUT, &wait, sizeof(wait));
  // Always the server's current list, never a cached copy.
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                      INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
  InternetHandle request(::InternetOpenUrlW(session.h, url.c_str(), nullptr, 0, flags, 0));
  if (!request.h) return std::nullopt;
  DWORD status = 0, size = sizeof(status);
  if (!::HttpQueryInfoW(request.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
      status < 200 || status > 299) {
    return std::nullopt;
  }
  std::string body;
  std::vector<char> chunk(16384);
  for (;;) {
    DWORD got = 0;
    if (!::InternetReadFile(request.h, chunk.data(), static_cast<DWORD>(chunk.size()), &got)) return std::nullopt;
    if (got == 0) break;
    if (body.size() + got > kMaxHttpTextBytes) return std::nullopt;
    body.append(chunk.data(), got);
  }
  // A connection dropped halfway ends the reading like the end of the file.
  DWORD length = 0;
  size = sizeof(length);
  if (::HttpQueryInfoW(request.h, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) &&
      length != body.size()) {
    return std::nullopt;
  }
  return body;
}

}  // namespace

int RunFetchHelper(const std::vector<std::wstring>& args) {
  if (args.size() != 1 || !IsHttpAddress(args[0])) return kTransferBadArguments;
  const std::optional<std::string> body = FetchBody(args[0]);
  if (!body || !foundation::WriteToParent(body->data(), body->size())) return kTransferFailed;
  return kTransferSucceeded;
}

std::wstring FetchHttpText(const std::wstring& url, unsigned deadlineMs, const std::function<bool()>& givenUp) {
  if (!IsHttpAddress(url)) return {};
  foundation::HelperProcess helper;
  if (!helper.Start(TransferHelperProgram(), kTransferHelperSwitch, {kTransferFetch, url})) return {};
  const ULONGLONG start = ::GetTickCount64();
  std::string body;
  for (;;) {
    const ULONGLONG spent = ::GetTickCount64() - start;
    if (spent >= deadlineMs || body.size() > kMaxHttpTextBytes) break;
    const auto wait = helper.WaitForOutput(body, static_cast<DWORD>(deadlineMs - spent),
                                           foundation::InputWhileWaiting::kKeptQueued, givenUp);
    if (wait == foundation::HelperProcess::Wait::kEnded) {
      if (helper.exit_code() != kTransferSucceeded || body.size() > kMaxHttpTextBytes) return {};
      return DecodeText(body);
    }
    if (wait != foundation::HelperProcess::Wait::kOutput) break;
  }
  // Given up: the helper goes, and its connection with it.
  helper.End();
  return {};
}

}  // namespace panel
