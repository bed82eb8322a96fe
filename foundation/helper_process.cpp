#include "foundation/helper_process.h"

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cwchar>

namespace foundation {

namespace {

constexpr DWORD kPipeBufferBytes = 64 * 1024;
// How long a process told to end may take to be gone, and how long its
// output may trail its end (a pipe end inherited elsewhere keeps it open).
constexpr DWORD kEndWaitMs = 5000;
constexpr DWORD kTrailingOutputMs = 2000;

std::wstring PipeName() {
  static std::atomic<unsigned> counter{0};
  wchar_t name[96];
  std::swprintf(name, 96, L"\\\\.\\pipe\\Tarnwick-helper-%lu-%llu-%u", ::GetCurrentProcessId(),
                static_cast<unsigned long long>(::GetTickCount64()), counter.fetch_add(1));
  return name;
}

// The attribute list that lets exactly these handles be inherited.
class InheritedHandles {
 public:
  explicit InheritedHandles(std::vector<HANDLE> handles) : handles_(std::move(handles)) {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_.resize(size);
    list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (!::InitializeProcThreadAttributeList(list_, 1, 0, &size)) {
      list_ = nullptr;
      return;
    }
    if (!::UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_.data(),
                                     handles_.size() * sizeof(HANDLE), nullptr, nullptr)) {
      ::DeleteProcThreadAttributeList(list_);
      list_ = nullptr;
    }
  }
  InheritedHandles(const InheritedHandles&) = delete;
  InheritedHandles& operator=(const InheritedHandles&) = delete;
  ~InheritedHandles() {
    if (list_) ::DeleteProcThreadAttributeList(list_);
  }
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

 private:
  std::vector<HANDLE> handles_;
  std::vector<char> storage_;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

DWORD WINAPI WatchParent(void* parent) {
  ::WaitForSingleObject(parent, INFINITE);
  // Not ExitProcess: its library shutdown could wait on a lock a worker of
  // the download service holds.
  ::TerminateProcess(::GetCurrentProcess(), 3);
  return 0;
}

}  // namespace

std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  for (size_t i = 0;; ++i) {
    size_t backslashes = 0;
    while (i < arg.size() && arg[i] == L'\\') {
      ++backslashes;
      ++i;
    }
    if (i == arg.size()) {
      // Doubled: the closing quote must not be escaped by them.
      out.append(backslashes * 2, L'\\');
      break;
    }
    if (arg[i] == L'"') {
      out.append(backslashes * 2 + 1, L'\\');
    } else {
      out.append(backslashes, L'\\');
    }
    out += arg[i];
  }
  out += L'"';
  return out;
}

HelperProcess::~HelperProcess() { End(); }

bool HelperProcess::Start(const std::wstring& program, const std::wstring& switchArg,
                          const std::vector<std::wstring>& args) {
  if (process_) return false;
  const std::wstring name = PipeName();
  pipe_.reset(::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0,
                                 kPipeBufferBytes, 0, nullptr));
  readDone_.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!pipe_ || !readDone_) return false;
  SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
  UniqueFile childEnd(
      ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inheritable, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  HANDLE parent = nullptr;
  if (!childEnd || !::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &parent,
                                      SYNCHRONIZE, TRUE, 0)) {
    return false;
  }
  UniqueKernelHandle parentForChild(parent);

  std::wstring line = QuoteArgument(program) + L" " + QuoteArgument(switchArg) + L" " +
                      std::to_wstring(reinterpret_cast<ULONG_PTR>(parent));
  for (const std::wstring& arg : args) line += L" " + QuoteArgument(arg);

  InheritedHandles inherited({childEnd.get(), parent});
  if (!inherited.get()) return false;
  STARTUPINFOEXW si{};
  si.StartupInfo.cb = sizeof(si);
  si.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  si.StartupInfo.hStdOutput = childEnd.get();
  si.StartupInfo.hStdError = childEnd.get();
  si.lpAttributeList = inherited.get();
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE,
                        EXTENDED_STARTUPINFO_PRESENT | CREATE_NO_WINDOW, nullptr, nullptr, &si.StartupInfo, &pi)) {
    return false;
  }
  ::CloseHandle(pi.hThread);
  process_.reset(pi.hProcess);
  // Only the child holds the writing end now: its end breaks the pipe.
  buffer_.resize(kPipeBufferBytes);
  return true;
}

void HelperProcess::CancelRead() {
  if (!reading_) return;
  ::CancelIoEx(pipe_.get(), &overlapped_);
  DWORD got = 0;
  // The buffer stays ours until the system is done with it.
  ::GetOverlappedResult(pipe_.get(), &overlapped_, &got, TRUE);
  reading_ = false;
}

HelperProcess::Wait HelperProcess::WaitForOutput(std::string& output, DWORD timeoutMs, InputWhileWaiting input,
                                                 const std::function<bool()>& stopWhen) {
  const ULONGLONG start = ::GetTickCount64();
  ULONGLONG endedAt = 0;
  for (;;) {
    if (!reading_ && !pipeEnded_) {
      overlapped_ = OVERLAPPED{};
      overlapped_.hEvent = readDone_.get();  // reset by ReadFile
      if (::ReadFile(pipe_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), nullptr, &overlapped_) ||
          ::GetLastError() == ERROR_IO_PENDING) {
        reading_ = true;  // a read done at once signals the event all the same
      } else {
        pipeEnded_ = true;
      }
    }
    if (pipeEnded_) {
      ::WaitForSingleObject(process_.get(), kEndWaitMs);
      return Wait::kEnded;
    }
    const bool processEnded = ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
    if (processEnded && endedAt == 0) endedAt = ::GetTickCount64();
    DWORD left = timeoutMs;
    if (timeoutMs != INFINITE) {
      const ULONGLONG spent = ::GetTickCount64() - start;
      left = spent >= timeoutMs ? 0 : static_cast<DWORD>(timeoutMs - spent);
    }
    if (processEnded) {
      const ULONGLONG trailing = ::GetTickCount64() - endedAt;
      if (trailing >= kTrailingOutputMs) {
        CancelRead();
        pipeEnded_ = true;
        continue;
      }
      left = std::min<DWORD>(left, static_cast<DWORD>(kTrailingOutputMs - trailing));
    }
    const HANDLE handles[2] = {readDone_.get(), process_.get()};
    size_t which = 0;
    // Once the process has ended, only its output is waited for.
    const PumpedWaitEnd end =
        WaitPumping(std::span<const HANDLE>(handles, processEnded ? 1 : 2), left, input, stopWhen, &which);
    if (end == PumpedWaitEnd::kStopped || end == PumpedWaitEnd::kQuit || end == PumpedWaitEnd::kFailed) {
      return Wait::kStopped;
    }
    if (end == PumpedWaitEnd::kTimedOut) {
      if (processEnded) continue;  // its trailing time is checked above
      return Wait::kTimedOut;
    }
    if (which == 1) continue;  // ended: read what it left
    DWORD got = 0;
    const bool ok = ::GetOverlappedResult(pipe_.get(), &overlapped_, &got, FALSE) != FALSE;
    reading_ = false;
    if (!ok) {
      pipeEnded_ = true;  // broken: every writer has gone
      continue;
    }
    if (got == 0) continue;
    output.append(buffer_.data(), got);
    return Wait::kOutput;
  }
}

void HelperProcess::End() {
  if (!process_) return;
  // Fails harmlessly for a helper that has ended already.
  ::TerminateProcess(process_.get(), 1);
  ::WaitForSingleObject(process_.get(), kEndWaitMs);
  CancelRead();
  pipeEnded_ = true;
}

DWORD HelperProcess::exit_code() const {
  DWORD code = STILL_ACTIVE;
  if (!process_ || !::GetExitCodeProcess(process_.get(), &code)) return STILL_ACTIVE;
  return code;
}

std::optional<std::vector<std::wstring>> StartAsHelper(const wchar_t* commandLine, const std::wstring& switchArg) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(commandLine, &argc);
  if (!argv) return std::nullopt;
  std::vector<std::wstring> all(argv, argv + argc);
  ::LocalFree(argv);
  if (all.size() < 2 || all[1] != switchArg) return std::nullopt;
  if (all.size() < 3) return std::vector<std::wstring>{};
  wchar_t* end = nullptr;
  const unsigned long long value = std::wcstoull(all[2].c_str(), &end, 10);
  if (!end || *end != L'\0' || value == 0) return std::vector<std::wstring>{};
  HANDLE parent = reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(value));
  if (::WaitForSingleObject(parent, 0) != WAIT_TIMEOUT) return std::vector<std::wstring>{};
  HANDLE watcher = ::CreateThread(nullptr, 0, WatchParent, parent, 0, nullptr);
  if (!watcher) return std::vector<std::wstring>{};
  ::CloseHandle(watcher);
  return std::vector<std::wstring>(all.begin() + 3, all.end());
}

bool WriteToParent(const void* bytes, size_t size) {
  HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (!out || out == INVALID_HANDLE_VALUE) return false;
  const char* p = static_cast<const char*>(bytes);
  while (size > 0) {
    DWORD wrote = 0;
    const DWORD chunk = size > kPipeBufferBytes ? kPipeBufferBytes : static_cast<DWORD>(size);
    if (!::WriteFile(out, p, chunk, &wrote, nullptr) || wrote == 0) return false;
    p += wrote;
    size -= wrote;
  }
  return true;
}

}  // namespace foundation
