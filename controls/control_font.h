// The font of a control as a value: what the property bag stores and the
// ambient properties carry. Turned into a GDI font only when drawing.
#pragma once
#include <cstdint>
#include <string>

namespace controls {

struct FontSpec {
  std::wstring name = L"宋体";
  double size = 9.0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int charset = 134;  // GB2312_CHARSET: the captions are Chinese

  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

}  // namespace controls
