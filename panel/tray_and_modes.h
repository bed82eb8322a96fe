// The panel's tray icon handler, its two window modes and its title strip:
// every mode switch of the program goes through EnterStandAloneMode or
// EnterDockingMode, which set the six items the user sees (the mode flag, the
// pin button's tooltip and pressed state, the two menu check marks, the
// title) to one column of the mode table. The title strip's handlers (pin,
// close, input-mode buttons, the logo picture, drags of the stand-alone
// window) live here too.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "controls/command.h"
#include "foundation/tray_window_proc.h"
#include "panel/frm_menu.h"

namespace panel {

// Where the title strip's drawn parts lie on the panel (client pixels).
inline constexpr RECT kImage1Rect{3, 3, 3 + 19, 3 + 19};
inline constexpr RECT kLabel1Rect{24, 8, 24 + 40, 8 + 12};
inline constexpr int kStandAloneHeightTwips = 8000;

inline constexpr wchar_t kTitleDocking[] = L"Pindle-吸附";
inline constexpr wchar_t kTitleStandAlone[] = L"Pindle-独立";
// The pin button's tooltip names the mode a click switches to.
inline constexpr wchar_t kTipToDocking[] = L"窗口吸附模式";
inline constexpr wchar_t kTipToStandAlone[] = L"普通窗口模式";

struct TitleStripParts {
  HWND panel = nullptr;
  controls::Command* bType = nullptr;
  std::array<controls::Command*, 3> bFont{};
  HWND tooltip = nullptr;  // the tooltip window that carries bType's tip
  FrmMenu* menu = nullptr;
  std::function<void(const std::wstring&)> setTitle;  // Label1's caption
};

class TrayAndModes final : public foundation::ITrayMessageHandler {
 public:
  explicit TrayAndModes(TitleStripParts parts);

  // Registers "TaskbarCreated", puts the tray procedure on the panel window and adds the icon.
  void StartTray();
  // Takes the tray procedure off again, then deletes the icon.
  void StopTray();

  LRESULT WndProcTrayIcon(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;

  void EnterStandAloneMode(bool placeWindow, bool saveSetting);
  void EnterDockingMode(bool saveSetting, bool hideWindow);
  // The mode the options ask for at start-up; the stand-alone window is shown first.
  void EnterStartMode(bool standAlone);

  void bType_Click();
  void bExit_Click();
  void bFont_Click(int index);
  void Image1_Click();

  // Presses and releases on the panel's own surface (client pixels): the
  // background and the title drag the stand-alone window and save where it
  // went; the logo picture drags it without saving, or pops up the main menu
  // when clicked in docking mode.
  void MouseDown(POINT at);
  void MouseUp(POINT at, bool leftButton);

 private:
  void SetTypeTip(const wchar_t* text);
  // Above the highest monitor: out of sight on every one of them.
  void HideAboveDesktop();
  void SetTop(int top);
  void SetHeight(int height);
  void DragAndSave();
  RECT PanelRect() const;
  POINT ScreenPoint(int x, int y) const;

  TitleStripParts parts_;
  UINT taskbarCreatedMsg_ = 0;
  bool tipAdded_ = false;
  bool image1Pressed_ = false;
};

}  // namespace panel
