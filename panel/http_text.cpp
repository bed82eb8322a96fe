#include "panel/http_text.h"

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "foundation/handles.h"

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

// The whole fetch's time: every wait of WinINet (connecting, sending, each
// receive) is cut to what is left of it.
class HttpDeadline {
 public:
  explicit HttpDeadline(unsigned ms) : end_(::GetTickCount64() + ms) {}
  bool Passed() const { return ::GetTickCount64() >= end_; }
  // Sets the handle's waits to their usual length or to what is left, the
  // shorter; false when nothing is left.
  bool LimitWaits(HINTERNET handle) const {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end_) return false;
    const ULONGLONG left = end_ - now;
    DWORD connect = static_cast<DWORD>(left < kHttpConnectTimeoutMs ? left : kHttpConnectTimeoutMs);
    DWORD wait = static_cast<DWORD>(left < kHttpReceiveTimeoutMs ? left : kHttpReceiveTimeoutMs);
    ::InternetSetOptionW(handle, INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof(connect));
    ::InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &wait, sizeof(wait));
    ::InternetSetOptionW(handle, INTERNET_OPTION_SEND_TIMEOUT, &wait, sizeof(wait));
    return true;
  }

 private:
  ULONGLONG end_;
};

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

std::wstring FetchWithin(const std::wstring& url, const HttpDeadline& deadline) {
  InternetHandle session(::InternetOpenW(L"Tarnwick", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session.h) return {};
  deadline.LimitWaits(session.h);
  // Always the server's current list, never a cached copy.
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                      INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;
  InternetHandle request(::InternetOpenUrlW(session.h, url.c_str(), nullptr, 0, flags, 0));
  if (!request.h) return {};
  DWORD status = 0, size = sizeof(status);
  if (!::HttpQueryInfoW(request.h, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
      status < 200 || status > 299) {
    return {};
  }
  std::string body;
  std::vector<char> chunk(16384);
  for (;;) {
    // A read waits for as many bytes as it asks for: asking only for what has
    // come keeps each wait within the time that is left, however slowly a
    // server sends.
    if (!deadline.LimitWaits(request.h)) return {};
    DWORD available = 0;
    if (!::InternetQueryDataAvailable(request.h, &available, 0, 0)) return {};
    if (available == 0) break;
    DWORD got = 0;
    const DWORD want = available < chunk.size() ? available : static_cast<DWORD>(chunk.size());
    if (!::InternetReadFile(request.h, chunk.data(), want, &got)) return {};
    if (got == 0) break;
    if (body.size() + got > kMaxHttpTextBytes) return {};
    body.append(chunk.data(), got);
  }
  if (deadline.Passed()) return {};
  // A connection dropped halfway ends the reading like the end of the file.
  DWORD length = 0;
  size = sizeof(length);
  if (::HttpQueryInfoW(request.h, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size, nullptr) &&
      length != body.size()) {
    return {};
  }
  return DecodeText(body);
}

// A fetch on a thread of its own. Shared with it, so that a fetch given up
// at the deadline ends in its own time with no one waiting for it.
struct FetchJob {
  explicit FetchJob(unsigned deadlineMs) : deadline(deadlineMs) {}
  const HttpDeadline deadline;
  const foundation::UniqueKernelHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::wstring text;  // written before done is set, read only after
};

}  // namespace

std::wstring FetchHttpText(const std::wstring& url, unsigned deadlineMs) {
  if (!IsHttpAddress(url)) return {};
  // WinINet's own waits bound each connect, send and receive, but not how
  // many receives the status line and headers take: a server trickling them
  // would hold a fetch made here past any deadline.
  auto job = std::make_shared<FetchJob>(deadlineMs);
  if (!job->done) return {};
  try {
    std::thread([job, url] {
      job->text = FetchWithin(url, job->deadline);
      ::SetEvent(job->done.get());
    }).detach();
  } catch (const std::system_error&) {
    return {};
  }
  if (::WaitForSingleObject(job->done.get(), deadlineMs) != WAIT_OBJECT_0) return {};
  return job->text;
}

}  // namespace panel
