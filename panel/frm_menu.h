// FrmMenu: the hidden window that carries every pop-up menu of the panel:
// Menu (the main menu), mLang (the input modes) and mSet (the emoticon menu),
// with their check marks and the handlers of their items. Created once at
// start-up, never shown, closed with every other window at exit.
#pragma once
#include <windows.h>

#include <functional>

#include "foundation/handles.h"
#include "foundation/window_base.h"

namespace panel {

inline constexpr wchar_t kMenuFormClass[] = L"TarnwickMenuForm";
inline constexpr wchar_t kMenuFormCaption[] = L"Form1";

// What the items do outside the menus; the panel window supplies it.
struct MenuActions {
  std::function<void()> enterDockingMode;     // mEnabled
  std::function<void()> enterStandAloneMode;  // mDuLi
  std::function<void()> stopDocking;          // mExit, before every window closes
  std::function<void(int)> showModeButton;    // mTypeClick: the input-mode button of that mode alone
  std::function<void()> addFace, loadDir, killFace;
  std::function<void()> showNewType, showType, showMove, showCopy;
  HWND boxOwner = nullptr;  // the window its message boxes belong to (the panel)
};

class FrmMenu : public foundation::WindowBase {
 public:
  explicit FrmMenu(MenuActions actions);
  ~FrmMenu() override;

  // Creates the hidden window and its menus; false when it can't be made.
  bool Create();

  HMENU Menu() const { return menu_; }
  HMENU LangMenu() const { return lang_; }
  HMENU SetMenu() const { return set_; }

  // Pops up one of the menus at a screen point on behalf of owner and runs
  // the item chosen (nothing when the menu is dismissed).
  void Popup(HMENU menu, HWND owner, int x, int y, UINT flags);
  // Runs the handler of one item.
  void Choose(UINT id);

  // Selects the typed-text conversion mode: 0, 1 or 2 shows its button, sets
  // the mode and moves the check mark; every index is written to Input.
  void mTypeClick(int index);

  void SetAutoRunChecked(bool checked);
  // mDuLi checked and mEnabled unchecked for stand-alone, the other way round for docking.
  void SetWindowModeChecks(bool standAlone);
  bool IsChecked(UINT id) const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void mAutoRun_Click();
  void mTypeGuanLi_Click();
  void mExit_Click();
  void SetChecked(UINT id, bool checked);

  MenuActions actions_;
  foundation::UniqueMenu bar_;  // owns the three pop-ups
  HMENU menu_ = nullptr, lang_ = nullptr, set_ = nullptr;
};

}  // namespace panel
