// The keyed list of chat windows seen so far, owned by the panel window.
// Each item: key "ID:" & handle (signed 32-bit decimal), the title when added
// (information only), and sub-item 1, the handle in signed decimal again.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

namespace foundation {

// Whether a window's class is the QQ class, per handle seen in the latest
// enumeration: a window's class never changes, and reading it costs a server
// round trip under Wine on every tick. Handles not seen during a pass are
// forgotten at its end, so a handle reused later is read afresh.
class WindowClassMemo {
 public:
  void BeginPass() {
    ++pass_;
    inPass_ = true;
  }
  // 1 or 0 for a remembered verdict (the handle counts as seen), -1 unknown.
  // Outside a pass nothing is remembered or answered.
  int Find(std::int32_t handle);
  void Remember(std::int32_t handle, bool qqClass) {
    if (inPass_) entries_[handle] = {qqClass, pass_};
  }
  void EndPass();
  size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    bool qqClass;
    unsigned seenInPass;
  };
  std::unordered_map<std::int32_t, Entry> entries_;
  unsigned pass_ = 0;
  bool inPass_ = false;
};

struct ChatWindowItem {
  std::wstring key;
  std::wstring text;
  std::wstring handleText;  // sub-item 1
};

class ChatWindowList {
 public:
  static std::wstring KeyFor(std::int32_t handleValue);

  int Count() const { return static_cast<int>(items_.size()); }
  // 1-based index of the item with this key, 0 when there is none.
  int IndexOfKey(std::wstring_view key) const;
  // The same lookup by the handle the key was made from, without building the key.
  int IndexOfHandle(std::int32_t handleValue) const;
  // false (nothing added) when the key is already there.
  bool Add(std::wstring key, std::wstring text, std::wstring handleText);
  // index from 1; out-of-range indexes are ignored.
  void Remove(int index);
  const ChatWindowItem& Item(int index) const { return items_[static_cast<size_t>(index - 1)].item; }
  void Clear() { items_.clear(); }

  // Kept with the list so that its owner holds everything the enumeration
  // carries from one tick to the next; not part of the items.
  WindowClassMemo& classMemo() { return classMemo_; }

 private:
  struct Entry {
    ChatWindowItem item;
    // The handle value behind the key, parsed once when added; keys that
    // don't have the "ID:" form never match a handle lookup.
    bool keyHasHandle = false;
    std::int32_t keyHandle = 0;
  };
  std::vector<Entry> items_;
  WindowClassMemo classMemo_;
};

// Signed 32-bit decimal text of a handle value, and back; false (value 0) for
// anything but an optional "-" and digits that fit 32 bits.
std::wstring Int32ToText(std::int32_t value);
bool TextToInt32(std::wstring_view text, std::int32_t* value);

}  // namespace foundation
