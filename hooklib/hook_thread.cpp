#include "hooklib/hook_thread.h"

#include <iterator>
#include <memory>

#include "foundation/handles.h"
#include "hooklib/hooked_threads.h"
#include "hooklib/qq_process.h"

namespace hooklib {
namespace {

constexpr DWORD kStartWaitMs = 5000;
constexpr DWORD kStopWaitMs = 5000;

// Runs on the library's thread from its start to its end.
class HookHolder {
 public:
  HookHolder(HMODULE library, HWND panel, SharedState& state)
      : panel_(panel), state_(state), threads_(library), lock_(state.OpenHookLock()) {
    current_ = this;
  }
  ~HookHolder() {
    LetGo();
    current_ = nullptr;
  }
  HookHolder(const HookHolder&) = delete;
  HookHolder& operator=(const HookHolder&) = delete;

  // Takes the hooks over if no panel holds them, sets ready, then waits for
  // the hook lock, for hooked threads to end and for messages, until WM_QUIT.
  void Run(HANDLE ready) {
    MSG msg;
    // The queue exists before anyone can post WM_QUIT to it.
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    if (!lock_) return;
    if (Acquired(::WaitForSingleObject(lock_.get(), 0), 1)) TakeOver();
    ::SetEvent(ready);
    for (;;) {
      HANDLE handles[MAXIMUM_WAIT_OBJECTS - 1];
      DWORD count = 1;
      if (holding_) {
        count = static_cast<DWORD>(threads_.WaitHandles(handles, std::size(handles)));
      } else {
        handles[0] = lock_.get();
      }
      const DWORD r = ::MsgWaitForMultipleObjectsEx(count, handles, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      if (r == WAIT_OBJECT_0 + count) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
          if (msg.message == WM_QUIT) return;
          ::DispatchMessageW(&msg);
        }
      } else if (holding_ && r < WAIT_OBJECT_0 + count) {
        threads_.Forget(r - WAIT_OBJECT_0);
      } else if (!holding_ && Acquired(r, count)) {
        TakeOver();
      } else if (r == WAIT_FAILED) {
        return;
      }
    }
  }

 private:
  static bool Acquired(DWORD waitResult, DWORD count) {
    return waitResult < WAIT_OBJECT_0 + count ||
           (waitResult >= WAIT_ABANDONED_0 && waitResult < WAIT_ABANDONED_0 + count);
  }

  void TakeOver() {
    holding_ = true;
    state_.WithBlock([&](SharedBlock& b) {
      hooklib::TakeOver(b, static_cast<int64_t>(reinterpret_cast<LONG_PTR>(panel_)), ::GetCurrentProcessId(),
                        ::GetCurrentThreadId());
    });
    // The WinEvent hook first: a window made during the scan is not missed.
    created_.reset(::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnObjectCreated, 0, 0,
                                     WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    ::EnumWindows(OnTopLevelWindow, 0);
  }

  void LetGo() {
    if (!holding_) return;
    created_.reset();
    threads_.UnhookAll();
    state_.WithBlock([](SharedBlock& b) { HandBack(b, ::GetCurrentThreadId()); });
    ::ReleaseMutex(lock_.get());
    holding_ = false;
  }

  void Consider(HWND window) {
    DWORD pid = 0;
    const DWORD thread = ::GetWindowThreadProcessId(window, &pid);
    if (thread == 0 || pid == ::GetCurrentProcessId() || threads_.Has(thread)) return;
    // Held open until the thread is hooked, so that pid stays the client's.
    const foundation::UniqueKernelHandle qq = OpenQqProcess(pid);
    if (!qq) return;
    threads_.ForgetEnded();
    threads_.Hook(thread, pid);
  }

  static void ConsiderSafely(HWND window) {
    // Called back by the system: nothing may be thrown into it.
    try {
      if (current_) current_->Consider(window);
    } catch (...) {
    }
  }

  static BOOL CALLBACK OnTopLevelWindow(HWND window, LPARAM) {
    ConsiderSafely(window);
    return TRUE;
  }

  static void CALLBACK OnObjectCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object != OBJID_WINDOW || child != CHILDID_SELF || !window) return;
    // Child windows come from threads that made a top-level window first.
    if (::GetAncestor(window, GA_PARENT) != ::GetDesktopWindow()) return;
    ConsiderSafely(window);
  }

  static inline HookHolder* current_ = nullptr;

  HWND panel_;
  SharedState& state_;
  HookedThreads threads_;
  foundation::UniqueKernelHandle lock_;
  foundation::UniqueWinEventHook created_;
  bool holding_ = false;
};

struct ThreadStart {
  HMODULE library;
  HWND panel;
  SharedState* state;
  foundation::UniqueKernelHandle ready;  // the thread's own handle: the starter may stop waiting first
  HMODULE ownReference;
};

HANDLE g_thread = nullptr;
DWORD g_threadId = 0;

DWORD WINAPI HookThreadMain(void* param) {
  HMODULE ownReference = nullptr;
  {
    std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(param));
    ownReference = start->ownReference;
    try {
      HookHolder holder(start->library, start->panel, *start->state);
      holder.Run(start->ready.get());
    } catch (...) {
      // Out of memory: the hooks are let go, the thread ends.
    }
  }
  // The thread's code lives in the library: it holds a reference of its own,
  // which goes together with the thread.
  ::FreeLibraryAndExitThread(ownReference, 0);
}

}  // namespace

bool StartHookThread(HMODULE library, HWND panel, SharedState& state) {
  if (g_thread) {
    if (::WaitForSingleObject(g_thread, 0) == WAIT_TIMEOUT) return true;
    ::CloseHandle(g_thread);
    g_thread = nullptr;
  }
  HMODULE self = nullptr;
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&HookThreadMain),
                            &self))
    return false;
  foundation::UniqueKernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  HANDLE threadsReady = nullptr;
  if (ready)
    ::DuplicateHandle(::GetCurrentProcess(), ready.get(), ::GetCurrentProcess(), &threadsReady, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
  auto* start =
      new (std::nothrow) ThreadStart{library, panel, &state, foundation::UniqueKernelHandle(threadsReady), self};
  HANDLE thread = start && threadsReady ? ::CreateThread(nullptr, 0, HookThreadMain, start, 0, &g_threadId) : nullptr;
  if (!thread) {
    delete start;
    ::FreeLibrary(self);
    return false;
  }
  g_thread = thread;
  // The thread may also end without getting ready (no hook lock).
  const HANDLE waits[] = {ready.get(), thread};
  return ::WaitForMultipleObjects(2, waits, FALSE, kStartWaitMs) == WAIT_OBJECT_0;
}

void StopHookThread() {
  if (!g_thread) return;
  ::PostThreadMessageW(g_threadId, WM_QUIT, 0, 0);
  ::WaitForSingleObject(g_thread, kStopWaitMs);
  ::CloseHandle(g_thread);
  g_thread = nullptr;
}

}  // namespace hooklib
