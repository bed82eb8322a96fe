#include "foundation/core/chat_window_list.h"

#include <iterator>

namespace foundation {
namespace {

constexpr std::wstring_view kKeyPrefix = L"ID:";

}  // namespace

int WindowClassMemo::Find(std::int32_t handle) {
  if (!inPass_) return -1;
  auto it = entries_.find(handle);
  if (it == entries_.end()) return -1;
  it->second.seenInPass = pass_;
  return it->second.qqClass ? 1 : 0;
}

void WindowClassMemo::EndPass() {
  inPass_ = false;
  for (auto it = entries_.begin(); it != entries_.end();) {
    it = it->second.seenInPass == pass_ ? std::next(it) : entries_.erase(it);
  }
}

std::wstring Int32ToText(std::int32_t value) { return std::to_wstring(value); }

bool TextToInt32(std::wstring_view text, std::int32_t* value) {
  *value = 0;
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && text[i] == L'-') {
    negative = true;
    ++i;
  }
  if (i == text.size() || text.size() - i > 10) return false;
  long long n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    n = n * 10 + (text[i] - L'0');
  }
  if (negative) n = -n;
  if (n < INT32_MIN || n > INT32_MAX) return false;
  *value = static_cast<std::int32_t>(n);
  return true;
}

std::wstring ChatWindowList::KeyFor(std::int32_t handleValue) {
  return std::wstring(kKeyPrefix) + Int32ToText(handleValue);
}

int ChatWindowList::IndexOfKey(std::wstring_view key) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].item.key == key) return static_cast<int>(i) + 1;
  }
  return 0;
}

int ChatWindowList::IndexOfHandle(std::int32_t handleValue) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].keyHasHandle && items_[i].keyHandle == handleValue) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool ChatWindowList::Add(std::wstring key, std::wstring text, std::wstring handleText) {
  if (IndexOfKey(key) != 0) return false;
  Entry e;
  std::wstring_view k = key;
  // Only the canonical form maps to a handle, so that "ID:007" and "ID:7" stay
  // different keys as they are for the key lookup.
  if (k.substr(0, kKeyPrefix.size()) == kKeyPrefix) {
    std::int32_t value = 0;
    if (TextToInt32(k.substr(kKeyPrefix.size()), &value) && KeyFor(value) == key) {
      e.keyHasHandle = true;
      e.keyHandle = value;
    }
  }
  e.item = {std::move(key), std::move(text), std::move(handleText)};
  items_.push_back(std::move(e));
  return true;
}

void ChatWindowList::Remove(int index) {
  if (index < 1 || index > Count()) return;
  items_.erase(items_.begin() + (index - 1));
}

}  // namespace foundation
