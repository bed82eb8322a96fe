#include "panel/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "foundation/tray_window_proc.h"

namespace panel {
namespace {

constexpr UINT kBalloonTimeout = 100;

// Copies text into a fixed field, cut so that a NUL always ends it.
template <size_t N>
void CopyField(wchar_t (&field)[N], const std::wstring& text) {
  const size_t n = std::min(text.size(), N - 1);
  std::copy_n(text.data(), n, field);
  field[n] = L'\0';
}

// The record of the layout that ends with guidItem, zero-filled.
NOTIFYICONDATAW EmptyRecord(HWND panel) {
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V3_SIZE;
  nid.hWnd = panel;
  nid.uID = kTrayIconId;
  return nid;
}

NOTIFYICONDATAW IconRecord(HWND panel) {
  NOTIFYICONDATAW nid = EmptyRecord(panel);
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = foundation::kTrayCallbackMessage;
  // A window without a small icon answers 0: the icon field stays empty.
  nid.hIcon = reinterpret_cast<HICON>(::SendMessageW(panel, WM_GETICON, ICON_SMALL, 0));
  // The tip, its NUL, then blanks to the end of the field.
  std::fill(std::begin(nid.szTip), std::end(nid.szTip), L' ');
  CopyField(nid.szTip, kTrayTip);
  return nid;
}

}  // namespace

void SysTrayAdd(HWND panel) {
  NOTIFYICONDATAW nid = IconRecord(panel);
  ::Shell_NotifyIconW(NIM_ADD, &nid);
}

void UpdateTips(HWND panel) {
  NOTIFYICONDATAW nid = IconRecord(panel);
  ::Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void SysTrayDel(HWND panel) {
  NOTIFYICONDATAW nid = EmptyRecord(panel);
  ::Shell_NotifyIconW(NIM_DELETE, &nid);
}

void TiShi(HWND panel, const std::wstring& title, const std::wstring& text) {
  NOTIFYICONDATAW nid = IconRecord(panel);
  nid.uFlags |= NIF_INFO;
  CopyField(nid.szInfo, text);
  CopyField(nid.szInfoTitle, title);
  nid.uTimeout = kBalloonTimeout;
  nid.dwInfoFlags = NIIF_INFO;
  ::Shell_NotifyIconW(NIM_MODIFY, &nid);
}

}  // namespace panel
