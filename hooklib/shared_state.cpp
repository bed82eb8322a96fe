#include "hooklib/shared_state.h"

namespace hooklib {
namespace {

#ifdef _WIN64
#define HOOKLIB_ARCH L"x64"
#else
#define HOOKLIB_ARCH L"x86"
#endif

constexpr DWORD kMutexAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;

}  // namespace

// "Local\": the session's own namespace, which every process of the session reaches.
std::wstring SharedState::SessionNamePrefix() { return L"Local\\ostrelkit." HOOKLIB_ARCH L"."; }

SharedState::SharedState(std::wstring namePrefix) : prefix_(std::move(namePrefix)) {}

bool SharedState::Map(Mode mode) {
  if (IsOpen()) return true;
  // Hook calls on several threads of a typing process may open it at once.
  ::AcquireSRWLockExclusive(&mapLock_);
  if (!IsOpen()) {
    const std::wstring block = prefix_ + L"block", blockLock = prefix_ + L"block-lock",
                       exchangeLock = prefix_ + L"exchange-lock";
    if (mode == Mode::Create) {
      mapping_.reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedBlock),
                                          block.c_str()));
      blockLock_.reset(::CreateMutexW(nullptr, FALSE, blockLock.c_str()));
      exchangeLock_.reset(::CreateMutexW(nullptr, FALSE, exchangeLock.c_str()));
    } else {
      mapping_.reset(::OpenFileMappingW(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, block.c_str()));
      blockLock_.reset(::OpenMutexW(kMutexAccess, FALSE, blockLock.c_str()));
      exchangeLock_.reset(::OpenMutexW(kMutexAccess, FALSE, exchangeLock.c_str()));
    }
    if (mapping_ && blockLock_ && exchangeLock_)
      view_.reset(::MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(SharedBlock)));
    if (view_) {
      block_.store(static_cast<SharedBlock*>(view_.get()), std::memory_order_release);
    } else {
      mapping_.reset();
      blockLock_.reset();
      exchangeLock_.reset();
    }
  }
  ::ReleaseSRWLockExclusive(&mapLock_);
  return IsOpen();
}

bool SharedState::Create() { return Map(Mode::Create); }

bool SharedState::Open() { return Map(Mode::Open); }

MutexLock SharedState::LockExchange() {
  if (!IsOpen()) return {};
  return MutexLock(exchangeLock_.get(), kLockWaitMs);
}

HANDLE SharedState::OpenHookLock() const {
  return ::CreateMutexW(nullptr, FALSE, (prefix_ + L"hook-lock").c_str());
}

}  // namespace hooklib
