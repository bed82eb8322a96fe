#include "editor/frm_main.h"

#include <algorithm>

#include "editor/category_ops.h"
#include "editor/core/control_ids.h"
#include "editor/core/editor_texts.h"
#include "editor/core/page_text.h"
#include "editor/core/picture_names.h"
#include "editor/dialog_window.h"
#include "editor/editor_art.h"
#include "editor/editor_library.h"
#include "editor/emoticon_ops.h"
#include "editor/frm_new.h"
#include "editor/frm_transfer.h"
#include "editor/rar_import.h"
#include "foundation/app_path.h"
#include "foundation/file_ops.h"
#include "foundation/gdiplus_image.h"
#include "foundation/handles.h"
#include "foundation/message_box.h"
#include "foundation/ole_color.h"
#include "foundation/program_icon.h"
#include "foundation/thumbnail_cache.h"
#include "foundation/window_utils.h"

namespace editor {
namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kClientWidth = 621;
constexpr int kClientHeight = 320;

// Box1 and Box2: the window colour inside a brown-grey line.
constexpr uint32_t kBoxLineColor = 0xB99D7Fu;
constexpr COLORREF kLinkColor = RGB(0, 0, 0xFF);
// Frame1, drawn by the window itself: a child group box would leave its inside
// unpainted under a window that clips its children.
constexpr RECT kCategoryFrame = {8, 6, 160, 278};

struct ButtonPlace {
  int id;
  const wchar_t* caption;
};
// QQButton1 .. QQButton9.
constexpr std::array<ButtonPlace, 9> kButtons = {{
    {kIdAddCategory, kAddCategoryCaption},
    {kIdDeleteCategory, kDeleteCategoryCaption},
    {kIdExit, kExitCaption},
    {kIdCopyFaces, kCopyCaption},
    {kIdMoveFaces, kMoveCaption},
    {kIdDeleteFaces, kDeleteFacesCaption},
    {kIdAddFace, kAddFaceCaption},
    {kIdImportFolder, kImportFolderCaption},
    {kIdImportRar, kImportRarCaption},
}};
constexpr int kButtonTop = 286, kButtonWidth = 64, kButtonHeight = 25, kButtonGap = 4, kButtonLeft = 8;

controls::PropertyBag BoxBag() {
  controls::PropertyBag bag;
  bag.Write(L"BackColor", controls::ColorToLong(foundation::kOleWindowColor));
  bag.Write(L"LineColor", controls::ColorToLong(kBoxLineColor));
  return bag;
}

controls::PropertyBag PageButtonBag(bool next) {
  controls::PropertyBag bag;
  bag.Write(L"Enabled", true);
  bag.Write(L"Picture", PageButtonStrip(next, 20, 18));
  return bag;
}

}  // namespace

Frmmain::Frmmain() = default;
Frmmain::~Frmmain() = default;

bool Frmmain::Show() {
  foundation::WindowClassInfo cls{kMainWindowClass, 0};
  cls.background = ::GetSysColorBrush(COLOR_BTNFACE);
  cls.icon = foundation::LoadProgramIcon(32);
  cls.smallIcon = foundation::LoadProgramIcon(16);
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRect(&frame, kMainStyle, FALSE);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int x = std::max(0, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int y = std::max(0, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  if (!CreateWindowObject(cls, 0, kMainStyle, kMainCaption, x, y, width, height, nullptr, nullptr)) return false;
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(cls.smallIcon));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(cls.icon));
  CreateControls();
  Form_Load();
  if (unloaded_) return false;
  ::ShowWindow(hwnd(), SW_SHOW);
  ::UpdateWindow(hwnd());
  return true;
}

HWND Frmmain::AddStatic(int id, const wchar_t* text, DWORD style, int x, int y, int width, int height) {
  HWND h = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(EditorFont()), FALSE);
  return h;
}

void Frmmain::CreateControls() {
  HWND h = hwnd();
  strip_.Create(h, 16, 28, 114, 240);
  strip_.ButtonClick = [this](int i) { TypeList_Click(i); };

  const controls::PropertyBag boxBag = BoxBag();
  gridBox_.Create(h, kIdGridBox, 168, 12, 445, 225, &boxBag);
  grid_.Create(gridBox_.hwnd(), 2, 2);
  grid_.CellClick = [this](int i) { PicF_Click(i); };

  pageLabel_ = AddStatic(kIdPageLabel, kInitialPageLabel, SS_LEFT, 168, 246, 200, 16);
  const controls::PropertyBag previousBag = PageButtonBag(false), nextBag = PageButtonBag(true);
  previous_.Create(h, kIdPreviousPage, 486, 243, 20, 18, &previousBag);
  next_.Create(h, kIdNextPage, 510, 243, 20, 18, &nextBag);
  previous_.Click = [this] { Command1_Click(); };
  next_.Click = [this] { Command2_Click(); };
  AddStatic(kIdSelectAll, kSelectAllLink, SS_LEFT | SS_NOTIFY, 548, 246, 26, 14);
  AddStatic(kIdSelectNone, kSelectNoneLink, SS_LEFT | SS_NOTIFY, 584, 246, 26, 14);

  for (size_t i = 0; i < kButtons.size(); ++i) {
    controls::PropertyBag bag;
    bag.Write(L"Caption", std::wstring(kButtons[i].caption));
    controls::QQButton& b = buttons_[i];
    b.Create(h, kButtons[i].id, kButtonLeft + static_cast<int>(i) * (kButtonWidth + kButtonGap), kButtonTop,
             kButtonWidth, kButtonHeight, &bag);
    ::SetWindowTextW(b.hwnd(), kButtons[i].caption);
    const int id = kButtons[i].id;
    b.Click = [this, id] { OnButton(id); };
  }
}

void Frmmain::PaintFrame() {
  foundation::PaintDc paint(hwnd());
  HDC dc = paint.get();
  foundation::SelectionGuard font(dc, EditorFont());
  SIZE text{};
  ::GetTextExtentPoint32W(dc, kCategoryFrameCaption, static_cast<int>(::wcslen(kCategoryFrameCaption)), &text);
  RECT edge = kCategoryFrame;
  edge.top += text.cy / 2;
  ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
  ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
  ::SetBkMode(dc, OPAQUE);
  ::TextOutW(dc, kCategoryFrame.left + 8, kCategoryFrame.top, kCategoryFrameCaption,
             static_cast<int>(::wcslen(kCategoryFrameCaption)));
}

void Frmmain::Form_Load() {
  pageNo_ = 1;
  foundation::OpenThumbnailStore();
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  if (Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr) != Gdiplus::Ok) {
    gdiplusToken_ = 0;
    foundation::ShowMessage(nullptr, kStartupFailed, foundation::ExeName(), MB_ICONSTOP | MB_OK);
    unloaded_ = true;
    return;
  }
  grid_.ClearSelection();
  LoadType();
}

void Frmmain::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  for (DialogWindow* d : {static_cast<DialogWindow*>(frmNew_.get()), static_cast<DialogWindow*>(frmCopy_.get()),
                          static_cast<DialogWindow*>(frmMove_.get())}) {
    if (d) d->Close();
  }
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
  gdiplusToken_ = 0;
}

std::vector<std::wstring> Frmmain::CategoryNames() const {
  std::vector<std::wstring> names;
  for (int i = 0; i < strip_.Count(); ++i) names.push_back(strip_.Caption(i));
  return names;
}

void Frmmain::EnableCategoryButtons(bool haveCategory) {
  for (size_t i = 0; i < kButtons.size(); ++i) {
    const int id = kButtons[i].id;
    // Adding a category, importing a pack and leaving need no category.
    if (id == kIdAddCategory || id == kIdImportRar || id == kIdExit) continue;
    buttons_[i].SetEnabled(haveCategory);
  }
  previous_.SetEnabled(haveCategory);
  next_.SetEnabled(haveCategory);
}

void Frmmain::LoadType() {
  const std::vector<std::wstring> names = ListCategories();
  strip_.Rebuild(names);
  if (names.empty()) {
    // Nothing to show: an empty grid, and only what needs no category stays usable.
    currentCategory_.clear();
    names_.clear();
    pageNo_ = 1;
    grid_.ClearSelection();
    grid_.ClearCells();
    ::SetWindowTextW(pageLabel_, PageLabel(1, 0).c_str());
    EnableCategoryButtons(false);
    return;
  }
  EnableCategoryButtons(true);
  strip_.Select(0);
  currentCategory_ = names[0];
  LoadFace(currentCategory_);
}

void Frmmain::LoadFace(const std::wstring& category) {
  const std::wstring folder = CategoryFolder(category);
  if (!foundation::FolderExists(folder)) {
    grid_.ClearCells();
    return;
  }
  Label3_Click();
  pageNo_ = 1;
  // A category that is a link is shown empty: the library never walks out of Face.
  names_ = foundation::IsLink(folder) ? std::vector<std::wstring>{} : ListFiles(folder, kGridExtensions);
  grid_.ClearCells();
  const int shown = std::min<int>(static_cast<int>(names_.size()), kCellCount);
  for (int i = 0; i < shown; ++i) {
    const std::wstring path = folder + L"\\" + names_[static_cast<size_t>(i)];
    grid_.Cell(i).DrawFitted(path);
    grid_.Cell(i).SetTag(path);
  }
  ::SetWindowTextW(pageLabel_, PageLabel(1, static_cast<int>(names_.size())).c_str());
}

void Frmmain::ShowPage(int page) {
  const int count = static_cast<int>(names_.size());
  if (count < 1) return;
  grid_.ClearSelection();
  const PageSpan span = PageFiles(page, count);
  grid_.ClearCells();
  const std::wstring folder = CategoryFolder(currentCategory_);
  foundation::ThumbnailBatch batch(foundation::ProgramThumbnailStore());
  for (int i = span.first; i < span.end; ++i) {
    const std::wstring path = folder + L"\\" + names_[static_cast<size_t>(i)];
    FaceCell& cell = grid_.Cell(i - span.first);
    cell.DrawThumbnail(path);
    cell.SetTag(path);
  }
  ::SetWindowTextW(pageLabel_, PageLabel(page, count).c_str());
}

void Frmmain::TypeList_Click(int index) {
  grid_.ClearSelection();
  strip_.Select(index);
  currentCategory_ = strip_.Caption(index);
  LoadFace(currentCategory_);
}

void Frmmain::PicF_Click(int index) { grid_.Cell(index).SetSelected(!grid_.Cell(index).Selected()); }

void Frmmain::Command1_Click() {
  if (pageNo_ > 1) ShowPage(--pageNo_);
}

void Frmmain::Command2_Click() {
  if (pageNo_ < PageCount(static_cast<int>(names_.size()))) ShowPage(++pageNo_);
}

void Frmmain::Label1_Click() { grid_.SelectCellsWithFiles(); }

void Frmmain::Label3_Click() { grid_.ClearSelection(); }

void Frmmain::ShowTransferDialog(bool move) {
  std::unique_ptr<FrmTransfer>& dialog = move ? frmMove_ : frmCopy_;
  if (dialog && dialog->IsOpen()) {
    ::SetForegroundWindow(dialog->hwnd());
    return;
  }
  if (grid_.FirstSelected() < 0) {
    foundation::ShowMessage(hwnd(), move ? kSelectFacesToMove : kSelectFacesToCopy, foundation::kMessageTitle,
                            foundation::kBoxInfo);
    return;
  }
  dialog = std::make_unique<FrmTransfer>(*this, move);
  dialog->Show();
}

void Frmmain::OnButton(int id) {
  switch (id) {
    case kIdAddCategory:
      if (frmNew_ && frmNew_->IsOpen()) {
        ::SetForegroundWindow(frmNew_->hwnd());
      } else {
        frmNew_ = std::make_unique<FrmNew>(*this);
        frmNew_->Show();
      }
      break;
    case kIdDeleteCategory: DeleteCurrentCategory(*this); break;
    case kIdExit: foundation::UnloadAllForms(); break;
    case kIdCopyFaces: ShowTransferDialog(false); break;
    case kIdMoveFaces: ShowTransferDialog(true); break;
    case kIdDeleteFaces: KillFace(*this); break;
    case kIdAddFace: AddFace(*this); break;
    case kIdImportFolder: LoadDir(*this); break;
    case kIdImportRar: ImportRarPack(*this); break;
    default: break;
  }
}

LRESULT Frmmain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wParam) == STN_CLICKED) {
        if (LOWORD(wParam) == kIdSelectAll) Label1_Click();
        if (LOWORD(wParam) == kIdSelectNone) Label3_Click();
      }
      return 0;
    case WM_CTLCOLORSTATIC: {
      const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      if (id == kIdSelectAll || id == kIdSelectNone) ::SetTextColor(dc, kLinkColor);
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SETCURSOR: {
      const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
      if (id == kIdSelectAll || id == kIdSelectNone) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_PAINT:
      PaintFrame();
      return 0;
    case WM_CLOSE:
      Form_Unload();
      ::DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      Form_Unload();
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return WindowBase::HandleMessage(msg, wParam, lParam);
}

}  // namespace editor
