#include "hooklib/core/typed_chars.h"

namespace hooklib {

bool IsConvertibleChar(wchar_t c) {
  if (c < 0x20 || c == 0x7F) return false;
  if (c >= 0x80 && c < 0xA0) return false;
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  return true;
}

Replacement SplitReplacement(std::wstring_view answer) {
  Replacement r;
  if (answer.empty()) return r;
  r.sentFirst.assign(answer.substr(0, answer.size() - 1));
  r.inPlace = answer.back();
  return r;
}

}  // namespace hooklib
