#include "support/tray_double.h"

#include <cstring>

namespace testing_support {
namespace {

constexpr wchar_t kTrayClass[] = L"Shell_TrayWnd";

// The start of the record Wine sends (platform-independent: the window as a
// 32-bit number, wide texts of fixed size).
struct WireRecord {
  LONG window;
  UINT id;
  UINT flags;
  UINT callbackMessage;
  WCHAR tip[128];
  DWORD state;
  DWORD stateMask;
  WCHAR info[256];
  UINT timeout;
  WCHAR infoTitle[64];
  DWORD infoFlags;
  GUID guid;
  UINT iconWidth;
  UINT iconHeight;
  UINT iconPlanes;
  UINT iconBitsPerPixel;
};

template <size_t N>
std::wstring Text(const WCHAR (&field)[N]) {
  size_t n = 0;
  while (n < N && field[n]) ++n;
  return std::wstring(field, n);
}

}  // namespace

TrayDouble::TrayDouble() {
  created_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = ::CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_);
  if (thread_) ::WaitForSingleObject(created_, 10000);
}

TrayDouble::~TrayDouble() {
  if (thread_) {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread_, 5000);
    ::CloseHandle(thread_);
  }
  if (created_) ::CloseHandle(created_);
}

DWORD WINAPI TrayDouble::ThreadMain(void* param) {
  auto* self = static_cast<TrayDouble*>(param);
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kTrayClass;
  ::RegisterClassW(&wc);
  HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTrayClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                nullptr, wc.hInstance, nullptr);
  ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  self->window_ = hwnd;
  ::SetEvent(self->created_);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  ::DestroyWindow(hwnd);
  return 0;
}

LRESULT CALLBACK TrayDouble::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    auto* self = reinterpret_cast<TrayDouble*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) self->Record(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    return TRUE;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void TrayDouble::Record(const COPYDATASTRUCT& data) {
  if (!data.lpData || data.cbData < sizeof(WireRecord)) return;
  WireRecord r;
  std::memcpy(&r, data.lpData, sizeof(r));
  TrayCall call;
  call.command = static_cast<DWORD>(data.dwData);
  call.window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(r.window));
  call.id = r.id;
  call.flags = r.flags;
  call.callbackMessage = r.callbackMessage;
  call.tip = Text(r.tip);
  call.info = Text(r.info);
  call.infoTitle = Text(r.infoTitle);
  call.timeout = r.timeout;
  call.infoFlags = r.infoFlags;
  call.hasIcon = r.iconWidth > 0 && data.cbData > sizeof(WireRecord);
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.push_back(std::move(call));
}

bool TrayDouble::Ready() const {
  return window_ && ::FindWindowExW(nullptr, nullptr, kTrayClass, nullptr) == window_;
}

std::vector<TrayCall> TrayDouble::Calls(HWND window) const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<TrayCall> out;
  for (const TrayCall& c : calls_)
    if (c.window == window) out.push_back(c);
  return out;
}

bool TrayDouble::WaitForCalls(HWND window, size_t count, DWORD timeoutMs) const {
  const DWORD start = ::GetTickCount();
  while (Calls(window).size() < count) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(10);
  }
  return true;
}

}  // namespace testing_support
