// Window handles as text: signed 32-bit decimal, read back with sign extension.
// User handles are 32-bit significant on 64-bit Windows too, so the text is the
// same whichever bitness wrote or reads it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/core/chat_window_list.h"

namespace foundation {

inline std::int32_t HandleValue(HWND hwnd) {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd));
}

inline HWND HandleFromValue(std::int32_t value) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

inline std::wstring HandleToText(HWND hwnd) { return Int32ToText(HandleValue(hwnd)); }

// false (and a null handle) when text is not a signed 32-bit decimal.
inline bool TextToHandle(std::wstring_view text, HWND* hwnd) {
  std::int32_t value = 0;
  const bool ok = TextToInt32(text, &value);
  *hwnd = HandleFromValue(value);
  return ok;
}

}  // namespace foundation
