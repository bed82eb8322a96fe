#include "panel/tray_and_modes.h"

#include <commctrl.h>

#include "foundation/core/rounding.h"
#include "foundation/window_utils.h"
#include "panel/desktop_monitors.h"
#include "panel/panel_config.h"
#include "panel/panel_state.h"
#include "panel/tray_icon.h"

namespace panel {
namespace {

constexpr int kTwipsPerPixel = 15;

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// A twips value as the text of a single-precision number (whole numbers have no decimals).
std::wstring TwipsText(int32_t twips) { return std::to_wstring(twips); }

}  // namespace

TrayAndModes::TrayAndModes(TitleStripParts parts) : parts_(std::move(parts)) {}

void TrayAndModes::StartTray() {
  taskbarCreatedMsg_ = ::RegisterWindowMessageW(foundation::kTaskbarCreatedMessageName);
  foundation::HookTrayWindow(parts_.panel, this);
  SysTrayAdd(parts_.panel);
}

void TrayAndModes::StopTray() {
  foundation::UnhookTrayWindow(parts_.panel);
  SysTrayDel(parts_.panel);
}

LRESULT TrayAndModes::WndProcTrayIcon(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == foundation::kTrayCallbackMessage) {
    // wParam is the icon's id; lParam the mouse (or balloon) message. Single
    // clicks and the balloon notifications do nothing.
    if (wParam == kTrayIconId) {
      switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONDBLCLK:
          EnterStandAloneMode(true, true);
          break;
        case WM_RBUTTONUP: {
          // In front first, or the menu would not close when the user clicks elsewhere.
          ::SetForegroundWindow(parts_.panel);
          POINT p{};
          ::GetCursorPos(&p);
          parts_.menu->Popup(parts_.menu->Menu(), parts_.panel, p.x, p.y, TPM_RIGHTBUTTON);
          break;
        }
      }
    }
    return 0;
  }
  if (taskbarCreatedMsg_ != 0 && uMsg == taskbarCreatedMsg_) {
    // The taskbar was made again (the shell restarted): its icons are gone.
    SysTrayAdd(parts_.panel);
    return 0;
  }
  return foundation::CallOldWindowProc(hWnd, uMsg, wParam, lParam);
}

void TrayAndModes::EnterStandAloneMode(bool placeWindow, bool saveSetting) {
  if (placeWindow) {
    SetHeight(kStandAloneHeightTwips / kTwipsPerPixel);
    SetTop(SavedTop / kTwipsPerPixel);
    const RECT r = PanelRect();
    ::SetWindowPos(parts_.panel, nullptr, SavedLeft / kTwipsPerPixel, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetTypeTip(kTipToDocking);
  parts_.bType->SetStatus(true);
  StandAloneMode = true;
  parts_.menu->SetWindowModeChecks(true);
  if (saveSetting) WriteConfig(L"DuLi", L"1");
  parts_.setTitle(kTitleStandAlone);
}

void TrayAndModes::EnterDockingMode(bool saveSetting, bool hideWindow) {
  SetTypeTip(kTipToStandAlone);
  parts_.bType->SetStatus(false);
  StandAloneMode = false;
  parts_.menu->SetWindowModeChecks(false);
  parts_.setTitle(kTitleDocking);
  if (saveSetting) WriteConfig(L"DuLi", L"0");
  if (hideWindow) {
    // Out of sight until the docking loop places it beside a chat window.
    HideAboveDesktop();
  }
}

void TrayAndModes::EnterStartMode(bool standAlone) {
  if (standAlone) {
    ::ShowWindow(parts_.panel, SW_SHOWNOACTIVATE);
    EnterStandAloneMode(true, false);
  } else {
    EnterDockingMode(false, false);
  }
}

void TrayAndModes::bType_Click() {
  // Not pressed: the panel is docking.
  if (!parts_.bType->GetStatus())
    EnterStandAloneMode(false, true);
  else
    EnterDockingMode(true, true);
}

void TrayAndModes::bExit_Click() {
  // Hides the panel without closing it; the docking loop then leaves it alone
  // until the tray icon or the menu brings it back. The pin button, the title
  // and DuLi keep the mode the user chose.
  if (!StandAloneMode) {
    StandAloneMode = true;
    parts_.menu->SetWindowModeChecks(true);
  }
  HideAboveDesktop();
}

void TrayAndModes::bFont_Click(int index) {
  if (index < 0 || index > 2 || !parts_.bFont[static_cast<size_t>(index)]) return;
  RECT r{};
  HWND button = parts_.bFont[static_cast<size_t>(index)]->hwnd();
  ::GetWindowRect(button, &r);
  // Just below the pressed button.
  parts_.menu->Popup(parts_.menu->LangMenu(), parts_.panel, r.left, r.bottom, 0);
}

void TrayAndModes::Image1_Click() {
  const POINT p = ScreenPoint(kImage1Rect.left, kImage1Rect.bottom);
  parts_.menu->Popup(parts_.menu->Menu(), parts_.panel, p.x, p.y, 0);
}

void TrayAndModes::MouseDown(POINT at) {
  image1Pressed_ = false;
  if (Inside(kImage1Rect, at)) {
    if (StandAloneMode) {
      foundation::DragForm(parts_.panel);  // where it went is not saved
    } else {
      // The release over the picture is its click.
      image1Pressed_ = true;
      ::SetCapture(parts_.panel);
    }
    return;
  }
  // The background and the title (Label1).
  if (StandAloneMode) DragAndSave();
}

void TrayAndModes::MouseUp(POINT at, bool leftButton) {
  if (!image1Pressed_) return;
  image1Pressed_ = false;
  if (::GetCapture() == parts_.panel) ::ReleaseCapture();
  if (leftButton && Inside(kImage1Rect, at)) Image1_Click();
}

void TrayAndModes::DragAndSave() {
  foundation::DragForm(parts_.panel);  // returns when the button is released
  const RECT r = PanelRect();
  SavedLeft = static_cast<int32_t>(foundation::RoundHalfEven(r.left * static_cast<double>(kTwipsPerPixel)));
  SavedTop = static_cast<int32_t>(foundation::RoundHalfEven(r.top * static_cast<double>(kTwipsPerPixel)));
  WriteConfig(L"DefY", TwipsText(SavedTop));
  WriteConfig(L"DefX", TwipsText(SavedLeft));
}

void TrayAndModes::SetTypeTip(const wchar_t* text) {
  if (!parts_.tooltip) return;
  TOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = parts_.panel;
  ti.uId = reinterpret_cast<UINT_PTR>(parts_.bType->hwnd());
  ti.lpszText = const_cast<wchar_t*>(text);
  ::SendMessageW(parts_.tooltip, tipAdded_ ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  tipAdded_ = true;
}

void TrayAndModes::SetTop(int top) {
  const RECT r = PanelRect();
  ::SetWindowPos(parts_.panel, nullptr, r.left, top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TrayAndModes::HideAboveDesktop() {
  const RECT r = PanelRect();
  SetTop(HiddenTop(r.bottom - r.top));
}

void TrayAndModes::SetHeight(int height) {
  const RECT r = PanelRect();
  ::SetWindowPos(parts_.panel, nullptr, r.left, r.top, r.right - r.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TrayAndModes::PanelRect() const {
  RECT r{};
  ::GetWindowRect(parts_.panel, &r);
  return r;
}

POINT TrayAndModes::ScreenPoint(int x, int y) const {
  POINT p{x, y};
  ::ClientToScreen(parts_.panel, &p);
  return p;
}

}  // namespace panel
