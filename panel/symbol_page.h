// The panel's text-symbol page (its third tab page): the symbol category list
// Combo2, 40 text cells PicT two to a row in a scrolled container, the page
// buttons Command1 (previous) and Command4 (next) and the page label Label5
// on the status strip. A click on a symbol pastes its text into the chat; a
// right click also presses the chat's send button.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/box.h"
#include "controls/xp_vscrollbar.h"
#include "foundation/handles.h"
#include "panel/face_grid.h"
#include "panel/panel_buttons.h"

namespace panel {

// Child window ids of the page's own controls.
enum SymbolPageControlId : int {
  kIdCommand1 = 1101,  // previous page
  kIdCommand4 = 1104,  // next page
  kIdLabel5 = 1305,    // "第N页/共M页"
  kIdPicT = 1401,      // the symbol cells
};

// A symbol category loaded from FHList: one "text|Split|desc" entry per row and
// an empty entry marking the end.
struct SymbolList {
  std::vector<std::wstring> entries;
  long count = 0;
  int page = 1;
};

inline constexpr int kSymbolCategories = 3;

class SymbolPage {
 public:
  // Where the page's controls go: the window that owns the clipboard, the
  // viewport of the page's frame (Picture3), its status strip and its width,
  // the category list and the scroll bar (Scroll2).
  struct Places {
    HWND owner;
    HWND viewport;
    controls::Box* statusStrip;
    int statusWidth;
    HWND combo;
    controls::XpVScrollBar* scroll;
  };
  void Create(const Places& places, const controls::AmbientProperties& ambient);
  // The status strip's width changed.
  void Layout(int statusWidth);
  // The background of the page label on the strip (its WM_CTLCOLORSTATIC
  // answer); nullptr for another control.
  HBRUSH LabelBackground(HWND control, HDC dc);

  // Start-up: every category on page 1, then the three FHList queries; a
  // category whose query gives no rows keeps the list it had.
  void ResetPages();
  void LoadAllCategories();

  // Events of the page's controls.
  void Combo2_Click();
  void Command1_Click();
  void Command4_Click();
  // Shows a page of the category selected in Combo2 and updates Label5.
  void ShowPage2(int page);

  int CurrentPage(int category) const { return lists_[static_cast<size_t>(category)].page; }
  FaceGrid& Grid() { return picT_; }

 private:
  // Runs the category's FHList query; false when it could not run. An empty
  // result replaces the list unless keepWhenEmpty.
  bool QueryCategory(int category, bool keepWhenEmpty);
  // Combo2's ListIndex, or -1 when no category is selected.
  int SelectedCategory() const;
  void PicT_MouseDown(int index, int16_t button);

  HWND owner_ = nullptr;
  HWND combo_ = nullptr;
  HWND label5_ = nullptr;
  controls::Box* strip_ = nullptr;
  foundation::UniqueBrush labelBrush_;
  COLORREF labelBrushColor_ = CLR_INVALID;
  controls::XpVScrollBar* scroll_ = nullptr;
  FaceGrid picT_;
  PageButtons buttons_;
  foundation::UniqueFont font_;
  std::array<SymbolList, kSymbolCategories> lists_;
};

}  // namespace panel
