#include "foundation/message_box.h"

namespace foundation {
namespace {

MessageReporter& CurrentReporter() {
  static MessageReporter reporter;
  return reporter;
}

}  // namespace

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& title, UINT style) {
  if (const MessageReporter& r = CurrentReporter()) return r(owner, text, title, style);
  return ::MessageBoxW(owner, text.c_str(), title.c_str(), style);
}

MessageReporter SetMessageReporter(MessageReporter reporter) {
  MessageReporter previous = std::move(CurrentReporter());
  CurrentReporter() = std::move(reporter);
  return previous;
}

}  // namespace foundation
