#include "support/host_link.h"

#include <windows.h>

#include "foundation/ansi_text.h"
#include "support/http_test_server.h"

namespace testing_support {
namespace {

constexpr DWORD kCommandTimeoutMs = 10000;

std::string Quoted(const std::wstring& windowsPath) { return "'" + HttpTestServer::UnixPath(windowsPath) + "'"; }

// Runs a shell command line on the Linux side and waits for it: Wine starts
// the Linux program but hands back no process to wait on, so the command
// ends by making the file done.
bool RunOnHost(const std::string& command, const std::wstring& done) {
  std::wstring line = foundation::FromUtf8("/bin/sh -c \"" + command + " ; touch " + Quoted(done) + "\"");
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  if (pi.hThread) ::CloseHandle(pi.hThread);
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  const DWORD start = ::GetTickCount();
  while (::GetFileAttributesW(done.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (::GetTickCount() - start > kCommandTimeoutMs) return false;
    ::Sleep(20);
  }
  return true;
}

}  // namespace

HostLink::HostLink(const std::wstring& link, const std::wstring& target) : link_(link) {
  if (!RunOnHost("ln -s " + Quoted(target) + " " + Quoted(link), marks_ / L"made")) return;
  const DWORD attributes = ::GetFileAttributesW(link.c_str());
  ok_ = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

HostLink::~HostLink() { RunOnHost("rm -f " + Quoted(link_), marks_ / L"removed"); }

}  // namespace testing_support
