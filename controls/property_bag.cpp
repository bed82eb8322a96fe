#include "controls/property_bag.h"

#include <cwctype>

namespace controls {

namespace {

bool KeyEquals(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

}  // namespace

void PropertyBag::Write(const std::wstring& key, const Value& value, const std::optional<Value>& defaultValue) {
  Remove(key);
  if (defaultValue && *defaultValue == value) return;
  entries_.emplace_back(key, value);
}

const PropertyBag::Value* PropertyBag::Find(const std::wstring& key) const {
  for (const auto& [name, value] : entries_) {
    if (KeyEquals(name, key)) return &value;
  }
  return nullptr;
}

bool PropertyBag::Remove(const std::wstring& key) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (KeyEquals(it->first, key)) {
      entries_.erase(it);
      return true;
    }
  }
  return false;
}

std::vector<std::wstring> PropertyBag::Keys() const {
  std::vector<std::wstring> keys;
  for (const auto& entry : entries_) keys.push_back(entry.first);
  return keys;
}

bool PropertyBag::ReadBool(const std::wstring& key, bool defaultValue) const {
  const Value* v = Find(key);
  if (!v) return defaultValue;
  if (auto b = std::get_if<bool>(v)) return *b;
  if (auto n = std::get_if<int32_t>(v)) return *n != 0;
  return defaultValue;
}

int32_t PropertyBag::ReadLong(const std::wstring& key, int32_t defaultValue) const {
  const Value* v = Find(key);
  if (!v) return defaultValue;
  if (auto n = std::get_if<int32_t>(v)) return *n;
  if (auto b = std::get_if<bool>(v)) return *b ? -1 : 0;
  return defaultValue;
}

uint32_t PropertyBag::ReadColor(const std::wstring& key, uint32_t defaultValue) const {
  return static_cast<uint32_t>(ReadLong(key, static_cast<int32_t>(defaultValue)));
}

std::wstring PropertyBag::ReadString(const std::wstring& key, const std::wstring& defaultValue) const {
  const Value* v = Find(key);
  if (!v) return defaultValue;
  if (auto s = std::get_if<std::wstring>(v)) return *s;
  return defaultValue;
}

FontSpec PropertyBag::ReadFont(const std::wstring& key, const FontSpec& defaultValue) const {
  const Value* v = Find(key);
  if (!v) return defaultValue;
  if (auto f = std::get_if<FontSpec>(v)) return *f;
  return defaultValue;
}

PictureRef PropertyBag::ReadPicture(const std::wstring& key, PictureRef defaultValue) const {
  const Value* v = Find(key);
  if (!v) return defaultValue;
  if (auto p = std::get_if<PictureRef>(v)) return *p;
  return defaultValue;
}

}  // namespace controls
