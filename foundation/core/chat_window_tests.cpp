#include "foundation/core/chat_window_tests.h"

#include "foundation/text_compare.h"

namespace foundation {
namespace {

struct StyleName {
  std::uint32_t mask;
  const wchar_t* name;
};

// Order and masks as the client's style text has always been built; row 2 and
// row 12 test any bit of their mask.
constexpr StyleName kStyleNames[] = {
    {0x00800000, L"WS_BORDER "},    {0x00C00000, L"WS_CAPTION "},     {0x40000000, L"WS_CHILD "},
    {0x02000000, L"WS_CLIPCHILDREN "}, {0x04000000, L"WS_CLIPSIBLINGS "}, {0x00400000, L"WS_DLGFRAME "},
    {0x00020000, L"WS_GROUP "},     {0x00100000, L"WS_HSCROLL "},     {0x00010000, L"WS_MAXIMIZEBOX "},
    {0x00020000, L"WS_MINIMIZEBOX "}, {0x00080000, L"WS_SYSMENU "},   {0x80880000, L"WS_POPUPWINDOW "},
    {0x00010000, L"WS_TABSTOP "},   {0x00040000, L"WS_THICKFRAME "},  {0x10000000, L"WS_VISIBLE "},
    {0x00200000, L"WS_VSCROLL "},
};

constexpr std::wstring_view kChatWords[] = {
    L"高级群", L" \xFF0D 群", L"正在输入", L"交谈中", L"发送消息", L"聊天中",
};

constexpr std::wstring_view kExcludedTitles[] = {L"QQ2009 Preview", L"消息管理器"};

}  // namespace

bool PassesQqClassTest(const WindowFacts& f) {
  if (!IsQqWindowClass(f.className)) return false;
  if (!ContainsText(GetStyleText(f.style), kChatWindowStyleText)) return false;
  for (std::wstring_view excluded : kExcludedTitles) {
    if (ContainsText(f.title, excluded)) return false;
  }
  // 64-bit arithmetic: a hostile rectangle must not overflow into a pass.
  const long long height = static_cast<long long>(f.bottom) - f.top;
  const long long width = static_cast<long long>(f.right) - f.left;
  return height > kMaxRefusedHeight && width > kMaxRefusedWidth;
}

namespace {

bool PassesChatWordRule(const WindowFacts& f) { return !f.hasParent && HasChatWord(f.title); }

}  // namespace

std::wstring GetStyleText(std::uint32_t style) {
  std::wstring text;
  for (const StyleName& s : kStyleNames) {
    if (style & s.mask) text += s.name;
  }
  return text;
}

bool HasChatWord(std::wstring_view title) {
  for (std::wstring_view word : kChatWords) {
    if (title.find(word) != std::wstring_view::npos) return true;
  }
  return false;
}

bool IsQqWindowClass(std::wstring_view className) { return ContainsText(className, kQqWindowClass); }

bool IsChatWindow(const WindowFacts& facts) {
  if (IsQqWindowClass(facts.className)) return true;
  return PassesChatWordRule(facts);
}

bool CheckQQWin(const WindowFacts& facts, bool standAloneMode) {
  if (standAloneMode) return false;
  if (PassesQqClassTest(facts)) return true;
  return PassesChatWordRule(facts);
}

}  // namespace foundation
