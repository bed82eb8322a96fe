// A stand-in for the QQ client's chat window, for end-to-end tests: it has
// exactly the window facts the panel relies on (class, style, size, title,
// input box at (left + 50, bottom - 50), "发送(S)" button) and logs what the
// panel does to it. Command line and log format: tests/fakes/README.md.
#include <windows.h>
#include <imm.h>
#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "foundation/ansi_text.h"
#include "foundation/handle_text.h"
#include "tests/fakes/qq/double_commands.h"

using foundation::HandleToText;
using foundation::ToUtf8;

namespace {

constexpr wchar_t kChatClass[] = L"TXGuiFoundation";
constexpr wchar_t kInputClass[] = L"TXGuiInputBox";
constexpr wchar_t kSendCaption[] = L"发送(S)";
constexpr int kSendButtonId = 1001;

struct Options {
  std::wstring title = L"张三 - 交谈中";
  int x = 100, y = 50, width = 500, height = 500;
  DWORD style = 0x960F0000;  // popup, visible, clip children/siblings, sysmenu, thick frame, min/max boxes
  std::wstring logPath;
  bool activate = true;  // --inactive: shown without taking the foreground
  bool richInput = false;  // --rich-input: the input box is a rich edit control
};

HANDLE g_log = INVALID_HANDLE_VALUE;
bool g_richInput = false;
HWND g_main = nullptr;
HWND g_input = nullptr;
HWND g_button = nullptr;
std::wstring g_inputText;  // what the input box holds

// Keeps each event on one line.
std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') out += "\\\\";
    else if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

// One UTF-8 line per event, written straight to the file so a test sees it at once.
void Log(const std::string& line) {
  if (g_log == INVALID_HANDLE_VALUE) return;
  std::string text = line + "\n";
  DWORD written = 0;
  ::WriteFile(g_log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::FlushFileBuffers(g_log);
}

std::string FormatName(UINT format) {
  static const struct {
    UINT id;
    const char* name;
  } kStandard[] = {{CF_TEXT, "CF_TEXT"},         {CF_BITMAP, "CF_BITMAP"},   {CF_METAFILEPICT, "CF_METAFILEPICT"},
                   {CF_OEMTEXT, "CF_OEMTEXT"},   {CF_DIB, "CF_DIB"},         {CF_PALETTE, "CF_PALETTE"},
                   {CF_UNICODETEXT, "CF_UNICODETEXT"}, {CF_ENHMETAFILE, "CF_ENHMETAFILE"}, {CF_HDROP, "CF_HDROP"},
                   {CF_LOCALE, "CF_LOCALE"},     {CF_DIBV5, "CF_DIBV5"}};
  for (const auto& s : kStandard) {
    if (s.id == format) return s.name;
  }
  wchar_t name[256];
  int n = ::GetClipboardFormatNameW(format, name, 256);
  if (n > 0) return ToUtf8(std::wstring(name, static_cast<size_t>(n)));
  return "#" + std::to_string(format);
}

// The fragment between the offsets the "HTML Format" header gives (UTF-8 bytes).
std::string HtmlFragment(const std::string& html) {
  auto offset = [&](const char* key) -> long {
    size_t p = html.find(key);
    if (p == std::string::npos) return -1;
    return std::strtol(html.c_str() + p + std::strlen(key), nullptr, 10);
  };
  long start = offset("StartFragment:");
  long end = offset("EndFragment:");
  if (start < 0 || end < start || static_cast<size_t>(end) > html.size()) return html;
  return html.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

bool OpenClipboardRetrying(HWND owner) {
  for (int i = 0; i < 50; ++i) {
    if (::OpenClipboard(owner)) return true;
    ::Sleep(10);
  }
  return false;
}

void LogInputText() { Log("text input=" + Escape(ToUtf8(g_inputText))); }

// Logs the clipboard and, like a chat box, appends its text.
void Paste() {
  if (!OpenClipboardRetrying(g_input)) {
    Log("paste error=clipboard-busy");
    return;
  }
  std::wstring pasted;
  std::string formats;
  for (UINT f = ::EnumClipboardFormats(0); f != 0; f = ::EnumClipboardFormats(f)) {
    if (!formats.empty()) formats += ",";
    formats += FormatName(f);
  }
  Log("paste formats=" + formats);

  const UINT htmlFormat = ::RegisterClipboardFormatW(L"HTML Format");
  if (HANDLE h = ::GetClipboardData(htmlFormat)) {
    if (const char* p = static_cast<const char*>(::GlobalLock(h))) {
      std::string html(p, strnlen(p, ::GlobalSize(h)));
      ::GlobalUnlock(h);
      Log("paste html=" + Escape(HtmlFragment(html)));
    }
  }
  if (HANDLE h = ::GetClipboardData(CF_DIB)) {
    if (const auto* info = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(h))) {
      if (::GlobalSize(h) >= sizeof(BITMAPINFOHEADER)) {
        Log("paste bitmap=" + std::to_string(info->biWidth) + "x" + std::to_string(std::labs(info->biHeight)));
      }
      ::GlobalUnlock(h);
    }
  } else if (HANDLE b = ::GetClipboardData(CF_BITMAP)) {
    BITMAP bm{};
    if (::GetObjectW(b, sizeof(bm), &bm)) {
      Log("paste bitmap=" + std::to_string(bm.bmWidth) + "x" + std::to_string(bm.bmHeight));
    }
  }
  if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const wchar_t* p = static_cast<const wchar_t*>(::GlobalLock(h))) {
      pasted.assign(p, wcsnlen(p, ::GlobalSize(h) / sizeof(wchar_t)));
      ::GlobalUnlock(h);
      Log("paste text=" + Escape(ToUtf8(pasted)));
    }
  }
  ::CloseClipboard();
  if (!pasted.empty()) {
    g_inputText += pasted;
    LogInputText();
  }
}

// Typed characters edit the box's text as a chat box does: Backspace takes
// the last character off, Enter sends the text and empties the box, other
// control characters (Ctrl+V's among them) change nothing.
void TypeInput(wchar_t c) {
  if (c == L'\b') {
    if (g_inputText.empty()) return;
    g_inputText.pop_back();
    if (!g_inputText.empty() && IS_HIGH_SURROGATE(g_inputText.back())) g_inputText.pop_back();
  } else if (c == L'\r') {
    Log("send text=" + Escape(ToUtf8(g_inputText)));
    g_inputText.clear();
  } else if (c < 0x20) {
    return;
  } else {
    g_inputText += c;
  }
  LogInputText();
}

// A rich edit box keeps its own text: each change is logged as it stands.
void LogRichInputText() {
  const int n = ::GetWindowTextLengthW(g_input);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(g_input, text.data(), n + 1)));
  g_inputText = text;
  LogInputText();
}

// An input method's result, made as an input method makes it: the text set
// as the composition of the focused window's input context, then completed.
void Compose(const std::wstring& text) {
  HWND focus = ::GetFocus();
  HIMC context = focus ? ::ImmGetContext(focus) : nullptr;
  if (!context) {
    Log("compose error=no-context");
    return;
  }
  ::ImmSetOpenStatus(context, TRUE);
  ::ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(text.data()),
                             static_cast<DWORD>(text.size() * sizeof(wchar_t)), nullptr, 0);
  ::ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
  ::ImmReleaseContext(focus, context);
}

// While set, every activation of the chat window is refused (a thread-local
// CBT hook on the double's own thread).
HHOOK g_refuseFront = nullptr;

LRESULT CALLBACK RefuseActivation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && reinterpret_cast<HWND>(wParam) == g_main) {
    Log("activate refused");
    return 1;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void RefuseFront(bool refuse) {
  if (refuse && !g_refuseFront) {
    g_refuseFront = ::SetWindowsHookExW(WH_CBT, RefuseActivation, nullptr, ::GetCurrentThreadId());
  } else if (!refuse && g_refuseFront) {
    ::UnhookWindowsHookEx(g_refuseFront);
    g_refuseFront = nullptr;
  }
}

// Milliseconds the next click of the send button hangs for (0: none).
DWORD g_hangSendMs = 0;

void LogKey(const char* what, WPARAM vk, const char* where) {
  char line[96];
  const int ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) ? 1 : 0;
  std::snprintf(line, sizeof(line), "key %s vk=0x%02X ctrl=%d in=%s", what, static_cast<unsigned>(vk), ctrl, where);
  Log(line);
}

// Both windows log the keys they get; Ctrl+V pastes only in the input box.
bool HandleKey(HWND hwnd, UINT msg, WPARAM wParam) {
  const char* where = hwnd == g_input ? "input" : hwnd == g_button ? "button" : "main";
  if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) {
    LogKey("down", wParam, where);
    if (hwnd == g_input && wParam == 'V' && (::GetKeyState(VK_CONTROL) & 0x8000)) Paste();
    return true;
  }
  if (msg == WM_KEYUP || msg == WM_SYSKEYUP) {
    LogKey("up", wParam, where);
    return true;
  }
  return false;
}

LRESULT CALLBACK InputProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETFOCUS:
      // The panel sends WM_SETFOCUS itself; like the client's box, take the
      // real focus then (the second, system-sent WM_SETFOCUS finds it held).
      if (::GetFocus() != hwnd) {
        ::SetFocus(hwnd);
      } else {
        Log("focus input");
      }
      return 0;
    case WM_LBUTTONDOWN:
      ::SetFocus(hwnd);
      return 0;
    case WM_CHAR:
      TypeInput(static_cast<wchar_t>(wParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      RECT r;
      ::GetClientRect(hwnd, &r);
      ::FillRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      ::FrameRect(dc, &r, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      if (HandleKey(hwnd, msg, wParam)) return 0;
      return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void LayoutChildren(HWND hwnd) {
  RECT c;
  ::GetClientRect(hwnd, &c);
  const int w = c.right, h = c.bottom;
  // The box spans the lower part, leaving the button row below it, so the
  // point 50 px above the outer bottom edge lies inside it at every size.
  const int boxTop = h > 160 ? h - 150 : 0;
  const int boxBottom = h > 40 ? h - 36 : h;
  ::MoveWindow(g_input, 4, boxTop, w > 8 ? w - 8 : w, boxBottom - boxTop, TRUE);
  ::MoveWindow(g_button, w > 96 ? w - 92 : 0, h > 32 ? h - 32 : 0, 88, 28, TRUE);
}

LRESULT CALLBACK ChatProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
      if (g_richInput) ::LoadLibraryW(L"Msftedit.dll");
      g_input = ::CreateWindowExW(WS_EX_CLIENTEDGE, g_richInput ? MSFTEDIT_CLASS : kInputClass, L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 10, 10, hwnd, nullptr, cs->hInstance,
                                  nullptr);
      if (g_richInput) ::SendMessageW(g_input, EM_SETEVENTMASK, 0, ENM_CHANGE);
      g_button = ::CreateWindowExW(0, L"Button", kSendCaption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 10, 10, hwnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSendButtonId)), cs->hInstance, nullptr);
      return 0;
    }
    case WM_SIZE:
      LayoutChildren(hwnd);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        Log("activate");
        ::SetFocus(g_input);
      } else {
        Log("deactivate");
      }
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kSendButtonId && HIWORD(wParam) == BN_CLICKED) {
        Log("click " + ToUtf8(kSendCaption));
        if (const DWORD hang = std::exchange(g_hangSendMs, 0)) {
          ::Sleep(hang);
          Log("hang over");
        }
        return 0;
      }
      if (g_richInput && HIWORD(wParam) == EN_CHANGE && reinterpret_cast<HWND>(lParam) == g_input) {
        LogRichInputText();
        return 0;
      }
      break;
    case WM_COPYDATA: {
      const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (data->dwData == qq_double::kRefuseFrontTag || data->dwData == qq_double::kAllowFrontTag) {
        RefuseFront(data->dwData == qq_double::kRefuseFrontTag);
        return TRUE;
      }
      if (data->dwData == qq_double::kHangSendTag && data->cbData == sizeof(DWORD)) {
        g_hangSendMs = *static_cast<const DWORD*>(data->lpData);
        return TRUE;
      }
      if (data->dwData != qq_double::kComposeTag) break;
      Compose(std::wstring(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t)));
      return TRUE;
    }
    case WM_CLOSE:
      Log("close");
      ::DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      if (HandleKey(hwnd, msg, wParam)) return 0;
      break;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool ParseInt(const wchar_t* text, int* value) {
  wchar_t* end = nullptr;
  long v = std::wcstol(text, &end, 10);
  if (end == text || *end != L'\0') return false;
  *value = static_cast<int>(v);
  return true;
}

bool ParseOptions(int argc, wchar_t** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"--inactive") {
      o->activate = false;
      continue;
    }
    if (a == L"--rich-input") {
      o->richInput = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const wchar_t* v = argv[++i];
    if (a == L"--log") {
      o->logPath = v;
    } else if (a == L"--title") {
      o->title = v;
    } else if (a == L"--x") {
      if (!ParseInt(v, &o->x)) return false;
    } else if (a == L"--y") {
      if (!ParseInt(v, &o->y)) return false;
    } else if (a == L"--width") {
      if (!ParseInt(v, &o->width)) return false;
    } else if (a == L"--height") {
      if (!ParseInt(v, &o->height)) return false;
    } else if (a == L"--style") {
      wchar_t* end = nullptr;
      unsigned long s = std::wcstoul(v, &end, 16);
      if (end == v || *end != L'\0') return false;
      o->style = static_cast<DWORD>(s);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  Options o;
  const bool ok = argv && ParseOptions(argc, argv, &o);
  if (argv) ::LocalFree(argv);
  if (!ok) return 2;
  g_richInput = o.richInput;
  if (!o.logPath.empty()) {
    g_log = ::CreateFileW(o.logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }

  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = ChatProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kChatClass;
  ::RegisterClassExW(&wc);
  wc.lpfnWndProc = InputProc;
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kInputClass;
  ::RegisterClassExW(&wc);

  g_main = ::CreateWindowExW(0, kChatClass, o.title.c_str(), o.style & ~WS_VISIBLE, o.x, o.y, o.width, o.height, nullptr,
                             nullptr, instance, nullptr);
  if (!g_main) return 1;
  // Styles the system adds or drops at creation (a caption on an overlapped
  // window) are put back to what was asked for.
  ::SetWindowLongW(g_main, GWL_STYLE, static_cast<LONG>(o.style & ~WS_VISIBLE));
  ::SetWindowPos(g_main, nullptr, o.x, o.y, o.width, o.height, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  if ((o.style & WS_VISIBLE) && o.activate) {
    ::ShowWindow(g_main, SW_SHOW);
    ::SetForegroundWindow(g_main);
  } else if (o.style & WS_VISIBLE) {
    ::ShowWindow(g_main, SW_SHOWNOACTIVATE);
  }
  LayoutChildren(g_main);
  Log("ready hwnd=" + ToUtf8(HandleToText(g_main)) + " input=" + ToUtf8(HandleToText(g_input)) +
      " button=" + ToUtf8(HandleToText(g_button)) + " pid=" + std::to_string(::GetCurrentProcessId()));

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // The send button takes the focus when clicked: keys that reach it are
    // logged too (the button itself is a standard control).
    if (msg.hwnd == g_button) HandleKey(g_button, msg.message, msg.wParam);
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  Log("exit");
  if (g_log != INVALID_HANDLE_VALUE) ::CloseHandle(g_log);
  return 0;
}
