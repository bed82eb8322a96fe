// Counts every key event the system's input queue takes, whichever program
// made it and whichever window it would reach, while the object lives: a
// low-level keyboard hook on a thread of its own. One at a time.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

namespace testing_support {

class KeyWatch {
 public:
  // Returns once the hook is in place.
  KeyWatch();
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;
  ~KeyWatch();

  int Count() const { return count_.load(); }

 private:
  static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);

  std::atomic<int> count_{0};
  std::atomic<DWORD> threadId_{0};
  std::thread thread_;
};

}  // namespace testing_support
