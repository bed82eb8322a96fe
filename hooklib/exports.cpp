// ostrelkit.dll: the functions the panel binds by name, and the entry point.
// The typed text and its conversion cross in UTF-16 (DLLGetPubStringW,
// DLLSetPubStringW); the ANSI pair carries the same text in the system's code
// page for callers that speak ANSI.
#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

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

// The waiting typed text, "" when none waits (or canTake refuses it).
std::wstring ReadWaitingText(const std::function<bool(std::wstring_view)>& canTake = {}) {
  std::wstring text;
  try {
    g_panelState.WithBlock([&](SharedBlock& b) { text = ReadTypedText(b, canTake); });
  } catch (...) {
    text.clear();
  }
  return text;
}

LONG StoreConversion(std::wstring_view text) {
  return g_panelState.WithBlock([&](SharedBlock& b) { StoreConvertedText(b, text); }) ? 1 : 0;
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

// The typed text waiting for the panel ("" when none waits), in a string the
// caller frees with SysFreeString.
OSTRELKIT_EXPORT BSTR WINAPI DLLGetPubStringW() {
  NoteLoadedByProcess();
  const std::wstring text = ReadWaitingText();
  return ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// The conversion of the waiting text; a longer one than the block holds is
// cut on a whole character.
OSTRELKIT_EXPORT LONG WINAPI DLLSetPubStringW(const wchar_t* text) {
  NoteLoadedByProcess();
  try {
    return StoreConversion(text ? text : L"");
  } catch (...) {
    return 0;
  }
}

// DLLGetPubStringW's text as ANSI bytes, in a string from SysAllocStringByteLen.
// Text the code page can't hold reads as "", and stays as typed whatever the
// caller then stores: it would come back as "?".
OSTRELKIT_EXPORT BSTR WINAPI DLLGetPubString() {
  NoteLoadedByProcess();
  std::string text;
  try {
    ReadWaitingText([&](std::wstring_view typed) {
      std::string ansi;
      if (!foundation::ToAnsiExactly(typed, &ansi)) return false;
      text = std::move(ansi);
      return true;
    });
  } catch (...) {
    text.clear();
  }
  return ::SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

// DLLSetPubStringW for ANSI text; one longer than kSharedTextCapacity bytes
// is cut on a whole character (and so fits the block in any code page).
OSTRELKIT_EXPORT LONG WINAPI DLLSetPubString(const char* text) {
  NoteLoadedByProcess();
  try {
    const std::string cut = foundation::CutAnsiOnWholeChars(text ? text : "", kSharedTextCapacity);
    return StoreConversion(foundation::FromAnsi(cut));
  } catch (...) {
    return 0;
  }
}
