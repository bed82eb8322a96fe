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
  // Run from folder (with a trailing "\"), which the caller made and removes.
  explicit PanelProcess(const std::wstring& folder);

  // Puts the keyboard-hook library beside the program (left out otherwise, so
  // that other tests never have a session-wide hook in place).
  void AddHookLibrary();
  // Replaces the program's Thumbs.mdb with the result of running sql on a copy.
  bool EditDatabase(const char* sql);

  // Starts the program, with these variables added to its environment
  // ("NAME=value"); true once its main window exists and start-up ended.
  bool Start(const std::vector<std::wstring>& environment = {});
  // Starts the program without waiting for its start-up, which a message box
  // may hold up on the way; WaitUntilShown waits for its end.
  bool Begin() { return Launch(); }
  bool WaitUntilShown(DWORD timeoutMs = 15000);
  // The emoticon grid windows (the main one first).
  std::vector<HWND> Grids() const;
  HWND Combo(int id) const;
  // The first window of that class inside the main window (id -1: any id), or nullptr.
  HWND Child(const wchar_t* className, int id = -1) const;
  RECT WindowRect() const;
  // A visible top-level window of the process with that class, waited for; nullptr after timeoutMs.
  HWND WaitForTopLevel(const wchar_t* className, DWORD timeoutMs = 5000) const;
  // The hidden window that carries the menus (its WM_COMMAND runs an item).
  HWND MenuForm() const { return FindTopLevel(L"TarnwickMenuForm"); }
  // Sends a message to a window of the program (the panel window by default)
  // and waits for its answer (0 after 10 s).
  LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam, HWND to = nullptr) const;
  // The direct children of the panel window of a class, with their places
  // in its client area, in z-order.
  struct ChildPlace {
    HWND hwnd;
    RECT rect;
  };
  std::vector<ChildPlace> Children(const wchar_t* className) const;
  // The first child of that class whose top-left corner is at (left, top),
  // waited for (the layout follows a change of the window's size); nullptr
  // after timeoutMs.
  HWND WaitForChildAt(const wchar_t* className, int left, int top, DWORD timeoutMs = 5000) const;
  // A left click on a control of the program (client point of the control),
  // sent: returns once the control has handled it. A click that opens a modal
  // window must be posted instead.
  void Click(HWND control, int x = 3, int y = 3) const;
  void PostClick(HWND control, int x = 3, int y = 3) const;

 private:
  // The main window, found and shown.
  bool Shown();
};

// The texts of a window's children, one a line (a message box's text among them).
std::wstring ChildTexts(HWND window);
// The child of a window whose text is text, or nullptr.
HWND ChildWithText(HWND window, const std::wstring& text);

}  // namespace testing_support
