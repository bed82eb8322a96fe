#include "support/program_process.h"

#include "foundation/app_path.h"

namespace testing_support {
namespace {

struct FindData {
  DWORD pid;
  const wchar_t* cls;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK FindTopLevelProc(HWND hwnd, LPARAM lParam) {
  auto* d = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != d->pid) return TRUE;
  wchar_t cls[64] = {};
  ::GetClassNameW(hwnd, cls, 64);
  if (std::wstring(cls) != d->cls) return TRUE;
  if (d->caption) {
    wchar_t caption[256] = {};
    ::GetWindowTextW(hwnd, caption, 256);
    if (std::wstring(caption) != d->caption) return TRUE;
  }
  d->found = hwnd;
  return FALSE;
}

// This process's environment block with the additions in front (the first
// occurrence of a name wins).
std::wstring EnvironmentWith(const std::vector<std::wstring>& additions) {
  std::wstring block;
  for (const std::wstring& a : additions) block += a + L'\0';
  wchar_t* env = ::GetEnvironmentStringsW();
  for (const wchar_t* p = env; *p; p += ::wcslen(p) + 1) block += std::wstring(p) + L'\0';
  ::FreeEnvironmentStringsW(env);
  block += L'\0';
  return block;
}

}  // namespace

std::string BmpBytes(int w, int h) {
  const int stride = (w * 3 + 3) / 4 * 4;
  const int image = stride * h;
  std::string b(54 + image, '\0');
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  b[0] = 'B';
  b[1] = 'M';
  put32(2, static_cast<uint32_t>(b.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(w));
  put32(22, static_cast<uint32_t>(h));
  b[26] = 1;
  b[28] = 24;
  put32(34, static_cast<uint32_t>(image));
  for (int i = 54; i < static_cast<int>(b.size()); i += 3) {
    b[i] = static_cast<char>(0x20);      // blue
    b[i + 1] = static_cast<char>(0x80);  // green
    b[i + 2] = static_cast<char>(0xE0);  // red
  }
  return b;
}

ProgramProcess::ProgramProcess(const std::wstring& exe, const std::vector<std::wstring>& files,
                               const std::wstring& sharedFolder)
    : exe_(exe) {
  if (sharedFolder.empty()) {
    ownDir_ = std::make_unique<TempDir>();
    folder_ = ownDir_->path();
  } else {
    folder_ = sharedFolder;
  }
  const std::wstring bin = foundation::AppPath();
  ::CopyFileW((bin + exe).c_str(), (folder_ + exe).c_str(), FALSE);
  for (const std::wstring& f : files) ::CopyFileW((bin + f).c_str(), (folder_ + f).c_str(), TRUE);
}

ProgramProcess::~ProgramProcess() { Close(); }

bool ProgramProcess::RenameProgram(const std::wstring& name) {
  if (!::MoveFileW((folder_ + exe_).c_str(), (folder_ + name).c_str())) return false;
  exe_ = name;
  return true;
}

void ProgramProcess::WriteConfig(const std::string& text) { WriteFileBytes(folder_ + L"Config.ini", text); }

std::wstring ProgramProcess::ReadConfig(const wchar_t* key) const {
  wchar_t buf[256] = {};
  ::GetPrivateProfileStringW(L"Config", key, L"", buf, 256, (folder_ + L"Config.ini").c_str());
  return buf;
}

void ProgramProcess::AddCategory(const std::wstring& category) {
  ::CreateDirectoryW((folder_ + L"Face").c_str(), nullptr);
  ::CreateDirectoryW(CategoryPath(category).c_str(), nullptr);
}

void ProgramProcess::AddPicture(const std::wstring& category, const std::wstring& name, int w, int h) {
  AddCategory(category);
  WriteFileBytes(FacePath(category, name), BmpBytes(w, h));
}

bool ProgramProcess::Launch(const std::vector<std::wstring>& environment) {
  std::wstring cmd = L"\"" + folder_ + exe_ + L"\"";
  std::wstring env = EnvironmentWith(environment);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT, env.data(), L"C:\\",
                        &si, &pi))
    return false;
  ::CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  ::WaitForInputIdle(process_, 10000);
  return true;
}

bool ProgramProcess::Running() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

int ProgramProcess::WaitForExit(DWORD timeoutMs) {
  if (!process_) return -1;
  if (::WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return static_cast<int>(code);
}

HWND ProgramProcess::FindTopLevel(const wchar_t* className, const wchar_t* caption) const {
  FindData d{pid_, className, caption, nullptr};
  ::EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

void ProgramProcess::Close() {
  if (!process_) return;
  if (window_ && ::IsWindow(window_)) ::PostMessageW(window_, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0) ::TerminateProcess(process_, 1);
  ::CloseHandle(process_);
  process_ = nullptr;
  window_ = nullptr;
}

void ProgramProcess::Kill() {
  if (!process_) return;
  ::TerminateProcess(process_, 1);
  ::WaitForSingleObject(process_, 5000);
  ::CloseHandle(process_);
  process_ = nullptr;
  window_ = nullptr;
}

}  // namespace testing_support
