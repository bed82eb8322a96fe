// Every message box of the programs goes through one replaceable reporter, so
// tests record the messages instead of blocking on a modal box.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace foundation {

// The title of the panel's and the editor's message boxes.
inline constexpr wchar_t kMessageTitle[] = L"提示";

// Box styles used throughout (icon + buttons).
inline constexpr UINT kBoxStop = MB_ICONSTOP | MB_OK;             // 16
inline constexpr UINT kBoxQuestion = MB_ICONQUESTION | MB_YESNO;  // 36
inline constexpr UINT kBoxWarning = MB_ICONEXCLAMATION | MB_OK;   // 48
inline constexpr UINT kBoxInfo = MB_ICONINFORMATION | MB_OK;      // 64

using MessageReporter = std::function<int(HWND owner, const std::wstring& text, const std::wstring& title, UINT style)>;

// Shows a box through the current reporter; returns the button pressed (IDOK, IDYES, ...).
int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT style);

// Replaces the reporter (an empty one restores MessageBoxW); returns the previous one.
MessageReporter SetMessageReporter(MessageReporter reporter);

// Installs a reporter for one scope.
class ScopedMessageReporter {
 public:
  explicit ScopedMessageReporter(MessageReporter reporter) : previous_(SetMessageReporter(std::move(reporter))) {}
  ScopedMessageReporter(const ScopedMessageReporter&) = delete;
  ScopedMessageReporter& operator=(const ScopedMessageReporter&) = delete;
  ~ScopedMessageReporter() { SetMessageReporter(std::move(previous_)); }

 private:
  MessageReporter previous_;
};

}  // namespace foundation
