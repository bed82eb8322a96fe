// Which top-level windows are QQ chat windows: pure tests over the facts of a
// window, so that the decision tables are checked without real windows.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace foundation {

inline constexpr std::wstring_view kQqWindowClass = L"TXGuiFoundation";
inline constexpr std::wstring_view kQqExeName = L"QQ.EXE";
inline constexpr std::wstring_view kQqSendButtonClass = L"Button";
inline constexpr std::wstring_view kQqSendButtonCaption = L"发送(S)";
// A chat window's style-name text holds this run (compared ignoring case).
inline constexpr std::wstring_view kChatWindowStyleText =
    L"WS_CLIPCHILDREN WS_CLIPSIBLINGS WS_GROUP WS_MAXIMIZEBOX WS_MINIMIZEBOX WS_SYSMENU WS_POPUPWINDOW WS_TABSTOP "
    L"WS_THICKFRAME WS_VISIBLE";
// Only the first 25 bytes of a title in the system code page are tested.
inline constexpr size_t kTestedTitleBytes = 25;
// Windows no wider or higher than this (outer rectangle) fail the strict test.
inline constexpr int kMaxRefusedWidth = 300;
inline constexpr int kMaxRefusedHeight = 100;

inline constexpr std::uint32_t kStyleVisible = 0x10000000;
inline constexpr std::uint32_t kStyleSysMenu = 0x00080000;

// What the tests read of one window.
struct WindowFacts {
  std::wstring className;
  std::wstring title;  // the title as tested: see kTestedTitleBytes
  bool hasParent = false;
  int left = 0, top = 0, right = 0, bottom = 0;  // outer rectangle, screen pixels
  std::uint32_t style = 0;
};

// Style names, each followed by one blank, in a fixed order; some share bits
// or test any bit of a mask.
std::wstring GetStyleText(std::uint32_t style);

// True when title holds one of the six chat words (exact comparison).
bool HasChatWord(std::wstring_view title);

bool IsQqWindowClass(std::wstring_view className);

// The loose test of the enumeration: the QQ class, or a parentless window with
// a chat word in its title.
bool IsChatWindow(const WindowFacts& facts);

// The strict test's first part: the QQ class with the chat window's style
// set, no excluded title and more than 300 x 100 pixels.
bool PassesQqClassTest(const WindowFacts& facts);

// The strict test of the docking loop: the QQ class with the chat window's
// style set, no excluded title and more than 300 x 100 pixels; failing that,
// the loose test's chat-word rule. Always false in stand-alone mode.
bool CheckQQWin(const WindowFacts& facts, bool standAloneMode);

}  // namespace foundation
