// Reads a list-view control of another process: its item texts travel
// through memory allocated in that process (the control's messages carry
// pointers, which no process boundary translates).
#pragma once
#include <windows.h>

#include <string>

namespace testing_support {

class RemoteListView {
 public:
  explicit RemoteListView(HWND list);
  RemoteListView(const RemoteListView&) = delete;
  RemoteListView& operator=(const RemoteListView&) = delete;
  ~RemoteListView();

  int Count() const;
  std::wstring Text(int row, int column) const;
  bool IsChecked(int row) const;

 private:
  HWND list_;
  HANDLE process_ = nullptr;
  void* remote_ = nullptr;  // an LVITEMW followed by its text buffer
};

}  // namespace testing_support
