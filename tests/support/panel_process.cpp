#include "support/panel_process.h"

#include <sqlite3.h>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"

namespace testing_support {
namespace {

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

}  // namespace

PanelProcess::PanelProcess() : ProgramProcess(L"Tarnwick.exe", {L"Thumbs.mdb", L"unrar.dll"}, L"") {}

void PanelProcess::AddHookLibrary() {
  ::CopyFileW((foundation::AppPath() + L"ostrelkit.dll").c_str(), (folder() + L"ostrelkit.dll").c_str(), FALSE);
}

bool PanelProcess::EditDatabase(const char* sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open(foundation::ToUtf8(folder() + L"Thumbs.mdb").c_str(), &db) != SQLITE_OK) return false;
  const bool ok = sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

bool PanelProcess::Start() {
  if (!Launch()) return false;
  // Start-up ends with the published handles in Config.ini and the window in place.
  return WaitFor(
      [&] {
        window_ = FindTopLevel(L"TarnwickPanel");
        return window_ != nullptr && !ReadConfig(L"Input").empty();
      },
      15000);
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

}  // namespace testing_support
