// Reads an address into bytes through the platform's URL service on a worker
// thread and hands the result to a window on the UI thread (a posted
// message), so the control sees completion where everything else happens.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace anigif {

struct RemoteResult {
  uint32_t token = 0;  // identifies the request; a stale one is dropped
  bool ok = false;
  std::vector<uint8_t> bytes;
};

// Starts the read; notifyMsg arrives at window with lParam a RemoteResult*
// that the receiver takes over (TakeRemoteResult). False when the read could
// not be started.
bool StartRemoteRead(HWND window, UINT notifyMsg, uint32_t token, const std::wstring& address);

// Takes ownership of the result carried by a notify message.
std::unique_ptr<RemoteResult> TakeRemoteResult(LPARAM lParam);

}  // namespace anigif
