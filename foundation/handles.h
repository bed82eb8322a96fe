// Owning wrappers, one small type per handle kind. Drawing code never calls
// DeleteObject and friends directly: the wrapper's destructor does.
#pragma once
#include <windows.h>
#include <utility>

namespace foundation {

// A move-only owner of one handle; Traits supplies the null value and the release.
template <class Traits>
class UniqueHandle {
 public:
  using handle_type = typename Traits::handle_type;
  UniqueHandle() noexcept = default;
  explicit UniqueHandle(handle_type h) noexcept : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  handle_type get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::null(); }
  handle_type release() noexcept { return std::exchange(h_, Traits::null()); }
  void reset(handle_type h = Traits::null()) noexcept {
    handle_type old = std::exchange(h_, h);
    if (old != Traits::null()) Traits::close(old);
  }

 private:
  handle_type h_ = Traits::null();
};

template <class H>
struct GdiObjectTraits {
  using handle_type = H;
  static H null() noexcept { return nullptr; }
  static void close(H h) noexcept { ::DeleteObject(h); }
};
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniquePalette = UniqueHandle<GdiObjectTraits<HPALETTE>>;

struct MemoryDcTraits {
  using handle_type = HDC;
  static HDC null() noexcept { return nullptr; }
  static void close(HDC h) noexcept { ::DeleteDC(h); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

struct IconTraits {
  using handle_type = HICON;
  static HICON null() noexcept { return nullptr; }
  static void close(HICON h) noexcept { ::DestroyIcon(h); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

struct MenuTraits {
  using handle_type = HMENU;
  static HMENU null() noexcept { return nullptr; }
  static void close(HMENU h) noexcept { ::DestroyMenu(h); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

struct ModuleTraits {
  using handle_type = HMODULE;
  static HMODULE null() noexcept { return nullptr; }
  static void close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

struct HookTraits {
  using handle_type = HHOOK;
  static HHOOK null() noexcept { return nullptr; }
  static void close(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
};
using UniqueHook = UniqueHandle<HookTraits>;

struct WinEventHookTraits {
  using handle_type = HWINEVENTHOOK;
  static HWINEVENTHOOK null() noexcept { return nullptr; }
  static void close(HWINEVENTHOOK h) noexcept { ::UnhookWinEvent(h); }
};
using UniqueWinEventHook = UniqueHandle<WinEventHookTraits>;

struct KernelHandleTraits {
  using handle_type = HANDLE;
  static HANDLE null() noexcept { return nullptr; }
  static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// A view of a file mapping (MapViewOfFile).
struct MappedViewTraits {
  using handle_type = void*;
  static void* null() noexcept { return nullptr; }
  static void close(void* view) noexcept { ::UnmapViewOfFile(view); }
};
using UniqueMappedView = UniqueHandle<MappedViewTraits>;

// CreateFile reports failure as INVALID_HANDLE_VALUE, not NULL.
struct FileHandleTraits {
  using handle_type = HANDLE;
  static HANDLE null() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) noexcept { ::CloseHandle(h); }
};
using UniqueFile = UniqueHandle<FileHandleTraits>;

struct FindHandleTraits {
  using handle_type = HANDLE;
  static HANDLE null() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(HANDLE h) noexcept { ::FindClose(h); }
};
using UniqueFind = UniqueHandle<FindHandleTraits>;

// A DC from GetDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
  HDC get() const noexcept { return dc_; }
  const PAINTSTRUCT& paint() const noexcept { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectionGuard {
 public:
  SelectionGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;
  ~SelectionGuard() {
    if (old_) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace foundation
