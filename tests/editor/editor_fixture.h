// Shared set-up of the editor's end-to-end tests: a library in the program's
// folder, the program started on it, and short forms of what the tests check.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/core/control_ids.h"
#include "editor/core/editor_texts.h"
#include "foundation/message_box.h"
#include "support/editor_process.h"
#include "support/temp_dir.h"

namespace editor_tests {

using testing_support::EditorProcess;
using testing_support::EditorPrompt;
using testing_support::FilesIn;
using testing_support::FoldersIn;

// "f00.gif", "f01.gif", ...: names that sort in their number's order.
std::wstring NumberedName(int i, const wchar_t* extension = L"gif");


class EditorTest : public ::testing::Test {
 protected:
  // count files NumberedName(0..count-1) in the category.
  void AddFaces(const std::wstring& category, int count);
  bool Start() { return editor_.Start(); }

  // Clicks a control and waits for the prompt it raises; an empty prompt
  // when none came.
  EditorPrompt ClickForPrompt(int id);
  EditorPrompt ClickForPrompt(HWND control);
  // Clicks a control and waits for count prompts; those that came by then.
  std::vector<EditorPrompt> ClickForPrompts(HWND control, size_t count);
  // Waits until the cell's Tag reads tag.
  bool WaitForTag(int cell, const std::wstring& tag);
  bool WaitForLabel(const std::wstring& label);
  // Waits for the dialog with that caption to show; nullptr after the wait.
  HWND WaitForDialog(const std::wstring& caption);
  // A control of a dialog by id.
  static HWND DialogItem(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

  EditorProcess editor_;
};

// How many pixels of a screen rectangle (right and bottom excluded) the
// display shows now in another colour than colour.
int ScreenPixelsOtherThan(const RECT& area, COLORREF colour);

// Expects a message box with that text and style, titled "提示".
void ExpectBox(const EditorPrompt& prompt, const std::wstring& text, unsigned style);

}  // namespace editor_tests
