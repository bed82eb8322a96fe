// Runs Tarnwick.exe from a folder of its own (a copy of the program, its
// Thumbs.mdb and unrar.dll, an optional Config.ini and library) and finds its
// windows. The process is closed when the object goes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testing_support {

class PanelProcess {
 public:
  PanelProcess();
  PanelProcess(const PanelProcess&) = delete;
  PanelProcess& operator=(const PanelProcess&) = delete;
  ~PanelProcess();

  // The program's folder (with a trailing "\").
  const std::wstring& folder() const { return dir_.path(); }
  // Writes Config.ini in the program's folder before the start.
  void WriteConfig(const std::string& text);
  // A picture file of the library: Face\<category>\<name>, drawn as a w x h BMP.
  void AddPicture(const std::wstring& category, const std::wstring& name, int w = 40, int h = 30);
  void AddCategory(const std::wstring& category);
  // Puts the keyboard-hook library beside the program (left out otherwise, so
  // that other tests never have a session-wide hook in place).
  void AddHookLibrary();
  // Replaces the program's Thumbs.mdb with the result of running sql on a copy.
  bool EditDatabase(const char* sql);

  // Starts the program; true once its main window exists and start-up ended.
  bool Start();
  bool Running() const;
  HWND Window() const { return window_; }
  DWORD pid() const { return pid_; }
  // Waits for the process to end by itself; its exit code, or -1 after timeoutMs.
  int WaitForExit(DWORD timeoutMs);
  // The top-level window of the process with that class (e.g. "#32770"), or nullptr.
  HWND FindTopLevel(const wchar_t* className) const;
  // The emoticon grid windows (the main one first).
  std::vector<HWND> Grids() const;
  HWND Combo(int id) const;
  // The first window of that class inside the main window (id -1: any id), or nullptr.
  HWND Child(const wchar_t* className, int id = -1) const;
  RECT WindowRect() const;
  // Polls until pred() holds; false after timeoutMs.
  template <class Pred>
  static bool WaitFor(Pred pred, DWORD timeoutMs = 5000) {
    const DWORD start = ::GetTickCount();
    for (;;) {
      if (pred()) return true;
      if (::GetTickCount() - start > timeoutMs) return false;
      ::Sleep(20);
    }
  }
  // Posts WM_CLOSE and waits; terminates the process after 5 s.
  void Close();
  std::wstring ReadConfig(const wchar_t* key) const;

 private:
  TempDir dir_;
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

}  // namespace testing_support
