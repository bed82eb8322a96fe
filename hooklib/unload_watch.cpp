#include "hooklib/unload_watch.h"

#include "foundation/handles.h"
#include "hooklib/panel_exchange.h"

namespace hooklib {
namespace {

LONG g_loadedByProcess = 0;
LONG g_watchStarted = 0;
LONG g_callsInProgress = 0;
HMODULE g_ownReference = nullptr;

constexpr DWORD kDrainPollMs = 10;

bool Read(LONG* flag) { return ::InterlockedCompareExchange(flag, 0, 0) != 0; }

// Wine's loader keeps the library it loaded for a hook; Windows' does not.
bool HookLoaderKeepsLibrary() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The holder's library thread, 0 when no panel holds the hooks: a holder
// whose window is gone died without handing back.
bool ReadHolder(DWORD* thread) {
  SharedState& state = TypingState();
  if (!state.Open()) {
    *thread = 0;
    return true;
  }
  HWND window = nullptr;
  if (!state.WithBlock([&](SharedBlock& b) {
        *thread = HolderThread(b);
        window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(ExchangeTarget(b)));
      }))
    return false;
  if (!::IsWindow(window)) *thread = 0;
  return true;
}

// True once no panel holds the hooks; false when that can't be told (the
// block stays locked, or the holder's thread can't be watched), and the
// library had better stay.
bool WaitWhileAPanelHoldsTheHooks() {
  DWORD unwatchable = 0;
  for (;;) {
    DWORD holder = 0;
    if (!ReadHolder(&holder)) return false;
    if (holder == 0) return true;
    foundation::UniqueKernelHandle thread(::OpenThread(SYNCHRONIZE, FALSE, holder));
    if (!thread) {
      // It may have just ended, after handing back: one more look.
      if (holder == unwatchable) return false;
      unwatchable = holder;
      continue;
    }
    ::WaitForSingleObject(thread.get(), INFINITE);
  }
}

DWORD WINAPI WatchThread(void*) {
  const bool noHolder = WaitWhileAPanelHoldsTheHooks();
  // No new call starts once the hooks are gone; the ones under way finish first.
  while (Read(&g_callsInProgress)) ::Sleep(kDrainPollMs);
  if (noHolder && HookLoaderKeepsLibrary() && !Read(&g_loadedByProcess)) ::FreeLibrary(g_ownReference);
  // Our own reference goes last, together with this thread, whose code lives in the library.
  ::FreeLibraryAndExitThread(g_ownReference, 0);
}

}  // namespace

void NoteLoadedByProcess() { ::InterlockedExchange(&g_loadedByProcess, 1); }

HookCallScope::HookCallScope() { ::InterlockedIncrement(&g_callsInProgress); }
HookCallScope::~HookCallScope() { ::InterlockedDecrement(&g_callsInProgress); }

void StartUnloadWatch() {
  // Every hook call comes here: the common case is a plain read.
  if (Read(&g_watchStarted) || Read(&g_loadedByProcess)) return;
  if (::InterlockedExchange(&g_watchStarted, 1) != 0) return;
  // The thread holds a reference of its own, so its code stays while it runs.
  HMODULE self = nullptr;
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&WatchThread), &self))
    return;
  g_ownReference = self;
  HANDLE thread = ::CreateThread(nullptr, 0, WatchThread, nullptr, 0, nullptr);
  if (!thread) {
    ::FreeLibrary(self);
    return;
  }
  ::CloseHandle(thread);
}

}  // namespace hooklib
