#include "panel/library_dialog.h"

#include <commctrl.h>

#include "foundation/message_box.h"
#include "foundation/subclass_host.h"

namespace panel {
namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 24;
constexpr int kLineHeight = 20;
constexpr WCHAR kEscape = 27;

BOOL CALLBACK CollectDescendant(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

}  // namespace

// Sees the keys typed into one control before the control does: Esc closes
// the dialog. The close waits for the dialog's own next message, so the
// control is not destroyed inside its own procedure.
class LibraryDialog::EscapeKeyLink final : private foundation::ISubclassingSink {
 public:
  EscapeKeyLink(HWND control, HWND dialog) : dialog_(dialog) {
    link_.AddBeforeMsgs({WM_CHAR});
    link_.Subclass(control, this);
  }

 private:
  void Before(bool& handled, LRESULT&, HWND&, UINT& msg, WPARAM& wParam, LPARAM&) override {
    if (msg == WM_CHAR && wParam == kEscape) {
      handled = true;
      ::PostMessageW(dialog_, WM_CLOSE, 0, 0);
    }
  }
  void After(LRESULT&, HWND, UINT, WPARAM, LPARAM) override {}

  HWND dialog_;
  foundation::cSubclsThunk link_;
};

LibraryDialog::LibraryDialog(LibraryHost& host, const wchar_t* className, const wchar_t* caption, int clientWidth,
                             int clientHeight)
    : host_(host), className_(className), caption_(caption), clientWidth_(clientWidth), clientHeight_(clientHeight) {}

LibraryDialog::~LibraryDialog() { Unload(); }

void LibraryDialog::Show() {
  if (IsLoaded()) {
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(hwnd());
    return;
  }
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT r{0, 0, clientWidth_, clientHeight_};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (::GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  foundation::WindowClassInfo cls{className_};
  cls.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  if (!CreateWindowObject(cls, exStyle, style, caption_, x, y, w, h, nullptr, nullptr)) return;
  font_.reset(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
  CreateControls();
  MakeFlat();
  Form_Load();
  std::vector<HWND> controls;
  ::EnumChildWindows(hwnd(), CollectDescendant, reinterpret_cast<LPARAM>(&controls));
  for (HWND c : controls) WatchEscapeKey(c);
  ::ShowWindow(hwnd(), SW_SHOWNORMAL);
  ::SetForegroundWindow(hwnd());
  if (HWND first = ::GetNextDlgTabItem(hwnd(), nullptr, FALSE)) ::SetFocus(first);
}

void LibraryDialog::Unload() {
  if (hwnd()) ::DestroyWindow(hwnd());
}

HWND LibraryDialog::AddChild(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w,
                             int h) {
  HWND c = ::CreateWindowExW(0, cls, text, WS_CHILD | style, x, y, w, h, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return c;
}

HWND LibraryDialog::AddLabel(const wchar_t* text, int x, int y, int width) {
  return AddChild(L"STATIC", text, WS_VISIBLE | SS_LEFT, 0, x, y, width, kLineHeight - 4);
}

HWND LibraryDialog::AddTextBox(int id, int x, int y, int width, bool visible) {
  return AddChild(L"EDIT", L"", (visible ? WS_VISIBLE : 0) | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, id, x, y,
                  width, kLineHeight);
}

HWND LibraryDialog::AddListBox(int id, int x, int y, int width, int height) {
  return AddChild(L"LISTBOX", L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, id, x, y, width,
                  height);
}

HWND LibraryDialog::AddComboList(int id, int x, int y, int width) {
  return AddChild(WC_COMBOBOXW, L"", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, id, x, y, width, 200);
}

void LibraryDialog::AddButton(int id, const wchar_t* name, const wchar_t* caption, int x, int y,
                              std::function<void()> onClick) {
  auto button = std::make_unique<controls::QQButton>();
  controls::AmbientProperties ambient;
  ambient.displayName = name;
  if (!button->Create(hwnd(), id, x, y, kButtonWidth, kButtonHeight, nullptr, ambient)) return;
  button->SetCaption(caption);
  button->Click = std::move(onClick);
  buttons_.push_back(std::move(button));
}

void LibraryDialog::MakeFlat() { foundation::MakeControlsFlat(hwnd(), flat_); }

void LibraryDialog::WatchEscapeKey(HWND control) {
  escapeLinks_.push_back(std::make_unique<EscapeKeyLink>(control, hwnd()));
}

std::wstring LibraryDialog::Text(int id) const {
  HWND c = ::GetDlgItem(hwnd(), id);
  const int n = ::GetWindowTextLengthW(c);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  s.resize(static_cast<size_t>(::GetWindowTextW(c, s.data(), n + 1)));
  return s;
}

void LibraryDialog::SetText(int id, const std::wstring& text) { ::SetDlgItemTextW(hwnd(), id, text.c_str()); }

void LibraryDialog::Focus(int id) { ::SetFocus(::GetDlgItem(hwnd(), id)); }

int LibraryDialog::Ask(const std::wstring& text) {
  return foundation::ShowMessage(hwnd(), text, foundation::kMessageTitle, foundation::kBoxQuestion);
}

void LibraryDialog::Tell(const std::wstring& text, UINT style) {
  foundation::ShowMessage(hwnd(), text, foundation::kMessageTitle, style);
}

void LibraryDialog::OnWindowDestroyed() { buttons_.clear(); }

LRESULT LibraryDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_COMMAND:
      return 0;
    case WM_CHAR:
      if (wParam == kEscape) {
        Unload();
        return 0;
      }
      break;
    case WM_DESTROY:
      // The controls go with the window; a later Show makes them anew.
      escapeLinks_.clear();
      break;
  }
  return WindowBase::HandleMessage(msg, wParam, lParam);
}

}  // namespace panel
