// Runs the editor's test build (Brackmere_test.exe: the same program, built
// with its prompts answered from a script) from a folder of its own, or
// beside a panel in that panel's folder, and drives its windows as a user
// would: clicks on the category buttons, the cells, the links and the
// buttons, typing into the dialogs, Esc. The script is named by the
// BRACKMERE_PROMPT_SCRIPT variable (editor/scripted_prompts.h): message boxes and
// the file and folder dialogs never show. The program gets a temporary folder
// of its own (TMP), where a pack import makes its work folder.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/program_process.h"

namespace testing_support {

// One prompt as the program logged it.
struct EditorPrompt {
  std::wstring kind;   // "box", "open", "folder", "unanswered"
  unsigned style = 0;  // boxes: icon and buttons
  std::wstring title;  // boxes and dialogs (for "unanswered": the kind left unanswered)
  std::wstring text;   // boxes
};

class EditorProcess : public ProgramProcess {
 public:
  // A folder of its own, or the folder of another program (e.g. a panel's).
  EditorProcess();
  explicit EditorProcess(const std::wstring& sharedFolder);

  // Starts the program; true once its main window shows.
  bool Start();

  // The program's temporary folder (with a trailing "\").
  const std::wstring& tempFolder() const { return sharedTemp_.empty() ? temp_.path() : sharedTemp_; }
  // Starts the program with another one's temporary folder.
  void ShareTempFolder(const EditorProcess& other) { sharedTemp_ = other.tempFolder(); }

  // Answers for the coming prompts, in order: "yes", "no", "open <path>",
  // "folder <path>" (see editor/scripted_prompts.h).
  void Answer(const std::wstring& line);
  std::vector<EditorPrompt> Prompts() const;
  // Waits until the program has logged more than count prompts; the one after
  // the first count, or an empty prompt after timeoutMs.
  EditorPrompt WaitForPromptAfter(size_t count, DWORD timeoutMs = 10000) const;

  // Controls of the main window by id (editor/core/control_ids.h), searched
  // through every level of children.
  HWND Control(int id) const;
  // A left press and release in the middle of the window.
  static void Click(HWND control);
  void ClickControl(int id) const { Click(Control(id)); }
  void ClickCell(int index) const;
  // The category buttons' captions, in strip order (hidden ones left out).
  std::vector<std::wstring> Categories() const;
  void ClickCategory(const std::wstring& name) const;
  std::wstring PageLabel() const;
  std::wstring CellTag(int index) const;
  bool CellSelected(int index) const;
  // The Tags of all 50 cells.
  std::vector<std::wstring> CellTags() const;
  // Waits until every posted click so far has been handled: clicks cell index
  // twice, waiting each time for its selection to flip.
  bool Settle(int index = 49) const;

  // An open dialog of the program with that caption, or nullptr.
  HWND Dialog(const std::wstring& caption) const;
  // Types text into a control of a dialog (after emptying it), as keystrokes.
  static void Type(HWND control, const std::wstring& text);
  static void PressEsc(HWND control);

 private:
  TempDir script_;
  TempDir temp_;
  std::wstring sharedTemp_;
};

// The text of any window (also of edit and combo boxes of another process).
std::wstring WindowText(HWND hwnd);

}  // namespace testing_support
