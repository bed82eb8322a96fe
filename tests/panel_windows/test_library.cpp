#include "test_library.h"

#include "foundation/core/literal_path.h"

namespace panel_windows_test {

TestLibrary::TestLibrary() : root_(dir_ / L"Face"), outside_(dir_ / L"outside") {
  ::CreateDirectoryW(root_.c_str(), nullptr);
  ::CreateDirectoryW(outside_.c_str(), nullptr);
}

std::wstring TestLibrary::PathOf(const std::wstring& relative) const {
  return foundation::LiteralPath(root_ + L"\\" + relative);
}

void TestLibrary::AddFolder(const std::wstring& relative) const { ::CreateDirectoryW(PathOf(relative).c_str(), nullptr); }

void TestLibrary::AddFile(const std::wstring& relative, const std::string& content) const {
  testing_support::WriteFileBytes(PathOf(relative), content);
}

std::string TestLibrary::Content(const std::wstring& relative) const {
  return testing_support::ReadFileBytes(PathOf(relative));
}

bool TestLibrary::HasFile(const std::wstring& relative) const {
  const DWORD a = ::GetFileAttributesW(PathOf(relative).c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TestLibrary::HasFolder(const std::wstring& relative) const {
  const DWORD a = ::GetFileAttributesW(PathOf(relative).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

LockedFile::LockedFile(const std::wstring& path)
    : handle_(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)) {}

LockedFile::~LockedFile() {
  if (handle_ != INVALID_HANDLE_VALUE) ::CloseHandle(handle_);
}

void PumpPending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void TypeInto(HWND control, const std::wstring& text) {
  ::SetFocus(control);
  for (wchar_t c : text) ::PostMessageW(control, WM_CHAR, c, 1);
  PumpPending();
}

void ClickOn(HWND control) {
  ::SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ::SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  PumpPending();
}

void PressEscapeOn(HWND control) {
  ::SetFocus(control);
  ::PostMessageW(control, WM_KEYDOWN, VK_ESCAPE, 1);
  ::PostMessageW(control, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  PumpPending();
}

std::wstring WindowText(HWND window) {
  wchar_t buf[512] = {};
  ::GetWindowTextW(window, buf, 512);
  return buf;
}

}  // namespace panel_windows_test
