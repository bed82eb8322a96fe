// The frame the library dialogs share: a small fixed window with the form's
// caption, centred on the screen and owned by no window; text, list and combo
// boxes get flat borders, push buttons are QQButtons, and Esc closes the
// dialog whichever of its controls has the focus (the dialog sees each key
// before its controls do).
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/qq_button.h"
#include "foundation/flat_control.h"
#include "foundation/handles.h"
#include "foundation/window_base.h"
#include "panel/library_host.h"

namespace panel {

// Control ids of the dialogs (the form's control names).
enum LibraryDialogControl : int {
  kDlgText1 = 101,
  kDlgText2 = 102,
  kDlgText3 = 103,
  kDlgList1 = 111,
  kDlgCombo1 = 121,
  kDlgQQButton1 = 201,
  kDlgQQButton2 = 202,
  kDlgQQButton4 = 204,
};

class LibraryDialog : public foundation::WindowBase {
 public:
  ~LibraryDialog() override;

  // Loads the dialog and shows it; a dialog that is open already is only
  // brought to the front (its load-time work is not repeated).
  void Show();
  bool IsLoaded() const { return hwnd() != nullptr; }
  // Closes the dialog.
  void Unload();

 protected:
  LibraryDialog(LibraryHost& host, const wchar_t* className, const wchar_t* caption, int clientWidth,
                int clientHeight);

  // Makes the dialog's controls (called once per load, before Form_Load).
  virtual void CreateControls() = 0;
  // The load-time work of the dialog.
  virtual void Form_Load() {}

  HWND AddLabel(const wchar_t* text, int x, int y, int width);
  HWND AddTextBox(int id, int x, int y, int width, bool visible = true);
  HWND AddListBox(int id, int x, int y, int width, int height);
  HWND AddComboList(int id, int x, int y, int width);
  void AddButton(int id, const wchar_t* name, const wchar_t* caption, int x, int y, std::function<void()> onClick);
  // Flat borders on the text, list and combo boxes (after they exist).
  void MakeFlat();

  std::wstring Text(int id) const;
  void SetText(int id, const std::wstring& text);
  void Focus(int id);

  int Ask(const std::wstring& text);
  void Tell(const std::wstring& text, UINT style);

  LibraryHost& host() { return host_; }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowDestroyed() override;

 private:
  class EscapeKeyLink;
  HWND AddChild(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h);
  void WatchEscapeKey(HWND control);

  LibraryHost& host_;
  const wchar_t* className_;
  const wchar_t* caption_;
  int clientWidth_, clientHeight_;
  foundation::UniqueFont font_;
  foundation::FlatControlList flat_;
  std::vector<std::unique_ptr<controls::QQButton>> buttons_;
  std::vector<std::unique_ptr<EscapeKeyLink>> escapeLinks_;
};

}  // namespace panel
