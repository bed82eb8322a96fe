#include "support/panel_process.h"

#include <sqlite3.h>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"

namespace testing_support {
namespace {

struct FindData {
  DWORD pid;
  const wchar_t* cls;
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
  d->found = hwnd;
  return FALSE;
}

struct ChildData {
  const wchar_t* cls;
  std::vector<HWND> found;
};

BOOL CALLBACK FindChildrenProc(HWND hwnd, LPARAM lParam) {
  auto* d = reinterpret_cast<ChildData*>(lParam);
  wchar_t cls[64] = {};
  ::GetClassNameW(hwnd, cls, 64);
  if (std::wstring(cls) == d->cls) d->found.push_back(hwnd);
  return TRUE;
}

std::string Bmp(int w, int h) {
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

}  // namespace

PanelProcess::PanelProcess() {
  const std::wstring bin = foundation::AppPath();
  for (const wchar_t* f : {L"Tarnwick.exe", L"Thumbs.mdb", L"unrar.dll"})
    ::CopyFileW((bin + f).c_str(), (dir_.path() + f).c_str(), FALSE);
}

PanelProcess::~PanelProcess() { Close(); }

void PanelProcess::AddHookLibrary() {
  ::CopyFileW((foundation::AppPath() + L"ostrelkit.dll").c_str(), (dir_.path() + L"ostrelkit.dll").c_str(), FALSE);
}

void PanelProcess::WriteConfig(const std::string& text) { WriteFileBytes(dir_ / L"Config.ini", text); }

void PanelProcess::AddCategory(const std::wstring& category) {
  ::CreateDirectoryW((dir_ / L"Face").c_str(), nullptr);
  ::CreateDirectoryW((dir_ / (L"Face\\" + category)).c_str(), nullptr);
}

void PanelProcess::AddPicture(const std::wstring& category, const std::wstring& name, int w, int h) {
  AddCategory(category);
  WriteFileBytes(dir_ / (L"Face\\" + category + L"\\" + name), Bmp(w, h));
}

bool PanelProcess::EditDatabase(const char* sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(foundation::ToUtf8(dir_ / L"Thumbs.mdb").c_str(), &db) != SQLITE_OK) return false;
  const bool ok = sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

bool PanelProcess::Start() {
  std::wstring cmd = L"\"" + dir_.path() + L"Tarnwick.exe\"";
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  // Started from another folder: the program makes its own folder current.
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, L"C:\\", &si, &pi)) return false;
  ::CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  pid_ = pi.dwProcessId;
  ::WaitForInputIdle(process_, 10000);
  // Start-up ends with the published handles in Config.ini and the window in place.
  return WaitFor(
      [&] {
        window_ = FindTopLevel(L"TarnwickPanel");
        return window_ != nullptr && !ReadConfig(L"Input").empty();
      },
      15000);
}

bool PanelProcess::Running() const { return process_ && ::WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

int PanelProcess::WaitForExit(DWORD timeoutMs) {
  if (!process_) return -1;
  if (::WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  ::GetExitCodeProcess(process_, &code);
  return static_cast<int>(code);
}

HWND PanelProcess::FindTopLevel(const wchar_t* className) const {
  FindData d{pid_, className, nullptr};
  ::EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

std::vector<HWND> PanelProcess::Grids() const {
  ChildData d{L"TarnwickFaceGrid", {}};
  if (window_) ::EnumChildWindows(window_, FindChildrenProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

HWND PanelProcess::Combo(int id) const { return Child(L"ComboBox", id); }

HWND PanelProcess::Child(const wchar_t* className, int id) const {
  ChildData d{className, {}};
  if (window_) ::EnumChildWindows(window_, FindChildrenProc, reinterpret_cast<LPARAM>(&d));
  for (HWND h : d.found)
    if (id == -1 || ::GetDlgCtrlID(h) == id) return h;
  return nullptr;
}

RECT PanelProcess::WindowRect() const {
  RECT r{};
  ::GetWindowRect(window_, &r);
  return r;
}

void PanelProcess::Close() {
  if (!process_) return;
  if (window_ && ::IsWindow(window_)) ::PostMessageW(window_, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_, 5000) != WAIT_OBJECT_0) ::TerminateProcess(process_, 1);
  ::CloseHandle(process_);
  process_ = nullptr;
  window_ = nullptr;
}

std::wstring PanelProcess::ReadConfig(const wchar_t* key) const {
  wchar_t buf[256] = {};
  ::GetPrivateProfileStringW(L"Config", key, L"", buf, 256, (dir_ / L"Config.ini").c_str());
  return buf;
}

}  // namespace testing_support
