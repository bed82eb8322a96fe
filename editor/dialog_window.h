// The common frame of the editor's small dialogs (add category, copy, move,
// pack naming): a captioned window owned by the main window, with labels, text
// and list boxes in the program's font, flat borders on them, and the two
// skinned buttons "确定" and "取消". Esc closes the dialog whichever of its
// controls has the focus; Tab moves between them.
#pragma once
#include <windows.h>

#include <string>

#include "controls/qq_button.h"
#include "foundation/flat_control.h"
#include "foundation/window_base.h"

namespace editor {

class DialogWindow : public foundation::WindowBase {
 public:
  ~DialogWindow() override;

  // The editor's loops hand every message here first: true when a dialog
  // took it (the loop then dispatches nothing).
  static bool PreTranslate(MSG& msg);

  bool IsOpen() const { return hwnd() != nullptr; }
  // Unloads the dialog (the object stays and can show the dialog again).
  void Close();

 protected:
  // Creates the window centred on the owner, with its client area of that
  // size; the controls are added by the caller, then Finish() shows it.
  bool CreateFrame(HWND owner, const wchar_t* caption, int clientWidth, int clientHeight);
  HWND AddLabel(int id, const std::wstring& text, int x, int y, int width, int height);
  HWND AddEdit(int id, int x, int y, int width, int height, bool readOnly = false);
  HWND AddDropDownList(int id, int x, int y, int width, int height);
  HWND AddListBox(int id, int x, int y, int width, int height);
  // "确定" and "取消" side by side, centred, with their tops at y.
  void AddButtons(int y);
  // Flat borders on the boxes, then the window shown and activated, the
  // focus on focus.
  void Finish(HWND focus);
  // Shows the dialog modal: the owner takes no input until it closes.
  void RunModal();

  // "确定" was clicked.
  virtual void OnOk() = 0;

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowDestroyed() override;

 private:
  HWND AddChild(const wchar_t* className, DWORD style, DWORD exStyle, int id, const std::wstring& text, int x, int y,
                int width, int height);

  controls::QQButton ok_, cancel_;
  foundation::FlatControlList flat_;
  int clientWidth_ = 0;
};

// The 9-point 宋体 font of the editor's labels and boxes (GB2312 character set).
HFONT EditorFont();

// The text of an edit or list box control.
std::wstring ControlText(HWND control);

}  // namespace editor
