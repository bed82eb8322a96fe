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

std::uint32_t ReadStyle(HWND hwnd) { return static_cast<std::uint32_t>(::GetWindowLongW(hwnd, GWL_STYLE)); }

bool ReadRect(HWND hwnd, WindowFacts* f) {
  RECT r{};
  if (!::GetWindowRect(hwnd, &r)) return false;
  f->left = r.left;
  f->top = r.top;
  f->right = r.right;
  f->bottom = r.bottom;
  return true;
}

}  // namespace

std::wstring ReadWindowClassName(HWND hwnd) {
  wchar_t buf[256];
  const int n = ::GetClassNameW(hwnd, buf, 256);
  return std::wstring(buf, n > 0 ? static_cast<size_t>(n) : 0);
}

std::wstring ReadTestedTitle(HWND hwnd) { return PrefixFittingAnsiBytes(ReadTitleStart(hwnd), kTestedTitleBytes); }

WindowFacts ReadWindowFacts(HWND hwnd) {
  WindowFacts f;
  f.className = ReadWindowClassName(hwnd);
  f.title = ReadTestedTitle(hwnd);
  f.hasParent = ::GetParent(hwnd) != nullptr;
  ReadRect(hwnd, &f);
  f.style = ReadStyle(hwnd);
  return f;
}

std::wstring GetStyleText(HWND hwnd) { return GetStyleText(ReadStyle(hwnd)); }

namespace {

bool IsQqClassWindow(HWND hwnd, WindowClassMemo* memo) {
  if (!memo) return IsQqWindowClass(ReadWindowClassName(hwnd));
  const std::int32_t value = HandleValue(hwnd);
  const int known = memo->Find(value);
  if (known >= 0) return known == 1;
  const std::wstring className = ReadWindowClassName(hwnd);
  const bool qq = IsQqWindowClass(className);
  // An empty name means the window is gone: nothing to remember.
  if (!className.empty()) memo->Remember(value, qq);
  return qq;
}

// Same answer as the pure test on ReadWindowFacts, reading only what the
// answer needs: this runs for every visible top-level window on every tick,
// and each read of another process's window is a server round trip under
// Wine, so the parent, rarely needed, is read last.
bool IsChatWindowReading(HWND hwnd, WindowClassMemo* memo) {
  if (IsQqClassWindow(hwnd, memo)) return true;
  const std::wstring start = ReadTitleStart(hwnd);
  // A word missing from the start of the title is missing from its tested
  // prefix too; only a hit needs the code-page measurement.
  if (!HasChatWord(start) || !HasChatWord(PrefixFittingAnsiBytes(start, kTestedTitleBytes))) return false;
  return ::GetParent(hwnd) == nullptr;
}

}  // namespace

bool IsChatWindow(HWND hwnd) { return IsChatWindowReading(hwnd, nullptr); }

bool CheckQQWin(HWND hwnd, bool standAloneMode) {
  if (standAloneMode) return false;
  StrictTestReading reading;
  return CheckQQWinOfClass(hwnd, ReadWindowClassName(hwnd), &reading);
}

bool CheckQQWinOfClass(HWND hwnd, std::wstring className, StrictTestReading* reading) {
  // The pure test's answer, reading only the facts that can change it (it
  // runs on every docking tick): style and size matter only for the QQ class,
  // the parent only for a title with a chat word that the first test refused.
  *reading = StrictTestReading{};
  WindowFacts& f = reading->facts;
  f.className = std::move(className);
  f.title = ReadTestedTitle(hwnd);
  if (IsQqWindowClass(f.className)) {
    f.style = ReadStyle(hwnd);
    reading->rectRead = ReadRect(hwnd, &f);
    if (PassesQqClassTest(f)) return true;
  }
  if (!HasChatWord(f.title)) return false;
  f.hasParent = ::GetParent(hwnd) != nullptr;
  return CheckQQWin(f, false);
}

int IsChatWindowListed(const ChatWindowList& list, HWND hwnd) { return list.IndexOfHandle(HandleValue(hwnd)); }

namespace {

// The enumeration's tests past the list lookup.
bool PassesEnumerationTests(HWND hwnd, std::uint32_t style, WindowClassMemo* memo) {
  // The style first: it drops most windows before anything else is read.
  if (!(style & kStyleVisible) || !(style & kStyleSysMenu)) return false;
  if (!IsChatWindowReading(hwnd, memo)) return false;
  // Wine's EnumDesktopWindows goes on into the message-only windows, which
  // can carry any style bits; only top-level windows count.
  return ::GetAncestor(hwnd, GA_PARENT) == ::GetDesktopWindow();
}

}  // namespace

bool WouldBeListed(HWND hwnd) { return PassesEnumerationTests(hwnd, ReadStyle(hwnd), nullptr); }

BOOL CALLBACK EnumChatWindowsProc(HWND hwnd, LPARAM lParam) {
  auto* list = reinterpret_cast<ChatWindowList*>(lParam);
  if (!list) return TRUE;
  // The list lookup reads nothing of the window.
  if (IsChatWindowListed(*list, hwnd) || !PassesEnumerationTests(hwnd, ReadStyle(hwnd), &list->classMemo()))
    return TRUE;
  list->Add(ChatWindowList::KeyFor(HandleValue(hwnd)), ReadFullTitle(hwnd), HandleToText(hwnd));
  return TRUE;
}

void EnumChatWindows(ChatWindowList& list) {
  // The same top-level windows as EnumWindows, without the IsWindow round trip
  // Wine's EnumWindows makes for each of them: the callback's style read
  // already drops a window destroyed meanwhile (its style reads as 0).
  list.classMemo().BeginPass();
  ::EnumDesktopWindows(nullptr, EnumChatWindowsProc, reinterpret_cast<LPARAM>(&list));
  list.classMemo().EndPass();
}

namespace {

BOOL CALLBACK CollectHandle(HWND hwnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

}  // namespace

void ListTopLevelWindows(std::vector<HWND>* handles) {
  handles->clear();
  ::EnumDesktopWindows(nullptr, CollectHandle, reinterpret_cast<LPARAM>(handles));
}

void PruneChatWindowList(ChatWindowList& list) {
  for (int i = list.Count(); i >= 1; --i) {
    HWND hwnd = nullptr;
    if (!TextToHandle(list.Item(i).handleText, &hwnd)) continue;
    if (!::IsWindow(hwnd)) list.Remove(i);
  }
}

}  // namespace foundation
