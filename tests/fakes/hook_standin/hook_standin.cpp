// Test stand-in for the keyboard-hook library: the five exports with the real
// library's shapes, and the library's side of the protocol. Instead of catching
// keystrokes it takes "typed" text from the test (FakeHookTypeText), sends the
// registered message to the window given at start from a thread of its own,
// as the real library does from the typing process, and reads the shared
// string back once the message has been handled.
// Built twice: hook_standin.dll with every export, hook_standin_partial.dll
// without DLLsetHOOKState, DLLstopHOOK and DLLSetPubString.
#include <windows.h>
#include <oleauto.h>

#include <string>

#define STANDIN_EXPORT extern "C" __declspec(dllexport)

namespace {

HWND g_target = nullptr;
bool g_hookOn = false;
bool g_nullString = false;
std::string g_shared;
std::string g_calls;

void Record(const char* call) {
  g_calls += call;
  g_calls += ";";
}

DWORD WINAPI SendHookMessage(void*) {
  const UINT msg = ::RegisterWindowMessageW(L"WM_OSTRELKIT_REDIR");
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(g_target, msg, 0, 0, SMTO_NORMAL, 10000, &result);
  return 0;
}

}  // namespace

STANDIN_EXPORT LONG WINAPI DLLstartHOOK(HWND target) {
  Record("start");
  g_target = target;
  return 1;
}

#ifndef HOOK_STANDIN_PARTIAL
STANDIN_EXPORT LONG WINAPI DLLsetHOOKState(LONG state) {
  g_calls += "state(" + std::to_string(state) + ");";
  g_hookOn = state != 0;
  return 1;
}

STANDIN_EXPORT LONG WINAPI DLLstopHOOK() {
  Record("stop");
  g_hookOn = false;
  g_target = nullptr;
  return 1;
}

STANDIN_EXPORT LONG WINAPI DLLSetPubString(const char* text) {
  Record("set");
  g_shared = text ? text : "";
  return 1;
}
#endif

STANDIN_EXPORT BSTR WINAPI DLLGetPubString() {
  Record("get");
  if (g_nullString) return nullptr;
  // Bytes, not UTF-16: the length prefix counts bytes, NULs included.
  return ::SysAllocStringByteLen(g_shared.data(), static_cast<UINT>(g_shared.size()));
}

// ---- Test controls --------------------------------------------------------

// "Types" length bytes of ANSI text: while the hook is on and a window was
// given, the message goes out from another thread and this thread pumps its
// own messages until it has been handled. Copies the shared string afterwards
// into result (NUL-terminated, cut to resultSize - 1) and answers its length,
// or -1 when no message was sent.
STANDIN_EXPORT int WINAPI FakeHookTypeText(const char* bytes, int length, char* result, int resultSize) {
  if (!g_hookOn || !g_target) return -1;
  g_shared.assign(bytes, static_cast<size_t>(length));
  HANDLE thread = ::CreateThread(nullptr, 0, SendHookMessage, nullptr, 0, nullptr);
  if (!thread) return -1;
  for (;;) {
    DWORD wait = ::MsgWaitForMultipleObjects(1, &thread, FALSE, 15000, QS_ALLINPUT);
    if (wait != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  ::CloseHandle(thread);
  const size_t n = g_shared.size() < static_cast<size_t>(resultSize - 1) ? g_shared.size() : resultSize - 1;
  g_shared.copy(result, n);
  result[n] = '\0';
  return static_cast<int>(n);
}

// Calls received so far, each followed by ";" ("start;state(-1);get;set;stop;").
STANDIN_EXPORT const char* WINAPI FakeHookCalls() { return g_calls.c_str(); }

// Makes DLLGetPubString answer a null string (on != 0).
STANDIN_EXPORT void WINAPI FakeHookAnswerNull(int on) { g_nullString = on != 0; }

STANDIN_EXPORT void WINAPI FakeHookReset() {
  g_target = nullptr;
  g_hookOn = false;
  g_nullString = false;
  g_shared.clear();
  g_calls.clear();
}
