#include "panel/send_to_chat.h"

#include "foundation/message_pump.h"

namespace panel {
namespace {

constexpr wchar_t kSendButtonClass[] = L"Button";
constexpr wchar_t kSendButtonCaption[] = L"发送(S)";
constexpr DWORD kPollStep = 5;

void Key(BYTE vk, bool up) { ::keybd_event(vk, 0, up ? KEYEVENTF_KEYUP : 0, 0); }

bool InFront(HWND chat) { return ::GetForegroundWindow() == chat; }

// The window that gets the keyboard's keys: the focus of the chat window's thread.
bool HasKeyboardFocus(HWND chat, HWND input) {
  if (!InFront(chat)) return false;
  GUITHREADINFO info{sizeof(info)};
  const DWORD thread = ::GetWindowThreadProcessId(chat, nullptr);
  return thread && ::GetGUIThreadInfo(thread, &info) && info.hwndFocus == input;
}

// The chat window's own window at a screen point: its deepest visible,
// enabled child there, or the chat window itself. Asked of the chat window
// alone, so that another program's window over the point (a topmost player,
// the taskbar, the floating panel) neither answers nor stops the paste.
HWND ChatWindowAt(HWND chat, POINT screen) {
  HWND at = chat;
  for (;;) {
    POINT client = screen;
    ::ScreenToClient(at, &client);
    HWND child = ::ChildWindowFromPointEx(at, client, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
    if (!child || child == at) return at;
    at = child;
  }
}

}  // namespace

void PumpSleepPump(DWORD milliseconds) {
  foundation::PumpPendingMessagesButInput();
  ::Sleep(milliseconds);
  foundation::PumpPendingMessagesButInput();
}

bool PasteIntoChat(HWND chat) {
  if (!chat || !::IsWindow(chat)) return false;
  const DWORD start = ::GetTickCount();
  ::SetForegroundWindow(chat);
  PumpSleepPump(kWaitAfterActivate);
  if (!PumpSleepUntil([&] { return InFront(chat); }, start, kWaitForChatInFront, kPollStep)) return false;
  RECT r;
  if (!::GetWindowRect(chat, &r)) return false;
  HWND input = ChatWindowAt(chat, POINT{r.left + 50, r.bottom - 50});
  // A hung chat window holds the panel no longer than the road's bound.
  const DWORD spent = ::GetTickCount() - start;
  if (spent >= kWaitForChatInFront) return false;
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(input, WM_SETFOCUS, 0, 0, SMTO_ABORTIFHUNG, kWaitForChatInFront - spent, &ignored);
  PumpSleepPump(kWaitAfterFocus);
  if (!PumpSleepUntil([&] { return HasKeyboardFocus(chat, input); }, start, kWaitForChatInFront, kPollStep))
    return false;
  Key(VK_CONTROL, false);
  Key('V', false);
  Key('V', true);
  Key(VK_CONTROL, true);
  PumpSleepPump(kWaitAfterPaste);
  return true;
}

void ClickSendButton(HWND chat) {
  HWND button = ::FindWindowExW(chat, nullptr, kSendButtonClass, kSendButtonCaption);
  DWORD_PTR ignored = 0;
  if (button) ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kSendClickTimeout, &ignored);
}

void SendEnterKeys(HWND chat) {
  if (!InFront(chat)) return;
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  Key(VK_CONTROL, false);
  Key(VK_RETURN, false);
  Key(VK_RETURN, true);
  Key(VK_CONTROL, true);
}

}  // namespace panel
