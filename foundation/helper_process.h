// Work that a platform library may hold up for as long as a server likes (a
// download stuck waiting for an answer's headers), done in a helper process
// of our own: the caller waits for its output with its windows still
// working, and may end it at any moment. Ending the process is what ends the
// connection: under Wine, closing a WinINet handle leaves a call pending on
// it receiving, and the download service's own worker threads are out of
// reach.
//
// The helper is started as "program switch <parent> arguments...", its
// standard output into a pipe read here without blocking; <parent> is a
// handle to this process, by which the helper ends with it.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "foundation/handles.h"
#include "foundation/message_pump.h"

namespace foundation {

class HelperProcess {
 public:
  HelperProcess() = default;
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;
  // Ends the helper if it still runs.
  ~HelperProcess();

  // False when the helper can't be started.
  bool Start(const std::wstring& program, const std::wstring& switchArg, const std::vector<std::wstring>& args);

  enum class Wait {
    kOutput,    // output came (appended)
    kEnded,     // the helper has ended and all its output has come
    kTimedOut,
    kStopped,   // stopWhen held, or a quit request came
  };
  // Waits up to timeoutMs for output or the helper's end while this thread's
  // windows go on working (see WaitPumping).
  Wait WaitForOutput(std::string& output, DWORD timeoutMs, InputWhileWaiting input,
                     const std::function<bool()>& stopWhen = {});

  // Ends the helper at once and waits until it is gone.
  void End();
  // The helper's exit code once it has ended, else STILL_ACTIVE.
  DWORD exit_code() const;

 private:
  // Cancels a pending read and waits until the system is done with it.
  void CancelRead();

  UniqueKernelHandle process_;
  UniqueFile pipe_;
  UniqueKernelHandle readDone_;
  OVERLAPPED overlapped_{};
  bool reading_ = false;
  bool pipeEnded_ = false;
  std::vector<char> buffer_;
};

// In the helper: the arguments after the switch and the parent's handle, or
// nothing when the command line is no helper's; none at all when it is one
// but its parent can't be watched (gone, or no handle given). From then on
// the helper process ends when its parent does.
std::optional<std::vector<std::wstring>> StartAsHelper(const wchar_t* commandLine, const std::wstring& switchArg);

// In the helper: writes bytes to the parent; false once the parent is gone.
bool WriteToParent(const void* bytes, size_t size);

// One argument as the C runtime's command-line parsing reads it back.
std::wstring QuoteArgument(const std::wstring& arg);

}  // namespace foundation
