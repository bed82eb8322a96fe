#include "hooklib/shared_state.h"

namespace hooklib {
namespace {

#ifdef _WIN64
#define HOOKLIB_ARCH L"x64"
#else
#define HOOKLIB_ARCH L"x86"
#endif

// "Local\": the session's own namespace, which every process of the session reaches.
constexpr wchar_t kBlockName[] = L"Local\\ostrelkit." HOOKLIB_ARCH L".block";
constexpr wchar_t kBlockLockName[] = L"Local\\ostrelkit." HOOKLIB_ARCH L".block-lock";
constexpr wchar_t kExchangeLockName[] = L"Local\\ostrelkit." HOOKLIB_ARCH L".exchange-lock";
constexpr wchar_t kHookOffName[] = L"Local\\ostrelkit." HOOKLIB_ARCH L".hook-off";

constexpr DWORD kMutexAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;

}  // namespace

const wchar_t* HookOffEventName() { return kHookOffName; }

bool SharedState::Acquire(HANDLE mutex) {
  // An abandoned lock is ours now: its owner died, the block stays usable
  // (every exchange rewrites what it reads).
  const DWORD r = ::WaitForSingleObject(mutex, kLockWaitMs);
  return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

bool SharedState::MapBlock() {
  if (!mapping_ || !blockLock_ || !exchangeLock_) {
    Close();
    return false;
  }
  view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(SharedBlock)));
  block_ = static_cast<SharedBlock*>(view_.get());
  if (!block_) Close();
  return IsOpen();
}

bool SharedState::Create() {
  if (IsOpen()) return true;
  mapping_.reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedBlock), kBlockName));
  blockLock_.reset(::CreateMutexW(nullptr, FALSE, kBlockLockName));
  exchangeLock_.reset(::CreateMutexW(nullptr, FALSE, kExchangeLockName));
  return MapBlock();
}

bool SharedState::Open() {
  if (IsOpen()) return true;
  mapping_.reset(::OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, kBlockName));
  blockLock_.reset(::OpenMutexW(kMutexAccess, FALSE, kBlockLockName));
  exchangeLock_.reset(::OpenMutexW(kMutexAccess, FALSE, kExchangeLockName));
  return MapBlock();
}

void SharedState::Close() {
  block_ = nullptr;
  view_.reset();
  mapping_.reset();
  blockLock_.reset();
  exchangeLock_.reset();
}

DWORD SharedState::ReadPanelProcessId() {
  foundation::UniqueKernelHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, kBlockName));
  if (!mapping) return 0;
  foundation::UniqueMappedView view(::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(SharedBlock)));
  if (!view) return 0;
  return static_cast<const SharedBlock*>(view.get())->panelProcessId;
}

}  // namespace hooklib
