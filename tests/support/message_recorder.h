// Records every message box instead of showing it, answering with a scripted button.
#pragma once
#include <deque>
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
  // Every box is answered with answer, except that the boxes of a script
  // (Script) take its answers first, one each, in order.
  explicit MessageRecorder(int answer = IDOK)
      : scope_([this, answer](HWND, const std::wstring& text, const std::wstring& title, UINT style) {
          messages.push_back({text, title, style});
          if (script_.empty()) return answer;
          const int next = script_.front();
          script_.pop_front();
          return next;
        }) {}
  void Script(std::initializer_list<int> answers) { script_.assign(answers.begin(), answers.end()); }
  // The texts of the boxes so far.
  std::vector<std::wstring> Texts() const {
    std::vector<std::wstring> out;
    for (const RecordedMessage& m : messages) out.push_back(m.text);
    return out;
  }
  std::vector<RecordedMessage> messages;

 private:
  std::deque<int> script_;
  foundation::ScopedMessageReporter scope_;
};

}  // namespace testing_support
