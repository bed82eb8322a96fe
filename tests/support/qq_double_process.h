// Starts the QQ chat-window double (tests/fakes/qq) from the bin folder and
// reads its log. The process is closed (WM_CLOSE, then terminated if it hangs)
// when the object goes.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/pump.h"
#include "support/temp_dir.h"

namespace testing_support {

class QqDoubleProcess {
 public:
  QqDoubleProcess() = default;
  QqDoubleProcess(const QqDoubleProcess&) = delete;
  QqDoubleProcess& operator=(const QqDoubleProcess&) = delete;
  ~QqDoubleProcess();

  // exe: "QQ.exe", "OtherChat.exe" or "NotQQ.exe" (beside the test); args: the double's
  // options, "--log" is added. Waits for its "ready" line; false on failure.
  bool Start(const std::wstring& exe, const std::vector<std::wstring>& args = {});
  HWND hwnd() const { return hwnd_; }
  HWND input() const { return input_; }
  HWND button() const { return button_; }
  DWORD pid() const { return pid_; }

  // The log so far, one entry per line (UTF-8).
  std::vector<std::string> LogLines() const;
  // What follows prefix on each line that starts with it, in order.
  std::vector<std::string> ValuesAfter(const std::string& prefix) const;
  // Waits until the input box's latest text (its last "text input=" line) is
  // text; the failure names the text it holds.
  ::testing::AssertionResult InputBoxHolds(const std::wstring& text, DWORD timeoutMs = 10000) const;
  // Waits until a line equal to line appears; false after timeoutMs.
  bool WaitForLine(const std::string& line, DWORD timeoutMs = 5000) const;
  // Makes text an input method's result in the focused input box, as the
  // system's input method delivers one; returns once the double handled it.
  void Compose(const std::wstring& text) const;
  // From now on the chat window refuses every activation (false: takes it
  // again); returns once the double handled it.
  void RefuseFront(bool refuse) const;
  // The next click of the send button hangs the chat window's thread for
  // milliseconds; returns once the double has taken the order.
  void HangNextSend(DWORD milliseconds) const;
  // Posts WM_CLOSE and waits for the process to end (terminates it after 5 s).
  void Close();

 private:
  // A WM_COPYDATA command of the double's (tests/fakes/qq/double_commands.h).
  void Command(ULONG_PTR tag, const void* data, DWORD size) const;
  TempDir dir_;
  std::wstring logPath_;
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HWND hwnd_ = nullptr, input_ = nullptr, button_ = nullptr;
};

// Runs a program of the bin folder with arguments, waits for it, answers its
// exit code (-1 when it could not start) and, if wanted, its standard output.
int RunProgram(const std::wstring& exe, const std::vector<std::wstring>& args, std::string* output = nullptr);

// Whether the process has a module of that file name (no folder) or, given
// a path, of that full path loaded.
bool ProcessHasModule(DWORD pid, const wchar_t* fileName);

// Makes hwnd the foreground window, pumping messages meanwhile; false when it
// is still not in front after about two seconds.
bool BringToFront(HWND hwnd);

// A plain window of the test process, to put something else in front.
HWND MakeOtherWindow();

}  // namespace testing_support
