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

BOOL CALLBACK AppendChildText(HWND h, LPARAM text) {
  wchar_t buf[512] = {};
  ::GetWindowTextW(h, buf, 512);
  *reinterpret_cast<std::wstring*>(text) += std::wstring(buf) + L"\n";
  return TRUE;
}

struct TextSearch {
  const std::wstring* text;
  HWND found;
};

BOOL CALLBACK FindChildWithText(HWND h, LPARAM param) {
  auto* search = reinterpret_cast<TextSearch*>(param);
  wchar_t buf[512] = {};
  ::GetWindowTextW(h, buf, 512);
  if (*search->text == buf) search->found = h;
  return search->found == nullptr;
}

}  // namespace

PanelProcess::PanelProcess() : PanelProcess(L"") {}

PanelProcess::PanelProcess(const std::wstring& folder)
    : ProgramProcess(L"Tarnwick.exe", {L"Thumbs.mdb", L"unrar.dll"}, folder) {}

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

bool PanelProcess::Start(const std::vector<std::wstring>& environment) {
  if (!Launch(environment)) return false;
  // Start-up ends with the window shown (after Input is written): messages
  // sent earlier could be handled by a cross-thread call inside start-up.
  return WaitFor([&] { return !ReadConfig(L"Input").empty() && Shown(); }, 15000);
}

bool PanelProcess::WaitUntilShown(DWORD timeoutMs) {
  return WaitFor([&] { return Shown(); }, timeoutMs);
}

bool PanelProcess::Shown() {
  window_ = FindTopLevel(L"TarnwickPanel");
  return window_ != nullptr && ::IsWindowVisible(window_);
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

HWND PanelProcess::WaitForTopLevel(const wchar_t* className, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        found = FindTopLevel(className);
        return found && ::IsWindowVisible(found);
      },
      timeoutMs);
  return found && ::IsWindowVisible(found) ? found : nullptr;
}

LRESULT PanelProcess::Send(UINT msg, WPARAM wParam, LPARAM lParam, HWND to) const {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(to ? to : window_, msg, wParam, lParam, SMTO_NORMAL, 10000, &result)) return 0;
  return static_cast<LRESULT>(result);
}

std::vector<PanelProcess::ChildPlace> PanelProcess::Children(const wchar_t* className) const {
  ChildData d{className, {}};
  if (window_) ::EnumChildWindows(window_, FindChildrenProc, reinterpret_cast<LPARAM>(&d));
  std::vector<ChildPlace> out;
  for (HWND h : d.found) {
    if (::GetParent(h) != window_) continue;
    RECT r{};
    ::GetWindowRect(h, &r);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    out.push_back({h, r});
  }
  return out;
}

HWND PanelProcess::WaitForChildAt(const wchar_t* className, int left, int top, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (const ChildPlace& c : Children(className))
          if (c.rect.left == left && c.rect.top == top) found = c.hwnd;
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

void PanelProcess::Click(HWND control, int x, int y) const {
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), control);
  Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y), control);
}

void PanelProcess::PostClick(HWND control, int x, int y) const {
  ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::wstring ChildTexts(HWND window) {
  std::wstring text;
  ::EnumChildWindows(window, AppendChildText, reinterpret_cast<LPARAM>(&text));
  return text;
}

HWND ChildWithText(HWND window, const std::wstring& text) {
  TextSearch search{&text, nullptr};
  ::EnumChildWindows(window, FindChildWithText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace testing_support
