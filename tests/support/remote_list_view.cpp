#include "support/remote_list_view.h"

#include <commctrl.h>

namespace testing_support {

namespace {

constexpr int kTextChars = 512;
constexpr SIZE_T kRemoteBytes = sizeof(LVITEMW) + kTextChars * sizeof(wchar_t);

}  // namespace

RemoteListView::RemoteListView(HWND list) : list_(list) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(list, &pid);
  process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (process_) remote_ = ::VirtualAllocEx(process_, nullptr, kRemoteBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteListView::~RemoteListView() {
  if (remote_) ::VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
  if (process_) ::CloseHandle(process_);
}

int RemoteListView::Count() const { return static_cast<int>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring RemoteListView::Text(int row, int column) const {
  if (!remote_) return {};
  auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote_) + sizeof(LVITEMW));
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = remoteText;
  item.cchTextMax = kTextChars;
  SIZE_T done = 0;
  if (!::WriteProcessMemory(process_, remote_, &item, sizeof(item), &done)) return {};
  const LRESULT n = ::SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote_));
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n), L'\0');
  if (!::ReadProcessMemory(process_, remoteText, text.data(), static_cast<SIZE_T>(n) * sizeof(wchar_t), &done)) return {};
  return text;
}

bool RemoteListView::IsChecked(int row) const {
  // The check box is the item's state image: 2 checked, 1 not.
  const LRESULT state = ::SendMessageW(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
  return ((static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

}  // namespace testing_support
