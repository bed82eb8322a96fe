// Runs Tarnwick.exe from a folder of its own (a copy of the program, its
// Thumbs.mdb and unrar.dll, an optional Config.ini and library) and finds its
// windows. The process is closed when the object goes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/program_process.h"

namespace testing_support {

class PanelProcess : public ProgramProcess {
 public:
  PanelProcess();

  // Puts the keyboard-hook library beside the program (left out otherwise, so
  // that other tests never have a session-wide hook in place).
  void AddHookLibrary();
  // Replaces the program's Thumbs.mdb with the result of running sql on a copy.
  bool EditDatabase(const char* sql);

  // Starts the program; true once its main window exists and start-up ended.
  bool Start();
  // The emoticon grid windows (the main one first).
  std::vector<HWND> Grids() const;
  HWND Combo(int id) const;
  // The first window of that class inside the main window (id -1: any id), or nullptr.
  HWND Child(const wchar_t* className, int id = -1) const;
  RECT WindowRect() const;
};

}  // namespace testing_support
