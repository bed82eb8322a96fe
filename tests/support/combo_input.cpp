#include "support/combo_input.h"

#include <cwchar>

#include "support/mouse_input.h"
#include "support/program_process.h"

namespace testing_support {
namespace {

struct ListSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindDroppedList(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<ListSearch*>(p);
  wchar_t cls[32] = {};
  DWORD owner = 0;
  ::GetWindowThreadProcessId(w, &owner);
  ::GetClassNameW(w, cls, 32);
  if (owner != s->process || wcscmp(cls, L"ComboLBox") != 0 || !::IsWindowVisible(w)) return TRUE;
  s->found = w;
  return FALSE;
}

}  // namespace

HWND DroppedList(DWORD process) {
  ListSearch search{process, nullptr};
  ::EnumWindows(FindDroppedList, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND OpenList(DWORD process, HWND combo) {
  // A click there within the double-click time of the one before is a double
  // click, which a closed list does not take as a click: a user opening it
  // again does so a moment later.
  static DWORD lastOpen = ::GetTickCount() - ::GetDoubleClickTime();
  const DWORD since = ::GetTickCount() - lastOpen;
  if (since <= ::GetDoubleClickTime()) ::Sleep(::GetDoubleClickTime() - since + 50);
  RECT box{};
  ::GetWindowRect(combo, &box);
  ClickAt(POINT{box.right - 6, (box.top + box.bottom) / 2});
  lastOpen = ::GetTickCount();
  HWND list = nullptr;
  ProgramProcess::WaitFor([&] { return (list = DroppedList(process)) != nullptr; });
  return list;
}

void ClickListEntry(HWND list, int index) {
  const int itemHeight = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  ClickAt(ScreenPointOf(list, 10, itemHeight * index + itemHeight / 2));
}

}  // namespace testing_support
