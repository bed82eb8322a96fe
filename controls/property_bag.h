// The property bag: the design-time settings of one control instance as named
// values. A control writes each setting with a default (a value equal to its
// default is not stored) and reads each with a default (an absent key reads
// back as that default). Keys are matched without regard to case; the order of
// writing is kept.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "controls/control_font.h"

namespace controls {

class Picture;  // controls/picture.h
using PictureRef = std::shared_ptr<const Picture>;

class PropertyBag {
 public:
  // Booleans, 32-bit integers (colours are stored as the signed Long bit
  // pattern of the OLE colour), strings, fonts and pictures.
  using Value = std::variant<bool, int32_t, std::wstring, FontSpec, PictureRef>;

  // Stores value unless it equals defaultValue; an empty default means "no
  // default": the value is always stored. A key written again is replaced in place.
  void Write(const std::wstring& key, const Value& value, const std::optional<Value>& defaultValue = std::nullopt);

  // Typed reads: the stored value, or defaultValue for an absent key or a
  // value of an unusable type (stored data is not trusted). Booleans and
  // integers convert into each other (True is -1, any non-zero reads as True).
  bool ReadBool(const std::wstring& key, bool defaultValue) const;
  int32_t ReadLong(const std::wstring& key, int32_t defaultValue) const;
  uint32_t ReadColor(const std::wstring& key, uint32_t defaultValue) const;
  std::wstring ReadString(const std::wstring& key, const std::wstring& defaultValue) const;
  FontSpec ReadFont(const std::wstring& key, const FontSpec& defaultValue) const;
  PictureRef ReadPicture(const std::wstring& key, PictureRef defaultValue = nullptr) const;

  bool Contains(const std::wstring& key) const { return Find(key) != nullptr; }
  const Value* Find(const std::wstring& key) const;
  bool Remove(const std::wstring& key);
  void Clear() { entries_.clear(); }
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  // Stored keys in writing order, as written.
  std::vector<std::wstring> Keys() const;

 private:
  std::vector<std::pair<std::wstring, Value>> entries_;
};

// Colours travel through the bag as the Long bit pattern of the OLE colour.
inline int32_t ColorToLong(uint32_t oleColor) { return static_cast<int32_t>(oleColor); }

}  // namespace controls
