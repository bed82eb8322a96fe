#include "panel/send_to_chat.h"

#include "foundation/message_pump.h"

namespace panel {
namespace {

constexpr wchar_t kSendButtonClass[] = L"Button";
constexpr wchar_t kSendButtonCaption[] = L"发送(S)";

void Key(BYTE vk, bool up) { ::keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0); }

}  // namespace

void PumpSleepPump(DWORD milliseconds) {
  foundation::PumpPendingMessages();
  ::Sleep(milliseconds);
  foundation::PumpPendingMessages();
}

bool PasteIntoChat(HWND chat) {
  if (!chat || !::IsWindow(chat)) return false;
  RECT r;
  if (!::GetWindowRect(chat, &r)) return false;
  const POINT inputPoint{r.left + 50, r.bottom - 50};
  HWND input = ::WindowFromPoint(inputPoint);
  ::SetForegroundWindow(chat);
  PumpSleepPump(kWaitAfterActivate);
  ::SendMessageW(input, WM_SETFOCUS, 0, 0);
  PumpSleepPump(kWaitAfterFocus);
  Key(VK_CONTROL, false);
  Key('V', false);
  Key('V', true);
  Key(VK_CONTROL, true);
  PumpSleepPump(kWaitAfterPaste);
  return true;
}

void ClickSendButton(HWND chat) {
  HWND button = ::FindWindowExW(chat, nullptr, kSendButtonClass, kSendButtonCaption);
  if (button) ::SendMessageW(button, BM_CLICK, 0, 0);
}

void SendEnterKeys() {
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  Key(VK_CONTROL, false);
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  Key(VK_CONTROL, true);
}

}  // namespace panel
