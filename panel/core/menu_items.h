// The panel's three pop-up menus as data: item ids, captions in menu order
// ("-" is a separator line, "&" marks the access key), and the addresses the
// web items open.
#pragma once
#include <span>

namespace panel {

enum MenuItemId : unsigned {
  // Menu, the main menu (tray icon and the logo picture).
  kMenuDown = 2001,
  kMenuUpdate,
  kMenuJianYi,
  kMenuAutoRun,
  kMenuTypeGuanLi,
  kMenuEnabled,
  kMenuDuLi,
  kMenuExit,
  // mLang, the input-mode menu: mTextType(0..2).
  kMenuTextType0 = 2101,
  kMenuTextType1,
  kMenuTextType2,
  // mSet, the emoticon menu.
  kMenuAddFace = 2201,
  kMenuInPutFace,
  kMenuNewType,
  kMenuKillAll,
  kMenuDelFace,
  kMenuMoveFace,
  kMenuCopyFace,
};

inline constexpr unsigned kMenuSeparator = 0;

struct MenuItem {
  unsigned id;  // kMenuSeparator for a separator line
  const wchar_t* caption;
};

std::span<const MenuItem> MainMenuItems();
std::span<const MenuItem> LangMenuItems();
std::span<const MenuItem> SetMenuItems();

// The maker's web site and forum (our own setting), and the pack page on the site.
inline constexpr wchar_t kMakerSite[] = L"http://www.pindle.example/";
inline constexpr wchar_t kMakerForum[] = L"http://bbs.pindle.example/";
inline constexpr wchar_t kPackPage[] = L"http://www.pindle.example/biaoqing/index.html";

}  // namespace panel
