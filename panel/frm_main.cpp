#include "panel/frm_main.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls/drawing.h"
#include "controls/picture.h"
#include "foundation/app_path.h"
#include "foundation/auto_run.h"
#include "foundation/core/rounding.h"
#include "foundation/file_ops.h"
#include "foundation/gdiplus_image.h"
#include "foundation/ini_file.h"
#include "foundation/input_hook.h"
#include "foundation/message_box.h"
#include "foundation/mod_data.h"
#include "foundation/program_icon.h"
#include "foundation/registry.h"
#include "foundation/thumbnail_cache.h"
#include "foundation/window_utils.h"
#include "foundation/windows_version.h"
#include "foundation/ansi_text.h"
#include "foundation/chat_windows.h"
#include "foundation/text_compare.h"
#include "panel/core/config_values.h"
#include "panel/core/desktop_layout.h"
#include "panel/core/page_math.h"
#include "panel/core/panel_layout.h"
#include "panel/core/temp_page.h"
#include "panel/desktop_monitors.h"
#include "panel/frm_down_face.h"
#include "panel/library_listing.h"
#include "panel/panel_art.h"
#include "panel/picture_clipboard.h"
#include "panel/send_to_chat.h"

namespace panel {

namespace {

constexpr wchar_t kClassName[] = L"TarnwickPanel";
constexpr int kDesignWidth = 257;     // pixels; the minimum width holds it there
constexpr int kDesignHeight = 533;    // 8000 twips
constexpr int kViewportWidth = 221;   // 3310 twips
constexpr int kViewportOffset = 2;    // 30 twips
constexpr int kScrollLeft = 223;      // 3350 twips
constexpr int kScrollTop = 1;         // 10 twips
constexpr int kScrollWidth = 17;      // 255 twips
constexpr int kManagementHeight = 441;  // Picture9: 6615 twips
constexpr int kPageWait2003Ms = 5000;

// A bare name: the profile functions put it in the Windows folder.
constexpr wchar_t kLocationRecordFile[] = L"VAZidi.ini";
constexpr wchar_t kBtzMissing[] = L"数据出错,请重新安装Sorvane！";
constexpr wchar_t kStartupFailed[] = L"初始化时发生错误！";
constexpr wchar_t kEmptyCategory[] = L"该分类下还没有任何表情";

// OLE colours of the tab area (&HBBGGRR).
constexpr uint32_t kOleGrey = 0xE0E0E0u;
constexpr uint32_t kOleLightBlue = 0xFFCD77u;
COLORREF Ole(uint32_t c) { return static_cast<COLORREF>(c); }

// The decimal text of a window handle, as the editor reads it back (signed 32 bits).
std::wstring HandleText(HWND h) {
  return foundation::Int32ToText(static_cast<int32_t>(reinterpret_cast<intptr_t>(h)));
}

std::vector<std::wstring> SplitCrLf(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (size_t p; (p = text.find(L"\r\n", start)) != std::wstring::npos; start = p + 2)
    lines.push_back(text.substr(start, p - start));
  lines.push_back(text.substr(start));
  return lines;
}

std::wstring ComboItem(HWND combo, LRESULT i) {
  if (i < 0) return {};
  const LRESULT n = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
  if (n < 0) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n));
  return s;
}

std::wstring ComboText(HWND combo) { return ComboItem(combo, ::SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

// Runs one start-up step; a failing step is skipped and the next one runs.
template <class F>
void Step(F&& f) {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

Frmmain::Frmmain() : Frmmain(Seams{}) {}

Frmmain::Frmmain(Seams seams) : seams_(std::move(seams)) {
  if (!seams_.isWin2003) seams_.isWin2003 = foundation::IsWin2003;
}

Frmmain::~Frmmain() = default;

void Frmmain::Show() {
  foundation::WindowClassInfo cls{kClassName};
  cls.icon = foundation::LoadProgramIcon(32);
  cls.smallIcon = foundation::LoadProgramIcon(16);
  if (!CreateWindowObject(cls, WS_EX_TOOLWINDOW, WS_POPUP | WS_CLIPCHILDREN, L"Tarnwick", 0, HiddenTop(kDesignHeight),
                          kDesignWidth, kDesignHeight, nullptr, nullptr)) {
    throw foundation::ProgramError(7, foundation::ExeName(), L"Out of memory");
  }
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(cls.smallIcon));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(cls.icon));
  CreateControls();
  Form_Load();
  if (!::IsWindowVisible(hwnd())) ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

void Frmmain::CreateControls() {
  HWND h = hwnd();
  controls::AmbientProperties ambient;
  const int frame = 20;
  bExit_ = MakeCommand(h, kDesignWidth - 36, 0, 31, frame,
                       CommandBag(L"", ButtonStrip(StripKind::kClose, 31, frame, false), false, false), ambient);
  bType_ = MakeCommand(h, kDesignWidth - 68, 0, 31, frame,
                       CommandBag(L"", ButtonStrip(StripKind::kPin, 31, frame, true), true, false), ambient);
  const std::array<int, 3> tabLeft{6, 51, 96}, tabWidth{45, 45, 61};
  const std::array<const wchar_t*, 3> tabCaption{L"表情", L"管理", L"字符"};
  for (size_t i = 0; i < 3; ++i) {
    tabs_[i] = MakeCommand(
        h, tabLeft[i], 26, tabWidth[i], frame,
        CommandBag(tabCaption[i], ButtonStrip(StripKind::kTab, tabWidth[i], frame, true), true, i == 0), ambient);
  }
  const std::array<const wchar_t*, 3> fontCaption{L"简体", L"繁体", L"火星"};
  for (size_t i = 0; i < 3; ++i) {
    bFont_[i] = MakeCommand(h, 157, 26, 47, frame,
                            CommandBag(fontCaption[i], ButtonStrip(StripKind::kPlain, 47, frame, false), false, false),
                            ambient);
  }

  tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, h,
                               nullptr, ::GetModuleHandleW(nullptr), nullptr);

  static foundation::UniqueFont listFont(
      ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
  const PanelLayout layout = ComputePanelLayout(kDesignWidth, kDesignHeight);
  const std::array<int, 3> comboIds{kIdCombo1, kIdCombo3, kIdCombo2};
  for (size_t i = 0; i < 3; ++i) {
    Page& p = pages_[i];
    const PageLayout& l = layout.pages[i];
    p.pic.Create(h, l.page.x, l.page.y, l.page.w, l.page.h, Ole(kOleLightBlue), i == 0);
    p.pic.SetLabel(i == 2 ? L"字符分类：" : L"表情分类：", 4, 7, RGB(0x10, 0x40, 0x80));
    p.box.Create(p.pic.hwnd(), 0, l.frame.x, l.frame.y, l.frame.w, l.frame.h);
    p.status.Create(p.pic.hwnd(), 0, l.statusStrip.x, l.statusStrip.y, l.statusStrip.w, l.statusStrip.h);
    p.combo = ::CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, 66, 4,
                                l.listWidth, 200, p.pic.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(comboIds[i])),
                                ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(p.combo, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), TRUE);
    p.viewport.Create(p.box.hwnd(), kViewportOffset, kViewportOffset, kViewportWidth, l.viewportTwips / 15,
                      RGB(0xFF, 0xFF, 0xFF));
    p.scroll.Create(p.box.hwnd(), 0, kScrollLeft, kScrollTop, kScrollWidth, l.scrollTwips / 15);
  }
  // Page 2's symbol list is fixed at design time.
  for (const wchar_t* name : {L"表情", L"动物&物品", L"特殊符号"})
    ::SendMessageW(pages_[2].combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));

  GridLook mainLook;
  mainLook.keepPictures = true;
  mainLook.activatesPanel = false;
  picF_.Create(pages_[0].viewport.hwnd(), 0, 0, kViewportWidth, 1, Ole(kOleGrey), mainLook);
  picF_.SetCells({POINT{TwipsToPixels(kCellOriginTwips), TwipsToPixels(kCellOriginTwips)}}, kCellPixels + 2);
  picF_.CellMouseDown = [this](int i, int16_t b) { PicF_MouseDown(i, b); };
  picF_.CellMouseMove = [this](int i) {
    picF_.SetFramedCell(i);
    preview_.ShowCell(i, picF_.Tag(i));
  };

  picE_.Create(pages_[1].viewport.hwnd(), 0, 0, kViewportWidth, kManagementHeight, Ole(kOleGrey));
  std::vector<POINT> corners;
  for (int k = 0; k < kFacesPerPage; ++k)
    corners.push_back({TwipsToPixels(10 + 660 * (k % 5)), TwipsToPixels(10 + 660 * (k / 5))});
  picE_.SetCells(corners, kManagementHeight);
  picE_.CellMouseDown = [this](int i, int16_t b) { PicE_MouseDown(i, b); };
  picE_.CellMouseMove = [this](int i) { picE_.SetFramedCell(i); };

  label3_ = ::CreateWindowExW(0, L"STATIC", kEmptyCategory, WS_CHILD | SS_LEFT, 48, 120, 160, 16,
                              pages_[0].box.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(label3_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), TRUE);

  // Page 1's paging buttons sit on its status strip.
  facePaging_.Create(pages_[1].status.hwnd(), layout.pages[1].statusStrip.w, ambient);
  facePaging_.previous->Click = [this] { Command5_Click(); };
  facePaging_.next->Click = [this] { Command6_Click(); };

  symbolPage_.Create({h, pages_[2].viewport.hwnd(), &pages_[2].status, layout.pages[2].statusStrip.w,
                      pages_[2].combo, &pages_[2].scroll},
                     ambient);
  preview_.Create(pages_[0].box.hwnd());
  // Leaving the grid area for the window, a tab page or the main grid's scroll bar hides the preview.
  for (Page& p : pages_) p.pic.MouseMove = [this] { preview_.Hide(); };
  pages_[0].scroll.MouseMove = [this](int16_t, int16_t, float, float) { preview_.Hide(); };

  // Hidden standard push buttons; a 0 x 0 button would not receive a
  // BM_CLICK sent from another process.
  auto hiddenButton = [&](int id) {
    return ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_PUSHBUTTON, 0, 0, 1, 1, h,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  };
  command2_ = hiddenButton(kIdCommand2);
  command3_ = hiddenButton(kIdCommand3);
  command7_ = hiddenButton(kIdCommand7);

  pages_[0].scroll.Change = pages_[0].scroll.Scroll = [this] { picF_.SetTop(-pages_[0].scroll.GetValue()); };
  pages_[1].scroll.Change = pages_[1].scroll.Scroll = [this] { picE_.SetTop(-pages_[1].scroll.GetValue()); };

  web_.Create();
  web_.DocumentComplete = [this](const std::wstring& url, int state) { Web_DocumentComplete(url, state); };
}

void Frmmain::Form_Load() {
  HWND h = hwnd();
  foundation::ClearError();
  // Parked out of sight until the docking loop or the stand-alone mode places it.
  Step([&] {
    RECT r;
    ::GetWindowRect(h, &r);
    ::SetWindowPos(h, nullptr, r.left, HiddenTop(r.bottom - r.top), 0, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  });
  Step([&] { preview_.Refresh(); });
  Step([&] { foundation::MakeControlsFlat(h, flatControls_); });
  symbolPage_.ResetPages();
  facePage_ = 1;

  const std::wstring programPath = foundation::AutoRunProgramPath();
  Step([&] {
    if (ReadConfig(L"First") != L"1") {
      // Quietly: a first start that can't register is not retried, and the
      // check mark shows how it went.
      foundation::RegisterAutoRun(programPath);
      WriteConfig(L"First", L"1");
    }
  });
  Step([&] { CreateMenusAndModes(); });
  Step([&] { menu_->SetAutoRunChecked(foundation::IsAutoRunRegistered(programPath)); });
  Step([&] {
    pages_[0].box.SetBackColor(kOleGrey);
    pages_[0].status.SetBackColor(kOleLightBlue);
    pages_[1].box.SetBackColor(kOleLightBlue);
    pages_[2].box.SetBackColor(kOleGrey);
    for (Page& p : pages_) p.pic.SetBackColor(Ole(kOleLightBlue));
  });
  Step([&] { DrawSkin(); });
  Step([&] { foundation::SetRoundRegion(h, true); });
  Step([&] {
    RECT r;
    ::GetWindowRect(h, &r);
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN) * 15, screenH = ::GetSystemMetrics(SM_CYSCREEN) * 15;
    const int widthTw = (r.right - r.left) * 15, heightTw = (r.bottom - r.top) * 15;
    const auto centredLeft = static_cast<int32_t>(foundation::RoundHalfEven((screenW - widthTw) / 2.0));
    const auto centredTop = static_cast<int32_t>(foundation::RoundHalfEven((screenH - heightTw) / 2.0));
    SavedLeft = ConfigPosition(ReadConfig(L"DefX"), centredLeft);
    SavedTop = ConfigPosition(ReadConfig(L"DefY"), centredTop);
    // A place saved on a monitor that is gone would open the window where no
    // one can see or reach it.
    const foundation::IntRect saved{SavedLeft / 15, SavedTop / 15, SavedLeft / 15 + kDesignWidth,
                                    SavedTop / 15 + kStandAloneHeightTwips / 15};
    if (!LiesOnAMonitor(saved, MonitorRects())) {
      SavedLeft = centredLeft;
      SavedTop = centredTop;
    }
  });
  Step([&] {
    WriteConfig(L"LoadType", HandleText(command7_));
    WriteConfig(L"LoadFace", HandleText(command3_));
    WriteConfig(L"TempHwnd", HandleText(h));
  });
  Step([&] {
    // The record lands in the Windows folder, which an ordinary user can't
    // write; nothing reads it, so a failed write is no news for the user.
    constexpr auto quiet = foundation::IniWriteFailure::kQuiet;
    foundation::WriteIni(L"SetupPath", L"VAZidiPath", programPath, kLocationRecordFile, quiet);
    foundation::WriteIni(L"SetupPath", L"VAZidiVer", L"2.0", kLocationRecordFile, quiet);
  });
  Step([&] { foundation::OpenThumbnailStore(); });
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  if (Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr) != Gdiplus::Ok) {
    foundation::ShowMessage(nullptr, kStartupFailed, foundation::ExeName(), MB_ICONSTOP | MB_OK);
    ::ExitProcess(0);
  }
  LoadConversionTables();
  Step([&] { foundation::StartInputHook(h); });
  Step([&] { foundation::SetTopMost(h, true); });
  Step([&] { foundation::InstallMinSizeWindowProc(h); });
  // Snapping to the edges of the work area; its link goes outside the minimum width.
  Step([&] {
    if (!magneticWnd_) magneticWnd_ = std::make_unique<foundation::cMagneticWnd>();
    magneticWnd_->AddWindow(h);
  });
  Step([&] { dbValue_ = ClampPercentText(ReadConfig(L"DB")); });
  Step([&] { foundation::RndTextOn = ReadConfig(L"RndText") == L"1"; });
  Step([&] { foundation::RandomPercent = ClampPercentText(ReadConfig(L"RndValue")); });
  Step([&] { menu_->mTypeClick(ClampInputMode(ReadConfig(L"Input"))); });
  Step([&] { LoadType(); });
  Step([&] { SelectFromCode(pages_[2], 0); });
  Step([&] { modes_->StartTray(); });
  Step([&] { symbolPage_.LoadAllCategories(); });
  Step([&] { symbolPage_.ShowPage2(symbolPage_.CurrentPage(0)); });
  Step([&] { modes_->EnterStartMode(ReadConfig(L"DuLi") == L"1"); });

  desktop_ = std::make_unique<Win32DockingDesktop>(h, chatWindows_, [] { return StandAloneMode; });
  docking_ = std::make_unique<DockingLoop>(*desktop_);
  ::SetTimer(h, kTimerDocking, kDockingIntervalMs, nullptr);
  ::SetTimer(h, kTimerMemory, kMemoryIntervalMs, nullptr);
}

void Frmmain::CreateMenusAndModes() {
  MenuActions actions;
  actions.enterDockingMode = [this] { modes_->EnterDockingMode(true, true); };
  actions.enterStandAloneMode = [this] { modes_->EnterStandAloneMode(true, true); };
  actions.stopDocking = [this] { ::KillTimer(hwnd(), kTimerDocking); };
  actions.addFace = [this] { library_.AddFace(); };
  actions.loadDir = [this] { library_.LoadDir(); };
  actions.killFace = [this] { library_.KillFace(); };
  actions.showNewType = [this] { dialogs_.NewType().Show(); };
  actions.showType = [this] { dialogs_.Type().Show(); };
  actions.showMove = [this] { dialogs_.Move().Show(); };
  actions.showCopy = [this] { dialogs_.Copy().Show(); };
  actions.showModeButton = [this](int index) {
    for (size_t i = 0; i < 3; ++i)
      ::ShowWindow(bFont_[i]->hwnd(), static_cast<int>(i) == index ? SW_SHOWNA : SW_HIDE);
  };
  actions.boxOwner = hwnd();
  menu_ = std::make_unique<FrmMenu>(std::move(actions));
  menu_->Create();

  TitleStripParts parts;
  parts.panel = hwnd();
  parts.bType = bType_.get();
  for (size_t i = 0; i < 3; ++i) parts.bFont[i] = bFont_[i].get();
  parts.tooltip = tooltip_;
  parts.menu = menu_.get();
  parts.setTitle = [this](const std::wstring& title) {
    title_ = title;
    DrawSkin();
  };
  modes_ = std::make_unique<TrayAndModes>(std::move(parts));
  bType_->Click = [this] { modes_->bType_Click(); };
  bExit_->Click = [this] { modes_->bExit_Click(); };
  for (size_t i = 0; i < 3; ++i) bFont_[i]->Click = [this, i] { modes_->bFont_Click(static_cast<int>(i)); };

  std::array<controls::Command*, 3> tabButtons{};
  std::array<HWND, 3> tabPages{};
  for (size_t i = 0; i < 3; ++i) {
    tabButtons[i] = tabs_[i].get();
    tabPages[i] = pages_[i].pic.hwnd();
  }
  tabStrip_ = std::make_unique<TabStrip>(hwnd(), tabButtons, tabPages);
  for (size_t i = 0; i < 3; ++i) tabs_[i]->Click = [this, i] { tabStrip_->Command_Click(static_cast<int>(i)); };
}

void Frmmain::LoadConversionTables() {
  for (int id : {1, 2, 3, 11, 4, 8}) {
    foundation::SqlText = L"select  * from BTZ where id=" + std::to_wstring(id);
    auto rs = foundation::OpenRecordset(foundation::DBConnection, foundation::SqlText);
    if (!rs) continue;  // the query can't run (no database): the item stays empty
    foundation::DBRecordset = std::move(*rs);
    if (foundation::DBRecordset.EndOfRows()) {
      foundation::ShowMessage(nullptr, kBtzMissing, foundation::kMessageTitle, MB_ICONSTOP | MB_OK);
      foundation::DBRecordset.Close();
      ::ExitProcess(0);
    }
    const std::wstring text = foundation::DBRecordset.Field(L"Text").value_or(L"");
    foundation::DBRecordset.Close();
    switch (id) {
      case 1: foundation::ConvertSourceChars = text; break;
      case 2: foundation::ConvertTargetChars = text; break;
      case 3: btzRow3_ = text; break;
      case 11: foundation::DecorationChars = text; break;
      case 4: foundation::MarsAlternatives = SplitCrLf(text); break;
      case 8: btzRow8_ = SplitCrLf(text); break;
    }
  }
}

void Frmmain::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  HWND h = hwnd();
  Step([&] {
    if (modes_) modes_->StopTray();
  });
  ::KillTimer(h, kTimerDocking);
  ::KillTimer(h, kTimerMemory);
  ::KillTimer(h, kTimerReload);
  // Each procedure of ours comes off its host link by link; writing back an
  // older procedure would cut every later link out of the chain.
  Step([&] {
    if (magneticWnd_) magneticWnd_->RemoveWindow(h);
  });
  Step([&] { foundation::RemoveMinSizeWindowProc(h); });
  Step([&] { foundation::StopInputHook(h); });
  if (gdiplusToken_) Gdiplus::GdiplusShutdown(gdiplusToken_);
  gdiplusToken_ = 0;
}

void Frmmain::DrawSkin() {
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  const int sw = rc.right, sh = rc.bottom;
  if (sw <= 0 || sh <= 0) return;
  if (skin_.width() != sw || skin_.height() != sh) skin_.Resize(sw, sh);
  const controls::PictureRef skin = PanelSkin();
  if (!skin) return;
  for (const SkinPiece& p : SkinPieces(sw, sh, skin->width(), skin->height())) {
    controls::DrawPicturePart(skin_.dc(), p.dest.x, p.dest.y, p.dest.w, p.dest.h, *skin, p.source.x, p.source.y,
                              p.source.w, p.source.h);
  }
  // Label1, the title, on the title strip.
  foundation::UniqueFont font = controls::CreateGdiFont(controls::FontSpec{}, skin_.dc());
  controls::DrawTextAt(skin_.dc(), font.get(), title_, 24, 6, RGB(0xFF, 0xFF, 0xFF));
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void Frmmain::Form_Resize() {
  if (!bExit_) return;  // WM_SIZE of the window's creation comes before its controls exist
  RECT rc;
  ::GetClientRect(hwnd(), &rc);
  const int sw = rc.right, sh = rc.bottom;
  Step([&] { DrawSkin(); });
  Step([&] { foundation::SetRoundRegion(hwnd(), true); });
  const PanelLayout l = ComputePanelLayout(sw, sh);
  Step([&] {
    bExit_->Move(l.exitLeft, 0, kTitleButtonWidth, kTitleButtonHeight);
    bType_->Move(l.typeLeft, 0, kTitleButtonWidth, kTitleButtonHeight);
  });
  for (size_t i = 0; i < 3; ++i) {
    Page& p = pages_[i];
    const PageLayout& pl = l.pages[i];
    Step([&] {
      p.pic.Move(pl.page.x, pl.page.y, pl.page.w, pl.page.h);
      p.box.Move(pl.frame.x, pl.frame.y, pl.frame.w, pl.frame.h);
      ::SetWindowPos(p.combo, nullptr, 0, 0, pl.listWidth, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      p.status.Move(pl.statusStrip.x, pl.statusStrip.y, pl.statusStrip.w, pl.statusStrip.h);
      p.viewport.Move(kViewportOffset, kViewportOffset, kViewportWidth, pl.viewportTwips / 15);
      p.scroll.Move(kScrollLeft, kScrollTop, kScrollWidth, pl.scrollTwips / 15);
    });
  }
  Step([&] { facePaging_.Layout(l.pages[1].statusStrip.w); });
  Step([&] { symbolPage_.Layout(l.pages[2].statusStrip.w); });
  Step([&] { ApplyScrollState(pages_[0], picF_); });
  Step([&] { ApplyScrollState(pages_[1], picE_); });
  Step([&] { ApplyScrollState(pages_[2], symbolPage_.Grid()); });
}

void Frmmain::ApplyScrollState(Page& page, FaceGrid& content) {
  RECT box;
  ::GetClientRect(page.box.hwnd(), &box);
  RECT view;
  ::GetClientRect(page.viewport.hwnd(), &view);
  const ScrollState s = ComputeScrollState(content.Height(), view.bottom * 15.0, box.bottom);
  page.scroll.SetEnabled(s.enabled);
  if (!s.enabled) content.SetTop(0);
  page.scroll.SetMax(static_cast<int32_t>(s.max));
}

std::wstring Frmmain::Combo1Text() const { return ComboText(pages_[0].combo); }
std::wstring Frmmain::Combo3Text() const { return ComboText(pages_[1].combo); }

std::vector<std::wstring> Frmmain::Combo1Items() const {
  std::vector<std::wstring> items;
  HWND combo = pages_[0].combo;
  const LRESULT n = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) items.push_back(ComboItem(combo, i));
  return items;
}

void Frmmain::LoadType() {
  HWND combo1 = pages_[0].combo, combo3 = pages_[1].combo;
  ::SendMessageW(combo1, CB_RESETCONTENT, 0, 0);
  ::SendMessageW(combo3, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& name : ListCategories(LibraryRoot())) {
    ::SendMessageW(combo1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageW(combo3, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  SelectFromCode(pages_[0], 0);
  SelectFromCode(pages_[1], 0);
}

void Frmmain::SelectFromCode(Page& page, int index) {
  ::SendMessageW(page.combo, CB_SETCURSEL, index, 0);
  page.comboPick.Shown(index);
  // Selecting from code raises the box's click handler, as a user's choice does.
  ComboPicked(::GetDlgCtrlID(page.combo));
}

void Frmmain::Combo1_Click() {
  preview_.Hide();
  // The rebuild runs once, on the next timer tick, however many events come first.
  ::SetTimer(hwnd(), kTimerReload, kReloadIntervalMs, nullptr);
}

void Frmmain::ComboPicked(int id) {
  if (id == kIdCombo1) Combo1_Click();
  if (id == kIdCombo3) Combo3_Click();
  if (id == kIdCombo2) symbolPage_.Combo2_Click();
}

void Frmmain::Combo3_Click() { LoadFace2(Combo3Text()); }

void Frmmain::Timer4_Timer() {
  ::KillTimer(hwnd(), kTimerReload);
  Command2_Click();
  LoadFace(Combo1Text());
}

void Frmmain::Command2_Click() {
  // Cell 1 stays with its picture and path; the others go.
  picF_.SetFramedCell(0);
  picF_.KeepFirstCells(1);
  preview_.ForgetLastCell();
}

void Frmmain::Command3_Click() {
  Command2_Click();
  LoadFace(Combo1Text());
  Command2_Click();
  LoadFace(Combo1Text());
}

void Frmmain::Command7_Click() { LoadType(); }

void Frmmain::ResetMainGridScroll() {
  picF_.SetTop(0);
  pages_[0].scroll.SetValue(0);
}

bool Frmmain::LoadFace(const std::wstring& category) {
  if (picF_.CellCount() > 1) Command2_Click();
  const std::wstring folder = CategoryFolder(category);
  if (!foundation::FolderExists(folder)) {
    picF_.ClearCell(0);
    return false;
  }
  ResetMainGridScroll();
  const std::vector<std::wstring> files = ListEmoticonFiles(folder);
  const int n = static_cast<int>(files.size());
  if (n == 0) {
    picF_.Show(false);
    ::ShowWindow(label3_, SW_SHOWNA);
    pages_[0].scroll.SetEnabled(false);
    preview_.Hide();
    return false;
  }
  picF_.Show(true);
  ::ShowWindow(label3_, SW_HIDE);
  const MainGridLayout grid = LayoutMainGrid(n);
  std::vector<POINT> corners;
  for (const CellPlace& c : grid.cells) corners.push_back({TwipsToPixels(c.left), TwipsToPixels(c.top)});
  const int height = static_cast<int>(foundation::RoundHalfEven(grid.containerHeightPixels));
  picF_.SetCells(corners, height);
  foundation::ThumbnailBatch batch(foundation::ProgramThumbnailStore());
  for (int k = 0; k < n; ++k) {
    const std::wstring path = folder + L"\\" + files[static_cast<size_t>(k)];
    picF_.DrawFitted(k, path);
    picF_.SetTag(k, path);
  }
  ApplyScrollState(pages_[0], picF_);
  return true;
}

bool Frmmain::LoadFace2(const std::wstring& category) {
  const std::wstring folder = CategoryFolder(category);
  if (!foundation::FolderExists(folder)) {
    picE_.ClearAll();
    return false;
  }
  picE_.SetTop(0);
  pages_[1].scroll.SetValue(0);
  picE_.ClearAll();
  faceNames_ = ListEmoticonFiles(folder);
  facePage_ = 1;
  foundation::ThumbnailBatch batch(foundation::ProgramThumbnailStore());
  const int shown = std::min<int>(static_cast<int>(faceNames_.size()), kFacesPerPage);
  for (int k = 0; k < shown; ++k) {
    const std::wstring path = folder + L"\\" + faceNames_[static_cast<size_t>(k)];
    picE_.DrawThumbnail(k, path);
    picE_.SetTag(k, path);
  }
  return true;
}

void Frmmain::ShowPage3(int page) {
  const int count = static_cast<int>(faceNames_.size());
  if (count < 1) return;
  picE_.SetTop(0);
  pages_[1].scroll.SetValue(0);
  picE_.ClearAll();
  const int first = (page - 1) * kFacesPerPage;
  const int last = std::min(page * kFacesPerPage, count);
  const std::wstring folder = CategoryFolder(Combo3Text());
  foundation::ThumbnailBatch batch(foundation::ProgramThumbnailStore());
  for (int j = 0; first + j < last; ++j) {
    if (first + j < 0) continue;
    const std::wstring path = folder + L"\\" + faceNames_[static_cast<size_t>(first + j)];
    picE_.DrawThumbnail(j, path);
    picE_.SetTag(j, path);
  }
}

void Frmmain::Command5_Click() {
  if (facePage_ > 1) ShowPage3(--facePage_);
}

void Frmmain::Command6_Click() {
  if (facePage_ < PageCount(static_cast<int>(faceNames_.size()), kFacesPerPage)) ShowPage3(++facePage_);
}

void Frmmain::PicE_MouseDown(int index, int16_t button) {
  picE_.SetFramedCell(index);
  CurrentFacePath = picE_.Tag(index);
  if (button == 2 && menu_) {
    // Below the pressed cell.
    const RECT cell = picE_.CellRect(index);
    POINT p{cell.left + 10, cell.bottom};
    ::ClientToScreen(picE_.hwnd(), &p);
    menu_->Popup(menu_->SetMenu(), hwnd(), p.x, p.y, 0);
  }
}

bool Frmmain::CheckQQWin(HWND h) const { return foundation::CheckQQWin(h, StandAloneMode); }

bool Frmmain::CopyPictureForChat(const std::wstring& path) {
  if (!seams_.isWin2003()) return CopyPictureToClipboard(hwnd(), path);
  // Windows 2003: a page whose script copies the picture when it loads.
  const std::wstring temp = foundation::AppPath() + L"Temp.html";
  if (foundation::FileExists(temp)) ::DeleteFileW(temp.c_str());
  const std::string bytes = foundation::ToAnsi(BuildTempPage(path));
  {
    foundation::UniqueFile f(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (!f || !::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
  }
  pageComplete_ = false;
  web_.Navigate(temp);
  // The page reports completion; a page that never does is given up after a bound.
  return PumpSleepUntil([&] { return pageComplete_; }, ::GetTickCount(), kPageWait2003Ms, 1);
}

void Frmmain::Web_DocumentComplete(const std::wstring& url, int readyState) {
  if (url.empty() || url == L"about:blank" || readyState != 4) return;
  if (foundation::ContainsText(url, L"Temp.")) pageComplete_ = true;
}

void Frmmain::PicF_MouseDown(int index, int16_t button) {
  const std::wstring path = picF_.Tag(index);
  // A blank cell holds nothing to paste; a chat window that is gone would let
  // the keys reach whatever window is active.
  HWND chat = foundation::ChatWindowHandle;
  if (path.empty() || !chat || !::IsWindow(chat)) return;
  // A picture that did not reach the input box is not sent: the chat would
  // go without it.
  const bool pasted = CopyPictureForChat(path) && PasteIntoChat(chat);
  const std::wstring temp = foundation::AppPath() + L"Temp.html";
  if (foundation::FileExists(temp)) ::DeleteFileW(temp.c_str());
  if (pasted && button == 2) {
    ClickSendButton(chat);
    SendEnterKeys(chat);
  }
}

void Frmmain::Timer2_Timer() {
  if (docking_) docking_->Tick(StandAloneMode);
}

void Frmmain::Timer3_Timer() { foundation::TrimWorkingSet(); }

LRESULT Frmmain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  // No command of the panel opens the pack window; whoever asks for it does.
  static const UINT openPackWindow = ::RegisterWindowMessageW(kOpenPackWindowMessage);
  if (msg == openPackWindow) {
    OpenPackDownloadWindow(hwnd());
    return 0;
  }
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      foundation::PaintDc paint(hwnd());
      skin_.PresentTo(paint.get());
      return 0;
    }
    case WM_SIZE:
      Form_Resize();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      if (modes_) modes_->MouseDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (modes_) modes_->MouseUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, msg == WM_LBUTTONUP);
      return 0;
    case WM_MOUSEMOVE:
      preview_.Hide();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (HBRUSH b = symbolPage_.LabelBackground(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
        return reinterpret_cast<LRESULT>(b);
      break;
    case WM_TIMER:
      switch (wParam) {
        case kTimerDocking: Timer2_Timer(); return 0;
        case kTimerMemory: Timer3_Timer(); return 0;
        case kTimerReload: Timer4_Timer(); return 0;
      }
      break;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      if (code == BN_CLICKED) {
        if (id == kIdCommand2) Command2_Click();
        if (id == kIdCommand3) Command3_Click();
        if (id == kIdCommand7) Command7_Click();
      } else if (code == CBN_SELENDOK || code == CBN_SELCHANGE || code == CBN_CLOSEUP) {
        for (Page& page : pages_) {
          if (!page.combo || page.combo != reinterpret_cast<HWND>(lParam)) continue;
          const int selection = static_cast<int>(::SendMessageW(page.combo, CB_GETCURSEL, 0, 0));
          bool picked = false;
          if (code == CBN_SELENDOK) picked = page.comboPick.SelEndOk(selection);
          if (code == CBN_CLOSEUP) picked = page.comboPick.CloseUp(selection);
          if (code == CBN_SELCHANGE)
            picked = page.comboPick.SelChange(selection, ::SendMessageW(page.combo, CB_GETDROPPEDSTATE, 0, 0) != 0);
          if (picked) ComboPicked(id);
        }
      }
      return 0;
    }
    case WM_DISPLAYCHANGE:
      if (desktop_) desktop_->DisplayChanged();
      break;
    case WM_CLOSE:
      Form_Unload();
      ::DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      Form_Unload();
      ::PostQuitMessage(0);
      return 0;
  }
  return WindowBase::HandleMessage(msg, wParam, lParam);
}

void ShowMainWindow() {
  static Frmmain* window = nullptr;  // lives until the process ends
  if (!window) window = new Frmmain();
  window->Show();
}

}  // namespace panel
