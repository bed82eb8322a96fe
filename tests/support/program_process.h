// One of our programs run from a folder of its own (a copy of the program and
// its runtime files, an optional Config.ini and library), or from the folder
// of another program so that both share the library. The process is closed
// when the object goes. PanelProcess and EditorProcess build on it.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testing_support {

class ProgramProcess {
 public:
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;
  virtual ~ProgramProcess();

  // The program's folder (with a trailing "\").
  const std::wstring& folder() const { return folder_; }
  // Renames the program's copy before the start, as a user may.
  bool RenameProgram(const std::wstring& name);
  // Writes Config.ini in the program's folder before the start.
  void WriteConfig(const std::string& text);
  std::wstring ReadConfig(const wchar_t* key) const;
  // A picture file of the library: Face\<category>\<name>, drawn as a w x h BMP.
  void AddPicture(const std::wstring& category, const std::wstring& name, int w = 40, int h = 30);
  void AddCategory(const std::wstring& category);
  // Face\<category> (no trailing "\"), Face\<category>\<name>.
  std::wstring CategoryPath(const std::wstring& category) const { return folder_ + L"Face\\" + category; }
  std::wstring FacePath(const std::wstring& category, const std::wstring& name) const {
    return CategoryPath(category) + L"\\" + name;
  }

  bool Running() const;
  HWND Window() const { return window_; }
  DWORD pid() const { return pid_; }
  // Waits for the process to end by itself; its exit code, or -1 after timeoutMs.
  int WaitForExit(DWORD timeoutMs);
  // The visible or hidden top-level window of the process with that class
  // (e.g. "#32770") and, when one is given, that caption; or nullptr.
  HWND FindTopLevel(const wchar_t* className, const wchar_t* caption = nullptr) const;
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
  // Ends the process at once, as a crash or the task manager would: nothing
  // of its shutdown runs.
  void Kill();

 protected:
  // exe: the program's file name in the bin folder, copied with files (each
  // copied only when the folder lacks it) into a fresh folder, or into
  // sharedFolder when one is given.
  ProgramProcess(const std::wstring& exe, const std::vector<std::wstring>& files, const std::wstring& sharedFolder);
  // Starts the program from another folder (it makes its own folder current),
  // with these variables added to the environment ("NAME=value").
  bool Launch(const std::vector<std::wstring>& environment = {});
  HWND window_ = nullptr;

 private:
  std::unique_ptr<TempDir> ownDir_;
  std::wstring folder_;
  std::wstring exe_;
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// A 24-bit BMP file of w x h pixels, filled with one colour.
std::string BmpBytes(int w, int h);

}  // namespace testing_support
