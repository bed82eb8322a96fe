#include "foundation/chat_windows.h"

#include "foundation/ansi_text.h"
#include "foundation/handle_text.h"

namespace foundation {

HWND ChatWindowHandle = nullptr;

namespace {

// No prefix that fits 25 bytes holds more than 25 characters; a few more are
// read so that a surrogate pair at the edge is seen whole.
constexpr int kTitleStartChars = 32;

std::wstring ReadTitleStart(HWND hwnd) {
  wchar_t buf[kTitleStartChars + 1];
  const int n = ::GetWindowTextW(hwnd, buf, kTitleStartChars + 1);
  return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring ReadFullTitle(HWND hwnd) {
  const int length = ::GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring title(static_cast<size_t>(length) + 1, L'\0');
  const int n = ::GetWindowTextW(hwnd, title.data(), length + 1);
  title.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return title;
}

std::wstring ReadClassName(HWND hwnd) {
  wchar_t buf[256];
  const int n = ::GetClassNameW(hwnd, buf, 256);
  return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

std::uint32_t ReadStyle(HWND hwnd) { return static_cast<std::uint32_t>(::GetWindowLongW(hwnd, GWL_STYLE)); }

}  // namespace

std::wstring ReadTestedTitle(HWND hwnd) { return PrefixFittingAnsiBytes(ReadTitleStart(hwnd), kTestedTitleBytes); }

WindowFacts ReadWindowFacts(HWND hwnd) {
  WindowFacts f;
  f.className = ReadClassName(hwnd);
  f.title = ReadTestedTitle(hwnd);
  f.hasParent = ::GetParent(hwnd) != nullptr;
  RECT r{};
  if (::GetWindowRect(hwnd, &r)) {
    f.left = r.left;
    f.top = r.top;
    f.right = r.right;
    f.bottom = r.bottom;
  }
  f.style = ReadStyle(hwnd);
  return f;
}

std::wstring GetStyleText(HWND hwnd) { return GetStyleText(ReadStyle(hwnd)); }

bool IsChatWindow(HWND hwnd) {
  // Same answer as the pure test on ReadWindowFacts, reading only what the
  // answer needs: this runs for every visible top-level window on every tick.
  if (IsQqWindowClass(ReadClassName(hwnd))) return true;
  if (::GetParent(hwnd)) return false;
  const std::wstring start = ReadTitleStart(hwnd);
  // A word missing from the start of the title is missing from its tested
  // prefix too; only a hit needs the code-page measurement.
  if (!HasChatWord(start)) return false;
  return HasChatWord(PrefixFittingAnsiBytes(start, kTestedTitleBytes));
}

bool CheckQQWin(HWND hwnd, bool standAloneMode) {
  if (standAloneMode) return false;
  return CheckQQWin(ReadWindowFacts(hwnd), standAloneMode);
}

int IsChatWindowListed(const ChatWindowList& list, HWND hwnd) { return list.IndexOfHandle(HandleValue(hwnd)); }

BOOL CALLBACK EnumChatWindowsProc(HWND hwnd, LPARAM lParam) {
  auto* list = reinterpret_cast<ChatWindowList*>(lParam);
  if (!list) return TRUE;
  const std::uint32_t style = ReadStyle(hwnd);
  if (!(style & kStyleVisible) || !(style & kStyleSysMenu)) return TRUE;
  if (IsChatWindowListed(*list, hwnd) || !IsChatWindow(hwnd)) return TRUE;
  list->Add(ChatWindowList::KeyFor(HandleValue(hwnd)), ReadFullTitle(hwnd), HandleToText(hwnd));
  return TRUE;
}

void EnumChatWindows(ChatWindowList& list) { ::EnumWindows(EnumChatWindowsProc, reinterpret_cast<LPARAM>(&list)); }

void PruneChatWindowList(ChatWindowList& list) {
  for (int i = list.Count(); i >= 1; --i) {
    HWND hwnd = nullptr;
    if (!TextToHandle(list.Item(i).handleText, &hwnd)) continue;
    if (!::IsWindow(hwnd)) list.Remove(i);
  }
}

}  // namespace foundation
