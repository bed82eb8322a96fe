// ostrelkit.dll: the five functions the panel binds by name, and the entry point.
#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "foundation/ansi_text.h"
#include "hooklib/hook_thread.h"
#include "hooklib/shared_state.h"
#include "hooklib/unload_watch.h"

#define OSTRELKIT_EXPORT extern "C" __declspec(dllexport)

using namespace hooklib;

namespace {

HMODULE g_library = nullptr;
SharedState g_panelState;
std::atomic<HWND> g_panelWindow{nullptr};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_library = instance;
  return TRUE;
}

// Remembers the panel's window; the typed text goes there once the hook is on.
OSTRELKIT_EXPORT LONG WINAPI DLLstartHOOK(HWND panel) {
  NoteLoadedByProcess();
  if (!g_panelState.Create()) return 0;
  g_panelWindow = panel;
  return 1;
}

// Non-zero (the panel passes -1) switches the hook on, zero off; on needs
// DLLstartHOOK first. Another panel's hooks are left alone: while one holds
// them, this one waits to take over.
OSTRELKIT_EXPORT LONG WINAPI DLLsetHOOKState(LONG state) {
  NoteLoadedByProcess();
  if (state == 0) {
    StopHookThread();
    return 1;
  }
  if (!g_panelState.IsOpen() || !g_panelWindow) return 0;
  return StartHookThread(g_library, g_panelWindow, g_panelState) ? 1 : 0;
}

// Switches this panel's hook off; another panel's goes on.
OSTRELKIT_EXPORT LONG WINAPI DLLstopHOOK() {
  NoteLoadedByProcess();
  StopHookThread();
  return 1;
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
