#include "hooklib/ime_result.h"

#include <imm.h>

#include <vector>

namespace hooklib {
namespace {

// The input context and its composition-string block, as the input-method
// interface documents them for input methods (immdev.h, which mingw-w64 does
// not ship). The functions that reach them are exported by imm32 alike.
struct CompositionString {
  DWORD dwSize;
  DWORD dwCompReadAttrLen, dwCompReadAttrOffset, dwCompReadClauseLen, dwCompReadClauseOffset;
  DWORD dwCompReadStrLen, dwCompReadStrOffset, dwCompAttrLen, dwCompAttrOffset;
  DWORD dwCompClauseLen, dwCompClauseOffset, dwCompStrLen, dwCompStrOffset;
  DWORD dwCursorPos, dwDeltaStart;
  DWORD dwResultReadClauseLen, dwResultReadClauseOffset, dwResultReadStrLen, dwResultReadStrOffset;
  DWORD dwResultClauseLen, dwResultClauseOffset, dwResultStrLen, dwResultStrOffset;
  DWORD dwPrivateSize, dwPrivateOffset;
};

struct InputContext {
  HWND hWnd;
  BOOL fOpen;
  POINT ptStatusWndPos, ptSoftKbdPos;
  DWORD fdwConversion, fdwSentence;
  union {
    LOGFONTA A;
    LOGFONTW W;
  } lfFont;
  COMPOSITIONFORM cfCompForm;
  CANDIDATEFORM cfCandForm[4];
  HIMCC hCompStr, hCandInfo, hGuideLine, hPrivate;
  DWORD dwNumMsgBuf;
  HIMCC hMsgBuf;
  DWORD fdwInit;
  DWORD dwReserve[3];
};

extern "C" {
InputContext* WINAPI ImmLockIMC(HIMC);
BOOL WINAPI ImmUnlockIMC(HIMC);
LPVOID WINAPI ImmLockIMCC(HIMCC);
BOOL WINAPI ImmUnlockIMCC(HIMCC);
}

// The window's context, released with the object.
class WindowContext {
 public:
  explicit WindowContext(HWND window) : window_(window), context_(::ImmGetContext(window)) {}
  ~WindowContext() {
    if (context_) ::ImmReleaseContext(window_, context_);
  }
  WindowContext(const WindowContext&) = delete;
  WindowContext& operator=(const WindowContext&) = delete;
  HIMC get() const { return context_; }

 private:
  HWND window_;
  HIMC context_;
};

}  // namespace

std::wstring ImeResultText(HWND window) {
  WindowContext context(window);
  if (!context.get()) return {};
  const LONG bytes = ::ImmGetCompositionStringW(context.get(), GCS_RESULTSTR, nullptr, 0);
  if (bytes <= 0) return {};
  std::vector<wchar_t> text(static_cast<size_t>(bytes) / sizeof(wchar_t) + 1);
  const LONG got = ::ImmGetCompositionStringW(context.get(), GCS_RESULTSTR, text.data(),
                                              static_cast<DWORD>(text.size() * sizeof(wchar_t)));
  if (got <= 0) return {};
  return std::wstring(text.data(), static_cast<size_t>(got) / sizeof(wchar_t));
}

bool ClearImeResult(HWND window) {
  WindowContext context(window);
  if (!context.get()) return false;
  InputContext* input = ImmLockIMC(context.get());
  if (!input) return false;
  bool cleared = false;
  const HIMCC block = input->hCompStr;
  if (auto* strings = static_cast<CompositionString*>(block ? ImmLockIMCC(block) : nullptr)) {
    if (strings->dwSize >= sizeof(CompositionString)) {
      strings->dwResultStrLen = 0;
      strings->dwResultClauseLen = 0;
      strings->dwResultReadStrLen = 0;
      strings->dwResultReadClauseLen = 0;
      cleared = true;
    }
    ImmUnlockIMCC(block);
  }
  ImmUnlockIMC(context.get());
  return cleared;
}

}  // namespace hooklib
