#include "editor/dialog_window.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "editor/core/control_ids.h"
#include "editor/core/editor_texts.h"
#include "editor/message_loop.h"
#include "foundation/handles.h"

namespace editor {
namespace {

constexpr int kButtonWidth = 65;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 10;

std::vector<DialogWindow*>& OpenDialogs() {
  static std::vector<DialogWindow*> dialogs;
  return dialogs;
}

DialogWindow* DialogOf(HWND hwnd) {
  if (!hwnd) return nullptr;
  HWND root = ::GetAncestor(hwnd, GA_ROOT);
  for (DialogWindow* d : OpenDialogs()) {
    if (d->hwnd() == root) return d;
  }
  return nullptr;
}

}  // namespace

HFONT EditorFont() {
  static foundation::UniqueFont font(
      ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
  return font.get();
}

std::wstring ControlText(HWND control) {
  const int n = ::GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), n + 1)));
  return text;
}

DialogWindow::~DialogWindow() {
  auto& open = OpenDialogs();
  open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

bool DialogWindow::PreTranslate(MSG& msg) {
  DialogWindow* dialog = DialogOf(msg.hwnd);
  if (!dialog) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    dialog->Close();
    return true;
  }
  return ::IsDialogMessageW(dialog->hwnd(), &msg) != FALSE;
}

void DialogWindow::Close() {
  if (hwnd()) ::DestroyWindow(hwnd());
}

bool DialogWindow::CreateFrame(HWND owner, const wchar_t* caption, int clientWidth, int clientHeight) {
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT ownerRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (owner) ::GetWindowRect(owner, &ownerRect);
  const int x = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
  const int y = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
  foundation::WindowClassInfo cls{kDialogClass, 0};
  cls.background = ::GetSysColorBrush(COLOR_BTNFACE);
  if (!CreateWindowObject(cls, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kStyle, caption, x, y, width, height, owner,
                          nullptr))
    return false;
  clientWidth_ = clientWidth;
  OpenDialogs().push_back(this);
  return true;
}

HWND DialogWindow::AddChild(const wchar_t* className, DWORD style, DWORD exStyle, int id, const std::wstring& text,
                            int x, int y, int width, int height) {
  HWND h = ::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                             hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                             nullptr);
  if (h) ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(EditorFont()), FALSE);
  return h;
}

HWND DialogWindow::AddLabel(int id, const std::wstring& text, int x, int y, int width, int height) {
  return AddChild(WC_STATICW, SS_LEFT, 0, id, text, x, y, width, height);
}

HWND DialogWindow::AddEdit(int id, int x, int y, int width, int height, bool readOnly) {
  return AddChild(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0), WS_EX_CLIENTEDGE, id, L"", x,
                  y, width, height);
}

HWND DialogWindow::AddDropDownList(int id, int x, int y, int width, int height) {
  return AddChild(WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, id, L"", x, y, width, height);
}

HWND DialogWindow::AddListBox(int id, int x, int y, int width, int height) {
  return AddChild(WC_LISTBOXW, WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, WS_EX_CLIENTEDGE, id, L"", x, y, width,
                  height);
}

void DialogWindow::AddButtons(int y) {
  const int left = (clientWidth_ - 2 * kButtonWidth - kButtonGap) / 2;
  controls::PropertyBag okBag, cancelBag;
  okBag.Write(L"Caption", std::wstring(kOkCaption));
  cancelBag.Write(L"Caption", std::wstring(kCancelCaption));
  ok_.Create(hwnd(), kIdDialogOk, left, y, kButtonWidth, kButtonHeight, &okBag);
  cancel_.Create(hwnd(), kIdDialogCancel, left + kButtonWidth + kButtonGap, y, kButtonWidth, kButtonHeight,
                 &cancelBag);
  ::SetWindowTextW(ok_.hwnd(), kOkCaption);
  ::SetWindowTextW(cancel_.hwnd(), kCancelCaption);
  ok_.Click = [this] { OnOk(); };
  cancel_.Click = [this] { Close(); };
}

void DialogWindow::Finish(HWND focus) {
  foundation::MakeControlsFlat(hwnd(), flat_);
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
  if (focus) ::SetFocus(focus);
}

void DialogWindow::RunModal() {
  HWND owner = ::GetWindow(hwnd(), GW_OWNER);
  if (owner) ::EnableWindow(owner, FALSE);
  RunNestedLoop([this] { return IsOpen(); });
  if (owner) {
    ::EnableWindow(owner, TRUE);
    ::SetForegroundWindow(owner);
  }
}

LRESULT DialogWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_COMMAND:
      // Enter and Esc through the dialog manager arrive as IDOK and IDCANCEL;
      // Esc is handled before it, Enter does nothing.
      return 0;
    default:
      return WindowBase::HandleMessage(msg, wParam, lParam);
  }
}

void DialogWindow::OnWindowDestroyed() {
  auto& open = OpenDialogs();
  open.erase(std::remove(open.begin(), open.end(), this), open.end());
}

}  // namespace editor
