// ostrelkit.dll: the five functions the panel binds by name, and the entry point.
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

#include "foundation/ansi_text.h"
#include "foundation/handles.h"
#include "hooklib/shared_state.h"
#include "hooklib/typing_hook.h"
#include "hooklib/unload_watch.h"

#define OSTRELKIT_EXPORT extern "C" __declspec(dllexport)

using namespace hooklib;

namespace {

HMODULE g_library = nullptr;
SharedState g_panelState;
foundation::UniqueKernelHandle g_hookOff;

LONG SwitchHookOff() {
  g_panelState.WithBlock([](SharedBlock& b) { SetHookOn(b, false); });
  RemoveTypingHook();
  if (g_hookOff) ::SetEvent(g_hookOff.get());
  return 1;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_library = instance;
  return TRUE;
}

// Remembers the panel's window; the typed text goes there once the hook is on.
OSTRELKIT_EXPORT LONG WINAPI DLLstartHOOK(HWND panel) {
  NoteLoadedByProcess();
  if (!g_panelState.Create()) return 0;
  const bool ok = g_panelState.WithBlock([&](SharedBlock& b) {
    StartPanel(b, static_cast<int64_t>(reinterpret_cast<LONG_PTR>(panel)), ::GetCurrentProcessId());
  });
  return ok ? 1 : 0;
}

// Non-zero (the panel passes -1) switches the hook on, zero off; on needs DLLstartHOOK first.
OSTRELKIT_EXPORT LONG WINAPI DLLsetHOOKState(LONG state) {
  NoteLoadedByProcess();
  if (state == 0) return SwitchHookOff();
  if (!g_panelState.IsOpen()) return 0;
  if (!g_hookOff) g_hookOff.reset(::CreateEventW(nullptr, TRUE, FALSE, HookOffEventName()));
  if (g_hookOff) ::ResetEvent(g_hookOff.get());
  if (!InstallTypingHook(g_library)) return 0;
  g_panelState.WithBlock([](SharedBlock& b) { SetHookOn(b, true); });
  return 1;
}

OSTRELKIT_EXPORT LONG WINAPI DLLstopHOOK() {
  NoteLoadedByProcess();
  return SwitchHookOff();
}

// The typed text waiting for the panel (ANSI bytes, "" when none waits), in a
// string the caller frees with SysFreeString.
OSTRELKIT_EXPORT BSTR WINAPI DLLGetPubString() {
  NoteLoadedByProcess();
  std::string text;
  try {
    g_panelState.WithBlock([&](SharedBlock& b) { text = ReadTypedText(b); });
  } catch (...) {
    text.clear();
  }
  return ::SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

// The conversion of the waiting text; a longer one than the block holds is
// cut on a whole character.
OSTRELKIT_EXPORT LONG WINAPI DLLSetPubString(const char* text) {
  NoteLoadedByProcess();
  try {
    const std::string cut = foundation::CutAnsiOnWholeChars(text ? text : "", kSharedTextCapacity);
    return g_panelState.WithBlock([&](SharedBlock& b) { StoreConvertedText(b, cut); }) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
