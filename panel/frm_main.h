// Frmmain, the panel window: a frameless, skinned popup that docks against the
// QQ chat window in front (or floats), shows the emoticon library as grids of
// thumbnails and pastes a clicked emoticon into the chat.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/box.h"
#include "controls/command.h"
#include "controls/xp_vscrollbar.h"
#include "controls/back_surface.h"
#include "foundation/core/chat_window_list.h"
#include "foundation/flat_control.h"
#include "foundation/magnetic_wnd.h"
#include "foundation/window_base.h"
#include "panel/core/combo_pick.h"
#include "panel/core/docking_tick.h"
#include "panel/face_grid.h"
#include "panel/frm_menu.h"
#include "panel/hover_preview.h"
#include "panel/library_dialogs.h"
#include "panel/library_maintenance.h"
#include "panel/panel_buttons.h"
#include "panel/panel_config.h"
#include "panel/panel_library_host.h"
#include "panel/panel_state.h"
#include "panel/plain_panel.h"
#include "panel/stand_in_browser.h"
#include "panel/symbol_page.h"
#include "panel/tab_strip.h"
#include "panel/tray_and_modes.h"
#include "panel/win32_docking_desktop.h"

namespace panel {

// Child window ids of Frmmain.
enum PanelControlId : int {
  kIdCombo1 = 1001,
  kIdCombo2 = 1002,
  kIdCombo3 = 1003,
  kIdCommand2 = 1102,  // hidden: grid reset
  kIdCommand3 = 1103,  // hidden: emoticon reload (the editor clicks it)
  kIdCommand7 = 1107,  // hidden: category reload (the editor clicks it)
};

// Timers of Frmmain.
inline constexpr UINT_PTR kTimerDocking = 2;    // Timer2
inline constexpr UINT_PTR kTimerMemory = 3;     // Timer3
inline constexpr UINT_PTR kTimerReload = 4;     // Timer4, one shot
inline constexpr UINT kDockingIntervalMs = 1;
inline constexpr UINT kMemoryIntervalMs = 100;
inline constexpr UINT kReloadIntervalMs = 1;

class Frmmain : public foundation::WindowBase {
 public:
  struct Seams {
    std::function<bool()> isWin2003;  // the Windows version test of the send road
  };
  Frmmain();
  explicit Frmmain(Seams seams);
  ~Frmmain() override;

  // Creates the window and its controls, runs Form_Load and shows the window
  // (modeless). Throws foundation::ProgramError when the window can't be made.
  void Show();

  // Public methods other windows use.
  void LoadType();
  bool LoadFace(const std::wstring& category);
  bool LoadFace2(const std::wstring& category);
  void ShowPage3(int page);
  bool CheckQQWin(HWND hwnd) const;

  // What tests and later windows read.
  FaceGrid& MainGrid() { return picF_; }
  FaceGrid& ManagementGrid() { return picE_; }
  HWND Command3Handle() const { return command3_; }
  HWND Command7Handle() const { return command7_; }
  std::wstring Combo1Text() const;
  std::vector<std::wstring> Combo1Items() const;
  std::wstring Combo3Text() const;
  int ManagementPage() const { return facePage_; }
  int ManagementCount() const { return static_cast<int>(faceNames_.size()); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Page {
    PlainPanel pic;
    controls::Box box;
    controls::Box status;
    HWND combo = nullptr;
    ComboPick comboPick;
    PlainPanel viewport;
    controls::XpVScrollBar scroll;
  };

  void CreateControls();
  // A pick in one of the pages' lists, the item already chosen included.
  void ComboPicked(int id);
  // Selects an item of a page's list and shows it, as a pick of it does.
  void SelectFromCode(Page& page, int index);
  void Form_Load();
  void Form_Unload();
  void Form_Resize();
  void DrawSkin();
  void LoadConversionTables();
  void CreateMenusAndModes();

  void Timer2_Timer();
  void Timer3_Timer();
  void Timer4_Timer();
  void Combo1_Click();
  void Combo3_Click();
  void Command2_Click();
  void Command3_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void PicF_MouseDown(int index, int16_t button);
  void PicE_MouseDown(int index, int16_t button);
  bool CopyPictureForChat(const std::wstring& path);
  void Web_DocumentComplete(const std::wstring& url, int readyState);
  void ResetMainGridScroll();
  void ApplyScrollState(Page& page, FaceGrid& content);

  Seams seams_;
  controls::BackSurface skin_;  // the painted skin (DrawSkin)
  std::wstring title_;          // Label1's caption
  std::unique_ptr<controls::Command> bExit_, bType_;
  std::array<std::unique_ptr<controls::Command>, 3> tabs_, bFont_;
  PageButtons facePaging_;  // Command5, Command6
  HWND tooltip_ = nullptr;
  std::array<Page, 3> pages_;
  FaceGrid picF_, picE_;
  HoverPreview preview_;
  SymbolPage symbolPage_;
  HWND label3_ = nullptr;
  HWND command2_ = nullptr, command3_ = nullptr, command7_ = nullptr;
  StandInBrowser web_;
  bool pageComplete_ = false;

  foundation::ChatWindowList chatWindows_;  // ListView1
  foundation::FlatControlList flatControls_;
  std::unique_ptr<foundation::cMagneticWnd> magneticWnd_;
  std::unique_ptr<Win32DockingDesktop> desktop_;
  std::unique_ptr<DockingLoop> docking_;
  ULONG_PTR gdiplusToken_ = 0;
  std::wstring btzRow3_;
  std::vector<std::wstring> btzRow8_;
  std::wstring dbValue_;
  std::vector<std::wstring> faceNames_;  // the management grid's category listing
  int facePage_ = 1;
  std::unique_ptr<FrmMenu> menu_;
  std::unique_ptr<TrayAndModes> modes_;
  std::unique_ptr<TabStrip> tabStrip_;
  PanelLibraryHost libraryHost_{*this};
  LibraryMaintenance library_{libraryHost_, SystemPrompts()};
  LibraryDialogs dialogs_{libraryHost_};
  bool unloaded_ = false;
};

// Main's showing of the panel: creates Frmmain for the process.
void ShowMainWindow();

}  // namespace panel
