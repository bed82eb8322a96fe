#include "support/http_test_server.h"

#include <windows.h>
#include <wininet.h>

#include <cstdio>

#include "foundation/ansi_text.h"

namespace testing_support {

namespace {

constexpr DWORD kStartTimeoutMs = 15000;
constexpr DWORD kStopTimeoutMs = 5000;
constexpr int kLifetimeSeconds = 240;

std::wstring Quote(const std::string& unixPath) { return L"\"" + foundation::FromUtf8(unixPath) + L"\""; }

}  // namespace

HttpTestServer::HttpTestServer(std::wstring root) : root_(std::move(root)) {}

HttpTestServer::~HttpTestServer() {
  if (port_ == 0) return;
  Get(L"__stop");
  const DWORD start = ::GetTickCount();
  while (Get(L"__alive") != 0 && ::GetTickCount() - start < kStopTimeoutMs) ::Sleep(50);
}

std::string HttpTestServer::UnixPath(const std::wstring& windowsPath) {
  // Wine's own export: there is no other way from a Windows program.
  using Fn = char*(CDECL*)(const wchar_t*);
  static const auto fn =
      reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return {};
  char* path = fn(windowsPath.c_str());
  if (!path) return {};
  std::string out = path;
  ::HeapFree(::GetProcessHeap(), 0, path);
  return out;
}

bool HttpTestServer::Start() {
  const std::wstring portFile = work_ / L"port.txt";
  std::wstring cmd = L"/usr/bin/python3 " + Quote(HTTP_TEST_SERVER_SCRIPT) + L" --root " + Quote(UnixPath(root_)) +
                     L" --port-file " + Quote(UnixPath(portFile)) + L" --trickle-file " +
                     Quote(UnixPath(work_ / L"trickles.txt")) + L" --lifetime " + std::to_wstring(kLifetimeSeconds);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  // Wine runs a Linux program for the command; it hands back no process
  // handle for it, so the server is watched through its port file and answers.
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  if (pi.hThread) ::CloseHandle(pi.hThread);
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < kStartTimeoutMs) {
    if (port_ == 0) {
      const std::string text = ReadFileBytes(portFile);
      if (!text.empty()) port_ = std::atoi(text.c_str());
    }
    if (port_ != 0 && Get(L"__alive") == 200) return true;
    ::Sleep(50);
  }
  return false;
}

HttpTestServer::Trickles HttpTestServer::trickles() const {
  // Read from the server's file, not asked over HTTP: a test counting this
  // process's threads or connections asks nothing of its own meanwhile.
  Trickles counts;
  const std::string text = ReadFileBytes(work_ / L"trickles.txt");
  std::sscanf(text.c_str(), "%d %d", &counts.opened, &counts.closed);
  return counts;
}

std::wstring HttpTestServer::url() const { return L"http://127.0.0.1:" + std::to_wstring(port_) + L"/"; }

int HttpTestServer::Get(const std::wstring& path) const {
  HINTERNET session = ::InternetOpenW(L"tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
  if (!session) return 0;
  DWORD timeout = 2000;
  ::InternetSetOptionW(session, INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof(timeout));
  ::InternetSetOptionW(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
  int status = 0;
  HINTERNET request = ::InternetOpenUrlW(session, (url() + path).c_str(), nullptr, 0,
                                         INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI, 0);
  if (request) {
    DWORD code = 0, size = sizeof(code);
    if (::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code, &size, nullptr)) {
      status = static_cast<int>(code);
    }
    ::InternetCloseHandle(request);
  }
  ::InternetCloseHandle(session);
  return status;
}

}  // namespace testing_support
