// Stands in for the taskbar's notification area, which is invisible under
// Xvfb: a window of the shell's tray class, on a thread of the test process
// with its own message loop, that records every icon call made to it. It is
// topmost, so the system finds it before the shell's own tray window (Wine's
// Shell_NotifyIconW hands each call to the first window of that class as
// WM_COPYDATA: dwData is the NIM_ command, the data a record whose fields
// below lie at its start, followed by the icon's size and bits).
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace testing_support {

struct TrayCall {
  DWORD command = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
  HWND window = nullptr;
  UINT id = 0;
  UINT flags = 0;
  UINT callbackMessage = 0;
  std::wstring tip;
  std::wstring info;
  std::wstring infoTitle;
  UINT timeout = 0;
  DWORD infoFlags = 0;
  bool hasIcon = false;
};

class TrayDouble {
 public:
  TrayDouble();
  TrayDouble(const TrayDouble&) = delete;
  TrayDouble& operator=(const TrayDouble&) = delete;
  ~TrayDouble();

  // The window exists and is the tray window the system finds first.
  bool Ready() const;
  // The calls about one window so far, oldest first.
  std::vector<TrayCall> Calls(HWND window) const;
  // Waits until at least count calls about the window arrived; false after timeoutMs.
  bool WaitForCalls(HWND window, size_t count, DWORD timeoutMs = 5000) const;

 private:
  static DWORD WINAPI ThreadMain(void* self);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Record(const COPYDATASTRUCT& data);

  HANDLE thread_ = nullptr;
  HANDLE created_ = nullptr;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
  mutable std::mutex mutex_;
  std::vector<TrayCall> calls_;
};

}  // namespace testing_support
