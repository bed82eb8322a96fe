#include "support/qq_double_process.h"

#include <psapi.h>

#include <cstdlib>
#include <cwchar>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/handle_text.h"
#include "fakes/qq/double_commands.h"

namespace testing_support {
namespace {

std::wstring Quote(const std::wstring& arg) {
  std::wstring out = L"\"";
  for (wchar_t c : arg) {
    if (c == L'"') out += L'\\';
    out += c;
  }
  return out + L"\"";
}

std::wstring CommandLine(const std::wstring& path, const std::vector<std::wstring>& args) {
  std::wstring cmd = Quote(path);
  for (const auto& a : args) cmd += L" " + Quote(a);
  return cmd;
}

// "name=value" field of a log line, "" when missing.
std::string Field(const std::string& line, const std::string& name) {
  size_t p = line.find(" " + name + "=");
  if (p == std::string::npos) return {};
  p += name.size() + 2;
  size_t end = line.find(' ', p);
  return line.substr(p, end == std::string::npos ? std::string::npos : end - p);
}

HWND HandleField(const std::string& line, const std::string& name) {
  HWND h = nullptr;
  std::string v = Field(line, name);
  foundation::TextToHandle(std::wstring(v.begin(), v.end()), &h);
  return h;
}

}  // namespace

QqDoubleProcess::~QqDoubleProcess() { Close(); }

bool QqDoubleProcess::Start(const std::wstring& exe, const std::vector<std::wstring>& args) {
  logPath_ = dir_ / L"qq_double.log";
  std::vector<std::wstring> all = args;
  all.push_back(L"--log");
  all.push_back(logPath_);
  std::wstring cmd = CommandLine(foundation::AppPath() + exe, all);
  STARTUPINFOW si{sizeof(si)};
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  ::CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  for (int i = 0; i < 1000; ++i) {
    for (const std::string& line : LogLines()) {
      if (line.rfind("ready ", 0) == 0) {
        hwnd_ = HandleField(line, "hwnd");
        input_ = HandleField(line, "input");
        button_ = HandleField(line, "button");
        return hwnd_ != nullptr;
      }
    }
    if (::WaitForSingleObject(process_, 10) == WAIT_OBJECT_0) return false;
  }
  return false;
}

std::vector<std::string> QqDoubleProcess::LogLines() const {
  if (logPath_.empty()) return {};
  return ReadLogLines(logPath_);
}

std::vector<std::string> QqDoubleProcess::ValuesAfter(const std::string& prefix) const {
  std::vector<std::string> values;
  for (const std::string& l : LogLines()) {
    if (l.rfind(prefix, 0) == 0) values.push_back(l.substr(prefix.size()));
  }
  return values;
}

::testing::AssertionResult QqDoubleProcess::InputBoxHolds(const std::wstring& text, DWORD timeoutMs) const {
  const std::string wanted = foundation::ToUtf8(text);
  std::string held;
  const DWORD start = ::GetTickCount();
  for (;;) {
    const auto values = ValuesAfter("text input=");
    held = values.empty() ? "" : values.back();
    if (held == wanted) return ::testing::AssertionSuccess();
    if (::GetTickCount() - start > timeoutMs) break;
    PumpMessages(10);
  }
  return ::testing::AssertionFailure() << "the input box holds \"" << held << "\"";
}

bool QqDoubleProcess::WaitForLine(const std::string& line, DWORD timeoutMs) const {
  const DWORD start = ::GetTickCount();
  for (;;) {
    for (const std::string& l : LogLines()) {
      if (l == line) return true;
    }
    if (::GetTickCount() - start > timeoutMs) return false;
    PumpMessages(10);
  }
}

void QqDoubleProcess::Command(ULONG_PTR tag, const void* data, DWORD size) const {
  COPYDATASTRUCT copy{tag, size, const_cast<void*>(data)};
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(hwnd_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, 10000, &ignored);
}

void QqDoubleProcess::Compose(const std::wstring& text) const {
  Command(qq_double::kComposeTag, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

void QqDoubleProcess::RefuseFront(bool refuse) const {
  Command(refuse ? qq_double::kRefuseFrontTag : qq_double::kAllowFrontTag, nullptr, 0);
}

void QqDoubleProcess::HangNextSend(DWORD milliseconds) const {
  Command(qq_double::kHangSendTag, &milliseconds, sizeof(milliseconds));
}

void QqDoubleProcess::Close() {
  if (!process_) return;
  if (hwnd_ && ::IsWindow(hwnd_)) ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process_, 1);
    ::WaitForSingleObject(process_, 5000);
  }
  ::CloseHandle(process_);
  process_ = nullptr;
}

int RunProgram(const std::wstring& exe, const std::vector<std::wstring>& args, std::string* output) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0)) return -1;
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  std::wstring cmd = CommandLine(foundation::AppPath() + exe, args);
  STARTUPINFOW si{sizeof(si)};
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  const BOOL started = ::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  ::CloseHandle(writeEnd);
  if (!started) {
    ::CloseHandle(readEnd);
    return -1;
  }
  std::string out;
  char buf[1024];
  DWORD n = 0;
  while (::ReadFile(readEnd, buf, sizeof(buf), &n, nullptr) && n > 0) out.append(buf, n);
  ::CloseHandle(readEnd);
  ::WaitForSingleObject(pi.hProcess, 10000);
  DWORD code = 0;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  if (output) *output = out;
  return static_cast<int>(code);
}

bool ProcessHasModule(DWORD pid, const wchar_t* fileName) {
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return false;
  HMODULE modules[1024];
  DWORD bytes = 0;
  bool found = false;
  const bool fullPath = std::wcschr(fileName, L'\\') != nullptr;
  if (::EnumProcessModules(process, modules, sizeof(modules), &bytes)) {
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 1024 && !found; ++i) {
      wchar_t name[MAX_PATH];
      const DWORD n = fullPath ? ::GetModuleFileNameExW(process, modules[i], name, MAX_PATH)
                               : ::GetModuleBaseNameW(process, modules[i], name, MAX_PATH);
      if (n > 0) found = ::lstrcmpiW(name, fileName) == 0;
    }
  }
  ::CloseHandle(process);
  return found;
}

bool BringToFront(HWND hwnd) {
  for (int i = 0; i < 100; ++i) {
    if (::GetForegroundWindow() == hwnd) return true;
    ::SetForegroundWindow(hwnd);
    PumpMessages(20);
  }
  return false;
}

HWND MakeOtherWindow() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PanelTestOtherWindow";
  ::RegisterClassW(&wc);
  return ::CreateWindowExW(0, wc.lpszClassName, L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 200, 100,
                           nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace testing_support
