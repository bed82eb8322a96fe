// The keyboard-hook library, bound by name at run time. Each function is
// looked up on its own: a missing library or export makes its call a no-op.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>

#include "foundation/handles.h"

namespace foundation {

inline constexpr wchar_t kHookLibraryFileName[] = L"ostrelkit.dll";
inline constexpr wchar_t kInputHookMessageName[] = L"WM_OSTRELKIT_REDIR";

// The library beside the program: AppPath & kHookLibraryFileName.
std::wstring HookLibraryPath();

// The library's exports. Results other than the getters' are not examined.
// DLLGetPubStringW answers UTF-16 text in a BSTR; DLLGetPubString answers ANSI
// bytes (system code page) in a string from SysAllocStringByteLen. The caller
// frees either with SysFreeString.
using DllStartHookFn = LONG(WINAPI*)(HWND target);
using DllSetHookStateFn = LONG(WINAPI*)(LONG state);
using DllStopHookFn = LONG(WINAPI*)();
using DllGetPubStringFn = BSTR(WINAPI*)();
using DllSetPubStringFn = LONG(WINAPI*)(const char* text);
using DllSetPubStringWFn = LONG(WINAPI*)(const wchar_t* text);

inline constexpr char kDllStartHook[] = "DLLstartHOOK";
inline constexpr char kDllSetHookState[] = "DLLsetHOOKState";
inline constexpr char kDllStopHook[] = "DLLstopHOOK";
inline constexpr char kDllGetPubString[] = "DLLGetPubString";
inline constexpr char kDllSetPubString[] = "DLLSetPubString";
inline constexpr char kDllGetPubStringW[] = "DLLGetPubStringW";
inline constexpr char kDllSetPubStringW[] = "DLLSetPubStringW";

class HookLibrary {
 public:
  HookLibrary() = default;
  HookLibrary(const HookLibrary&) = delete;
  HookLibrary& operator=(const HookLibrary&) = delete;

  // Loads the library from its full path, and what it loads from its folder,
  // never from the places a bare name is searched (the current folder and
  // the search path, where anyone may have put a file of that name), and looks
  // up its functions; false when the library itself can't be loaded. The
  // text goes through the UTF-16 pair where the library has both of it, else
  // (an older library) through the ANSI pair, which loses what the system's
  // code page can't hold.
  bool Bind(const std::wstring& path = HookLibraryPath());
  // Forgets the functions and frees the library.
  void Unbind();
  bool IsLoaded() const { return static_cast<bool>(module_); }

  // Each does nothing when its function is unbound.
  void StartHook(HWND target) const;
  void SetHookState(LONG state) const;
  void StopHook() const;
  // false when there is no getter; a null string reads as "".
  bool GetPubString(std::wstring* text) const;
  bool CanSetPubString() const { return setPubString_ || setPubStringW_; }
  // false when there is no setter.
  bool SetPubString(std::wstring_view text) const;

 private:
  UniqueModule module_;
  DllStartHookFn startHook_ = nullptr;
  DllSetHookStateFn setHookState_ = nullptr;
  DllStopHookFn stopHook_ = nullptr;
  DllGetPubStringFn getPubString_ = nullptr;
  DllSetPubStringFn setPubString_ = nullptr;
  // Both set, or neither.
  DllGetPubStringFn getPubStringW_ = nullptr;
  DllSetPubStringWFn setPubStringW_ = nullptr;
};

}  // namespace foundation
