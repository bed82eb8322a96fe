// FrmDownFace, the emoticon-pack download window: it fetches the pack list
// from the pack server, shows one checkable row per pack, downloads the
// checked packs with progress, unpacks each into a new category of the
// library and makes the panel reload its categories after each one.
//
// No command of the panel opens it: OpenPackDownloadWindow does, for whoever
// asks (tests post kOpenPackWindowMessage to the panel's window).
//
// The list is fetched and the packs downloaded with the window and the panel
// working meanwhile (see FetchHttpText and CFileDownload). While packs
// download nothing starts a second run or a list refresh (the buttons but
// "返回" are disabled), and closing the window ("返回" does) ends the running
// download at once and closes once it has been cleaned up. While the list is
// fetched the mouse's and the keyboard's input waits; a close that comes
// anyway gives the fetch up.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "controls/prog_bar.h"
#include "controls/xp_command.h"
#include "foundation/handles.h"
#include "foundation/window_base.h"
#include "panel/file_download.h"
#include "panel/pack_list_view.h"

namespace panel {

// Captions and row states.
inline constexpr wchar_t kPackWindowCaption[] = L"QQ表情包下载";
inline constexpr wchar_t kFrameCaption[] = L"表情包列表";
inline constexpr wchar_t kFrameFetching[] = L"表情包列表 (正在获取列表信息)";
inline constexpr wchar_t kFrameListRead[] = L"表情包列表 (获取完成)";
inline constexpr wchar_t kFrameFetchFailed[] = L"表情包列表 (获取列表失败,请重试)";
inline constexpr wchar_t kFrameDownloadingPrefix[] = L"表情包列表 (正在下载：";
inline constexpr wchar_t kFrameAllDone[] = L"表情包列表 (下载完成)";
inline constexpr wchar_t kLabelDownloadingPrefix[] = L"正在下载：";
inline constexpr wchar_t kLabelAllDone[] = L"下载完成！";
inline constexpr wchar_t kStatusOnDisk[] = L"已下载";
inline constexpr wchar_t kStatusDownloading[] = L"正在下载";
inline constexpr wchar_t kStatusFailed[] = L"出错";

// Child window ids.
enum PackWindowControlId : int {
  kIdFrame1 = 2001,
  kIdListView1 = 2002,
  kIdLabel11 = 2003,
  kIdLabel4 = 2004,
  kIdProgBar1 = 2005,
  kIdXpCommand1 = 2011,  // 下载选中的表情包
  kIdXpCommand2 = 2012,  // 返回
  kIdXpCommand3 = 2013,  // 全选
  kIdXpCommand4 = 2014,  // 全否
  kIdXpCommand5 = 2015,  // 刷新列表
  kIdXpCommand6 = 2016,  // 所有未下载
};

inline constexpr wchar_t kPackWindowClass[] = L"TarnwickPackDownload";
// Registered message that makes the panel open the window.
inline constexpr wchar_t kOpenPackWindowMessage[] = L"Tarnwick.OpenPackDownloadWindow";

// The pack server when Config.ini names none ("PackServer" in [Config]).
inline constexpr wchar_t kDefaultPackServer[] = L"http://packs.tarnwick.invalid/";
inline constexpr wchar_t kPackServerKey[] = L"PackServer";

class FrmDownFace : public foundation::WindowBase {
 public:
  struct Options {
    std::wstring server = kDefaultPackServer;  // ends in "/"
    std::wstring libraryRoot;                  // the Face folder, with a trailing "\"
    std::function<void()> reloadCategories;    // the panel's LoadType
    HWND owner = nullptr;
  };

  explicit FrmDownFace(Options options);
  ~FrmDownFace() override;

  // Creates the window, shows it centred on the screen and fetches the list
  // (Form_Load). False when the window can't be made.
  bool Show();

  // Addresses of the list and of a pack on the server.
  std::wstring ListAddress() const;
  std::wstring PackAddress(const std::wstring& archiveName) const;

  // What tests read.
  PackListView& ListView1() { return listView1_; }
  controls::ProgBar& ProgBar1() { return progBar1_; }
  controls::XpCommand& Button(int id);
  std::wstring Frame1Caption() const;
  std::wstring Label11Caption() const;
  std::wstring Label4Caption() const;
  bool running() const noexcept { return running_; }
  // Downloading, or fetching the list: the object must stay.
  bool busy() const noexcept { return running_ || fetching_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowDestroyed() override;

 private:
  void CreateControls();
  void Form_Load();
  void FetchPackList();
  void XpCommand1_Click();  // download the checked packs
  void XpCommand2_Click();  // back
  void XpCommand3_Click();  // check all
  void XpCommand4_Click();  // check none
  void XpCommand5_Click();  // refresh the list
  void XpCommand6_Click();  // check all not on disk
  void m_oFileDownload_OnProgress(ULONG progress, ULONG progressMax);
  void SetButtonsEnabled(bool enabled);
  void SetCaption(HWND control, const std::wstring& text);
  bool PackOnDisk(const std::wstring& archiveName) const;

  Options options_;
  foundation::UniqueFont font_;
  foundation::UniqueIcon rowIcon_;
  HWND frame1_ = nullptr, label11_ = nullptr, label4_ = nullptr;
  PackListView listView1_;
  controls::ProgBar progBar1_;
  std::array<controls::XpCommand, 6> buttons_;
  FileDownloadRef m_oFileDownload;
  bool running_ = false;
  bool fetching_ = false;
  bool closeRequested_ = false;
};

// Shows the one pack window of the panel (made when there is none, brought
// to the front when it is open); its packs go to the panel's library and
// each installed pack clicks the panel's category-reload button.
void OpenPackDownloadWindow(HWND panel);

}  // namespace panel
