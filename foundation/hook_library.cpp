#include "foundation/hook_library.h"

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"

namespace foundation {
namespace {

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(::GetProcAddress(module, name));
}

struct BstrTraits {
  using handle_type = BSTR;
  static BSTR null() noexcept { return nullptr; }
  static void close(BSTR s) noexcept { ::SysFreeString(s); }
};
using UniqueBstr = UniqueHandle<BstrTraits>;

}  // namespace

std::wstring HookLibraryPath() { return AppPath() + kHookLibraryFileName; }

bool HookLibrary::Bind(const std::wstring& path) {
  Unbind();
  module_.reset(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module_) return false;
  startHook_ = Lookup<DllStartHookFn>(module_.get(), kDllStartHook);
  setHookState_ = Lookup<DllSetHookStateFn>(module_.get(), kDllSetHookState);
  stopHook_ = Lookup<DllStopHookFn>(module_.get(), kDllStopHook);
  getPubString_ = Lookup<DllGetPubStringFn>(module_.get(), kDllGetPubString);
  setPubString_ = Lookup<DllSetPubStringFn>(module_.get(), kDllSetPubString);
  getPubStringW_ = Lookup<DllGetPubStringFn>(module_.get(), kDllGetPubStringW);
  setPubStringW_ = Lookup<DllSetPubStringWFn>(module_.get(), kDllSetPubStringW);
  if (!getPubStringW_ || !setPubStringW_) {
    getPubStringW_ = nullptr;
    setPubStringW_ = nullptr;
  }
  return true;
}

void HookLibrary::Unbind() {
  startHook_ = nullptr;
  setHookState_ = nullptr;
  stopHook_ = nullptr;
  getPubString_ = nullptr;
  setPubString_ = nullptr;
  getPubStringW_ = nullptr;
  setPubStringW_ = nullptr;
  module_.reset();
}

void HookLibrary::StartHook(HWND target) const {
  if (startHook_) startHook_(target);
}

void HookLibrary::SetHookState(LONG state) const {
  if (setHookState_) setHookState_(state);
}

void HookLibrary::StopHook() const {
  if (stopHook_) stopHook_();
}

bool HookLibrary::GetPubString(std::wstring* text) const {
  text->clear();
  if (getPubStringW_) {
    const UniqueBstr got(getPubStringW_());
    if (got) text->assign(got.get(), ::SysStringLen(got.get()));
    return true;
  }
  if (!getPubString_) return false;
  const UniqueBstr got(getPubString_());
  // The string carries bytes, not UTF-16: its length prefix counts bytes.
  if (got) *text = FromAnsi(std::string_view(reinterpret_cast<const char*>(got.get()), ::SysStringByteLen(got.get())));
  return true;
}

bool HookLibrary::SetPubString(std::wstring_view text) const {
  if (setPubStringW_) {
    setPubStringW_(std::wstring(text).c_str());
    return true;
  }
  if (!setPubString_) return false;
  setPubString_(ToAnsi(text).c_str());
  return true;
}

}  // namespace foundation
