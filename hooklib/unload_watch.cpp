#include "hooklib/unload_watch.h"

#include "foundation/handles.h"
#include "hooklib/shared_state.h"

namespace hooklib {
namespace {

LONG g_loadedByProcess = 0;
LONG g_watchStarted = 0;
LONG g_callsInProgress = 0;
HMODULE g_ownReference = nullptr;
void (*g_release)() = nullptr;

constexpr DWORD kDrainPollMs = 10;

bool Read(LONG* flag) { return ::InterlockedCompareExchange(flag, 0, 0) != 0; }

// Wine's loader keeps the library it loaded for a hook; Windows' does not.
bool HookLoaderKeepsLibrary() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

void WaitForHookOff() {
  foundation::UniqueKernelHandle hookOff(::OpenEventW(SYNCHRONIZE, FALSE, HookOffEventName()));
  const DWORD panelPid = SharedState::ReadPanelProcessId();
  foundation::UniqueKernelHandle panel(panelPid ? ::OpenProcess(SYNCHRONIZE, FALSE, panelPid) : nullptr);
  HANDLE waits[2];
  DWORD count = 0;
  if (hookOff) waits[count++] = hookOff.get();
  if (panel) waits[count++] = panel.get();
  // Neither exists: the panel is gone already.
  if (count > 0) ::WaitForMultipleObjects(count, waits, FALSE, INFINITE);
}

DWORD WINAPI WatchThread(void*) {
  WaitForHookOff();
  // The hook is off, so no new call starts; the ones under way finish first.
  while (Read(&g_callsInProgress)) ::Sleep(kDrainPollMs);
  if (g_release) g_release();
  if (HookLoaderKeepsLibrary() && !Read(&g_loadedByProcess)) ::FreeLibrary(g_ownReference);
  // Our own reference goes last, together with this thread, whose code lives in the library.
  ::FreeLibraryAndExitThread(g_ownReference, 0);
}

}  // namespace

void NoteLoadedByProcess() { ::InterlockedExchange(&g_loadedByProcess, 1); }

HookCallScope::HookCallScope() { ::InterlockedIncrement(&g_callsInProgress); }
HookCallScope::~HookCallScope() { ::InterlockedDecrement(&g_callsInProgress); }

void StartUnloadWatch(void (*release)()) {
  // Every hook call comes here: the common case is a plain read.
  if (Read(&g_watchStarted) || Read(&g_loadedByProcess)) return;
  if (::InterlockedExchange(&g_watchStarted, 1) != 0) return;
  // The thread holds a reference of its own, so its code stays while it runs.
  HMODULE self = nullptr;
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&WatchThread), &self))
    return;
  g_ownReference = self;
  g_release = release;
  HANDLE thread = ::CreateThread(nullptr, 0, WatchThread, nullptr, 0, nullptr);
  if (!thread) {
    ::FreeLibrary(self);
    return;
  }
  ::CloseHandle(thread);
}

}  // namespace hooklib
