// Records every message box instead of showing it, answering with a scripted button.
#pragma once
#include <string>
#include <vector>

#include "foundation/message_box.h"

namespace testing_support {

struct RecordedMessage {
  std::wstring text;
  std::wstring title;
  unsigned style;
};

class MessageRecorder {
 public:
  explicit MessageRecorder(int answer = IDOK)
      : scope_([this, answer](HWND, const std::wstring& text, const std::wstring& title, UINT style) {
          messages.push_back({text, title, style});
          return answer;
        }) {}
  std::vector<RecordedMessage> messages;

 private:
  foundation::ScopedMessageReporter scope_;
};

}  // namespace testing_support
