#include "panel/frm_down_face.h"

#include <commctrl.h>

#include "foundation/app_path.h"
#include "foundation/file_ops.h"
#include "foundation/ini_file.h"
#include "foundation/program_icon.h"
#include "panel/core/pack_list.h"
#include "panel/frm_main.h"
#include "panel/http_text.h"
#include "panel/library_listing.h"
#include "panel/pack_install.h"

namespace panel {

namespace {

// Client layout in pixels.
constexpr int kClientWidth = 560;
constexpr int kClientHeight = 404;
constexpr RECT kFrameRect{8, 4, 552, 304};
constexpr RECT kListRect{16, 24, 544, 296};
constexpr int kButtonTop = 366, kButtonHeight = 28;

struct ButtonSpec {
  int id;
  const wchar_t* caption;
  int x, width;
};
// In the order of the buttons_ array.
constexpr ButtonSpec kButtons[6] = {
    {kIdXpCommand1, L"下载选中的表情包", 8, 140},
    {kIdXpCommand2, L"返回", 492, 60},
    {kIdXpCommand3, L"全选", 156, 64},
    {kIdXpCommand4, L"全否", 228, 64},
    {kIdXpCommand5, L"刷新列表", 400, 84},
    {kIdXpCommand6, L"所有未下载", 300, 92},
};

constexpr uint32_t kProgressColor = 0x6A240A;  // RGB(10, 36, 106)

std::wstring WindowText(HWND h) {
  const int n = ::GetWindowTextLengthW(h);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  ::GetWindowTextW(h, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return text;
}

HWND MakeStatic(HWND parent, int id, const wchar_t* text, int x, int y, int w, int h, HFONT font, DWORD style) {
  HWND s = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(s, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return s;
}

}  // namespace

FrmDownFace::FrmDownFace(Options options) : options_(std::move(options)) {
  if (options_.server.empty() || options_.server.back() != L'/') options_.server += L'/';
}

FrmDownFace::~FrmDownFace() {
  if (m_oFileDownload) m_oFileDownload->OnProgressEvent = nullptr;
}

std::wstring FrmDownFace::ListAddress() const { return options_.server + kPackFolderPath + kPackListFile; }

std::wstring FrmDownFace::PackAddress(const std::wstring& archiveName) const {
  return options_.server + kPackFolderPath + EscapeUrlPathSegment(archiveName);
}

bool FrmDownFace::Show() {
  // Not clipping its children: the group box leaves its inside to the window to paint.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_APPWINDOW);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  // Opens in the centre of the screen.
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (::GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  foundation::WindowClassInfo cls{kPackWindowClass};
  cls.background = ::GetSysColorBrush(COLOR_BTNFACE);
  if (!CreateWindowObject(cls, WS_EX_APPWINDOW, style, kPackWindowCaption, x, y, w, h, options_.owner, nullptr)) {
    return false;
  }
  CreateControls();
  Form_Load();
  return hwnd() != nullptr;
}

void FrmDownFace::CreateControls() {
  HWND h = hwnd();
  font_.reset(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
  rowIcon_.reset(foundation::LoadProgramIcon(16));
  frame1_ = ::CreateWindowExW(0, L"BUTTON", kFrameCaption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, kFrameRect.left,
                              kFrameRect.top, kFrameRect.right - kFrameRect.left, kFrameRect.bottom - kFrameRect.top, h,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdFrame1)), ::GetModuleHandleW(nullptr),
                              nullptr);
  ::SendMessageW(frame1_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  listView1_.Create(h, kIdListView1, kListRect.left, kListRect.top, kListRect.right - kListRect.left,
                    kListRect.bottom - kListRect.top, font_.get(), rowIcon_.get());
  label11_ = MakeStatic(h, kIdLabel11, kLabelDownloadingPrefix, 12, 314, 460, 16, font_.get(), SS_LEFT | SS_NOPREFIX);
  label4_ = MakeStatic(h, kIdLabel4, L"0%", 500, 336, 50, 16, font_.get(), SS_LEFT);

  controls::AmbientProperties ambient;
  controls::PropertyBag bar;
  bar.Write(L"Scrolling", int32_t{9});
  bar.Write(L"Color", controls::ColorToLong(kProgressColor));
  bar.Write(L"BrushStyle", int32_t{0});
  progBar1_.Create(h, kIdProgBar1, 12, 334, 480, 20, &bar, ambient);

  for (size_t i = 0; i < buttons_.size(); ++i) {
    const ButtonSpec& b = kButtons[i];
    controls::PropertyBag bag;
    bag.Write(L"Caption", std::wstring(b.caption));
    ambient.displayName = L"XpCommand" + std::to_wstring(b.id - kIdXpCommand1 + 1);
    buttons_[i].Create(h, b.id, b.x, kButtonTop, b.width, kButtonHeight, &bag, ambient);
  }
  Button(kIdXpCommand1).Click = [this] { XpCommand1_Click(); };
  Button(kIdXpCommand2).Click = [this] { XpCommand2_Click(); };
  Button(kIdXpCommand3).Click = [this] { XpCommand3_Click(); };
  Button(kIdXpCommand4).Click = [this] { XpCommand4_Click(); };
  Button(kIdXpCommand5).Click = [this] { XpCommand5_Click(); };
  Button(kIdXpCommand6).Click = [this] { XpCommand6_Click(); };
}

controls::XpCommand& FrmDownFace::Button(int id) {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    if (kButtons[i].id == id) return buttons_[i];
  }
  return buttons_[0];
}

std::wstring FrmDownFace::Frame1Caption() const { return WindowText(frame1_); }
std::wstring FrmDownFace::Label11Caption() const { return WindowText(label11_); }
std::wstring FrmDownFace::Label4Caption() const { return WindowText(label4_); }

void FrmDownFace::SetCaption(HWND control, const std::wstring& text) {
  ::SetWindowTextW(control, text.c_str());
  ::UpdateWindow(control);
}

void FrmDownFace::Form_Load() {
  m_oFileDownload.reset(CFileDownload::Create());
  m_oFileDownload->OnProgressEvent = [this](ULONG progress, ULONG progressMax, ULONG, const std::wstring&) {
    m_oFileDownload_OnProgress(progress, progressMax);
  };
  // The window is up, saying so, while the list is fetched.
  ::ShowWindow(hwnd(), SW_SHOW);
  ::UpdateWindow(hwnd());
  SetCaption(frame1_, kFrameFetching);
  FetchPackList();
}

bool FrmDownFace::PackOnDisk(const std::wstring& archiveName) const {
  return foundation::FolderExists(options_.libraryRoot + PackCategory(archiveName));
}

void FrmDownFace::FetchPackList() {
  fetching_ = true;
  // The window closed meanwhile gives the fetch up.
  const std::wstring text = FetchHttpText(ListAddress(), kHttpTextDeadlineMs, [this] { return !hwnd(); });
  fetching_ = false;
  if (!hwnd()) return;
  if (text.empty()) {
    SetCaption(frame1_, kFrameFetchFailed);
    return;
  }
  for (const PackListEntry& entry : ParsePackList(text)) {
    const int row = listView1_.AddRow(entry);
    if (row < 0) continue;  // a row that can't be shown is skipped
    if (PackOnDisk(entry.archiveName)) {
      listView1_.SetRed(row);
      listView1_.SetStatus(row, kStatusOnDisk);
    } else {
      listView1_.SetChecked(row, true);
    }
  }
  SetCaption(frame1_, kFrameListRead);
}

void FrmDownFace::SetButtonsEnabled(bool enabled) {
  for (controls::XpCommand& b : buttons_) b.SetEnabled(enabled);
}

void FrmDownFace::XpCommand1_Click() {
  if (running_ || fetching_ || !m_oFileDownload) return;
  running_ = true;
  SetButtonsEnabled(false);
  // Back stays: it ends the running download.
  Button(kIdXpCommand2).SetEnabled(true);
  // The downloader outlives a window destroyed under the running download.
  m_oFileDownload->AddRef();
  FileDownloadRef downloader(m_oFileDownload.get());
  for (int row = 0; row < listView1_.Count() && !closeRequested_; ++row) {
    if (!listView1_.IsChecked(row)) continue;
    const std::wstring title = listView1_.Text(row, 0);
    const std::wstring key = listView1_.Key(row);
    SetCaption(frame1_, kFrameDownloadingPrefix + title + L")");
    listView1_.SetStatus(row, kStatusDownloading);
    SetCaption(label11_, kLabelDownloadingPrefix + title);
    const bool ok = InstallPack(*downloader, {PackAddress(key), options_.libraryRoot, key});
    if (!hwnd()) {  // destroyed with its owner: nothing of it is left to update
      running_ = false;
      return;
    }
    listView1_.SetStatus(row, ok ? kStatusOnDisk : kStatusFailed);
    listView1_.SetRed(row);
    if (ok && options_.reloadCategories) options_.reloadCategories();
  }
  listView1_.Redraw();
  SetCaption(frame1_, kFrameAllDone);
  SetCaption(label11_, kLabelAllDone);
  running_ = false;
  SetButtonsEnabled(true);
  if (closeRequested_) ::DestroyWindow(hwnd());
}

void FrmDownFace::XpCommand2_Click() { ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

void FrmDownFace::XpCommand3_Click() {
  for (int row = 0; row < listView1_.Count(); ++row) listView1_.SetChecked(row, true);
}

void FrmDownFace::XpCommand4_Click() {
  for (int row = 0; row < listView1_.Count(); ++row) listView1_.SetChecked(row, false);
}

void FrmDownFace::XpCommand5_Click() {
  if (running_ || fetching_) return;
  SetCaption(frame1_, kFrameFetching);
  controls::XpCommand& refresh = Button(kIdXpCommand5);
  refresh.SetEnabled(false);
  listView1_.Clear();
  FetchPackList();
  if (hwnd()) refresh.SetEnabled(true);
}

void FrmDownFace::XpCommand6_Click() {
  for (int row = 0; row < listView1_.Count(); ++row) {
    listView1_.SetChecked(row, listView1_.Status(row) != kStatusOnDisk);
  }
}

void FrmDownFace::m_oFileDownload_OnProgress(ULONG progress, ULONG progressMax) {
  const int32_t percent = DownloadPercent(progress, progressMax);
  progBar1_.SetValue(percent);
  SetCaption(label4_, std::to_wstring(percent) + L"%");
}

LRESULT FrmDownFace::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->idFrom == kIdListView1 && header->code == NM_CUSTOMDRAW) {
        return listView1_.CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
      }
      break;
    }
    case WM_CLOSE:
      if (running_) {
        // The download in progress stops and cleans up; the window goes after it.
        closeRequested_ = true;
        if (m_oFileDownload) m_oFileDownload->AbortDownloading();
        return 0;
      }
      ::DestroyWindow(hwnd());
      return 0;
    default:
      break;
  }
  return WindowBase::HandleMessage(msg, wParam, lParam);
}

void FrmDownFace::OnWindowDestroyed() {
  if (!m_oFileDownload) return;
  m_oFileDownload->OnProgressEvent = nullptr;
  if (running_) m_oFileDownload->AbortDownloading();
  m_oFileDownload.reset();
}

void OpenPackDownloadWindow(HWND panelWindow) {
  static std::unique_ptr<FrmDownFace> window;
  if (window && (window->hwnd() || window->busy())) {
    if (HWND h = window->hwnd()) {
      ::ShowWindow(h, SW_RESTORE);
      ::SetForegroundWindow(h);
    }
    return;
  }
  FrmDownFace::Options options;
  const std::wstring server =
      foundation::ReadIni(kConfigSection, kPackServerKey, foundation::AppPath() + kConfigFile);
  if (!server.empty()) options.server = server;
  options.libraryRoot = LibraryRoot() + L"\\";
  options.owner = panelWindow;
  options.reloadCategories = [panelWindow] {
    // The same button the editor clicks after importing a pack.
    if (HWND reload = ::GetDlgItem(panelWindow, kIdCommand7)) ::SendMessageW(reload, BM_CLICK, 0, 0);
  };
  window = std::make_unique<FrmDownFace>(std::move(options));
  if (!window->Show()) window.reset();
}

}  // namespace panel
