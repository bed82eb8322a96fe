#include "panel/frm_menu.h"

#include "foundation/auto_run.h"
#include "foundation/input_hook.h"
#include "foundation/message_box.h"
#include "foundation/window_utils.h"
#include "panel/core/menu_items.h"
#include "panel/library_listing.h"
#include "panel/panel_config.h"

namespace panel {
namespace {

// Closing every window from inside a menu's or a tray message's handler would
// pull the panel window out from under the code still running for it: the
// exit waits for the menu form's own next message.
constexpr UINT kMsgUnloadAllForms = WM_APP + 1;

HMENU BuildPopup(HMENU bar, std::span<const MenuItem> items, const wchar_t* name) {
  HMENU popup = ::CreatePopupMenu();
  for (const MenuItem& item : items) {
    if (item.id == kMenuSeparator)
      ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    else
      ::AppendMenuW(popup, MF_STRING, item.id, item.caption);
  }
  // The top-level entries are never shown; they only hold the pop-ups.
  ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), name);
  return popup;
}

constexpr wchar_t kAutoRunNotSet[] = L"无法设置系统启动时运行,请确定您有足够的权限！";
constexpr wchar_t kAutoRunNotRemoved[] = L"无法取消系统启动时运行,请确定您有足够的权限！";

}  // namespace

FrmMenu::FrmMenu(MenuActions actions) : actions_(std::move(actions)) {
  bar_.reset(::CreateMenu());
  menu_ = BuildPopup(bar_.get(), MainMenuItems(), L"Menu");
  lang_ = BuildPopup(bar_.get(), LangMenuItems(), L"mLang");
  set_ = BuildPopup(bar_.get(), SetMenuItems(), L"mSet");
}

FrmMenu::~FrmMenu() = default;

bool FrmMenu::Create() {
  return CreateWindowObject(foundation::WindowClassInfo{kMenuFormClass}, WS_EX_TOOLWINDOW, WS_POPUP,
                            kMenuFormCaption, 0, 0, 0, 0, nullptr, nullptr);
}

void FrmMenu::Popup(HMENU menu, HWND owner, int x, int y, UINT flags) {
  const UINT id = static_cast<UINT>(
      ::TrackPopupMenu(menu, flags | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, owner, nullptr));
  if (id != 0) Choose(id);
}

void FrmMenu::Choose(UINT id) {
  auto run = [](const std::function<void()>& f) {
    if (f) f();
  };
  switch (id) {
    case kMenuDown: foundation::OpenUrl(hwnd(), kPackPage); break;
    case kMenuUpdate: foundation::OpenUrl(hwnd(), kMakerSite); break;
    case kMenuJianYi: foundation::OpenUrl(hwnd(), kMakerForum); break;
    case kMenuAutoRun: mAutoRun_Click(); break;
    case kMenuTypeGuanLi: mTypeGuanLi_Click(); break;
    case kMenuEnabled: run(actions_.enterDockingMode); break;
    case kMenuDuLi: run(actions_.enterStandAloneMode); break;
    case kMenuExit: mExit_Click(); break;
    case kMenuTextType0:
    case kMenuTextType1:
    case kMenuTextType2: mTypeClick(static_cast<int>(id - kMenuTextType0)); break;
    case kMenuAddFace: run(actions_.addFace); break;
    case kMenuInPutFace: run(actions_.loadDir); break;
    case kMenuNewType: run(actions_.showNewType); break;
    case kMenuKillAll: run(actions_.showType); break;
    case kMenuDelFace: run(actions_.killFace); break;
    case kMenuMoveFace: run(actions_.showMove); break;
    case kMenuCopyFace: run(actions_.showCopy); break;
  }
}

void FrmMenu::mTypeClick(int index) {
  if (index >= 0 && index <= 2) {
    if (actions_.showModeButton) actions_.showModeButton(index);
    foundation::TextConvertMode = index;
    for (int i = 0; i < 3; ++i) SetChecked(kMenuTextType0 + static_cast<UINT>(i), i == index);
  }
  WriteConfig(L"Input", std::to_wstring(index));
}

void FrmMenu::mAutoRun_Click() {
  // The check mark says which way the user asks; afterwards it shows what the
  // registry holds, so it never promises a start that won't happen.
  const std::wstring path = foundation::AutoRunProgramPath();
  if (!IsChecked(kMenuAutoRun)) {
    if (!foundation::RegisterAutoRun(path))
      foundation::ShowMessage(actions_.boxOwner, kAutoRunNotSet, foundation::kMessageTitle, foundation::kBoxWarning);
  } else if (!foundation::UnregisterAutoRun(path)) {
    foundation::ShowMessage(actions_.boxOwner, kAutoRunNotRemoved, foundation::kMessageTitle, foundation::kBoxWarning);
  }
  SetAutoRunChecked(foundation::IsAutoRunRegistered(path));
}

void FrmMenu::mTypeGuanLi_Click() { foundation::OpenUrl(hwnd(), LibraryRoot()); }

void FrmMenu::mExit_Click() {
  if (actions_.stopDocking) actions_.stopDocking();
  ::PostMessageW(hwnd(), kMsgUnloadAllForms, 0, 0);
}

void FrmMenu::SetAutoRunChecked(bool checked) { SetChecked(kMenuAutoRun, checked); }

void FrmMenu::SetWindowModeChecks(bool standAlone) {
  SetChecked(kMenuDuLi, standAlone);
  SetChecked(kMenuEnabled, !standAlone);
}

bool FrmMenu::IsChecked(UINT id) const {
  return (::GetMenuState(bar_.get(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void FrmMenu::SetChecked(UINT id, bool checked) {
  ::CheckMenuItem(bar_.get(), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

LRESULT FrmMenu::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) Choose(LOWORD(wParam));
      return 0;
    case kMsgUnloadAllForms:
      foundation::UnloadAllForms();
      return 0;
  }
  return WindowBase::HandleMessage(msg, wParam, lParam);
}

}  // namespace panel
