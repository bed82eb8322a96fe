#include "foundation/hook_library.h"

namespace foundation {
namespace {

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(::GetProcAddress(module, name));
}

}  // namespace

bool HookLibrary::Bind(const wchar_t* fileName) {
  Unbind();
  module_.reset(::LoadLibraryW(fileName));
  if (!module_) return false;
  startHook_ = Lookup<DllStartHookFn>(module_.get(), kDllStartHook);
  setHookState_ = Lookup<DllSetHookStateFn>(module_.get(), kDllSetHookState);
  stopHook_ = Lookup<DllStopHookFn>(module_.get(), kDllStopHook);
  getPubString_ = Lookup<DllGetPubStringFn>(module_.get(), kDllGetPubString);
  setPubString_ = Lookup<DllSetPubStringFn>(module_.get(), kDllSetPubString);
  return true;
}

void HookLibrary::Unbind() {
  startHook_ = nullptr;
  setHookState_ = nullptr;
  stopHook_ = nullptr;
  getPubString_ = nullptr;
  setPubString_ = nullptr;
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

bool HookLibrary::GetPubString(std::string* ansiBytes) const {
  ansiBytes->clear();
  if (!getPubString_) return false;
  BSTR text = getPubString_();
  if (!text) return true;
  // The string carries bytes, not UTF-16: its length prefix counts bytes.
  ansiBytes->assign(reinterpret_cast<const char*>(text), ::SysStringByteLen(text));
  ::SysFreeString(text);
  return true;
}

bool HookLibrary::SetPubString(const std::string& ansiText) const {
  if (!setPubString_) return false;
  setPubString_(ansiText.c_str());
  return true;
}

}  // namespace foundation
