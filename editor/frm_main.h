// Frmmain, the editor's main window ("Wrenlow"): the category strip on the
// left, the paged grid of 50 cells on the right with its page label, paging
// buttons and the "全选"/"全否" links, and the nine buttons of the operations.
// The other windows read the current category and the selection here and call
// LoadType and LoadFace.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "controls/command.h"
#include "controls/qq_button.h"
#include "editor/category_strip.h"
#include "editor/face_grid.h"
#include "foundation/window_base.h"

namespace editor {

class FrmNew;
class FrmTransfer;

class Frmmain : public foundation::WindowBase {
 public:
  Frmmain();
  ~Frmmain() override;

  // Creates the window, runs its start-up and shows it; false when the
  // program cannot go on (the reason was shown).
  bool Show();

  // The category shown ("" when the library has none).
  const std::wstring& CurrentCategory() const { return currentCategory_; }
  FaceGrid& Grid() { return grid_; }
  // The captions of the category buttons, in strip order.
  std::vector<std::wstring> CategoryNames() const;

  // Rebuilds the category buttons from the library and shows the first category.
  void LoadType();
  // Lists a category and draws its first page (straight from the files).
  void LoadFace(const std::wstring& category);
  // Draws one page of the current category (through the thumbnail cache).
  void ShowPage(int page);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  HWND AddStatic(int id, const wchar_t* text, DWORD style, int x, int y, int width, int height);
  void PaintFrame();
  void Form_Load();
  void Form_Unload();
  void EnableCategoryButtons(bool haveCategory);

  void TypeList_Click(int index);
  void PicF_Click(int index);
  void Command1_Click();
  void Command2_Click();
  void Label1_Click();
  void Label3_Click();
  void OnButton(int id);
  void ShowTransferDialog(bool move);

  CategoryStrip strip_;
  FaceGrid grid_;
  controls::Box gridBox_;
  std::array<controls::QQButton, 9> buttons_;
  controls::Command previous_, next_;
  HWND pageLabel_ = nullptr;

  std::wstring currentCategory_;
  int pageNo_ = 1;
  std::vector<std::wstring> names_;  // List3: the files of the current category
  ULONG_PTR gdiplusToken_ = 0;
  bool unloaded_ = false;

  std::unique_ptr<FrmNew> frmNew_;
  std::unique_ptr<FrmTransfer> frmCopy_, frmMove_;
};

}  // namespace editor
