// One subclassing host for every procedure the programs put on a window.
//
// Each window that gets procedures of ours gets exactly one host: the host's
// procedure is installed with SetWindowLongPtrW(GWLP_WNDPROC) and the host
// keeps an ordered chain of links in front of the procedure it replaced:
//
//   message -> link 0 (outermost, the last added) -> link 1 -> ... ->
//              link n-1 (innermost, the first added) -> replaced procedure
//
// A link is one of two kinds:
//
//   * A sink link (cSubclsThunk + ISubclassingSink): the sink's Before runs on
//     the way in for the messages it asked for, may rewrite the message and
//     its arguments, or set bHandled to answer the message itself (then the
//     inner links, the replaced procedure and its own After are skipped).
//     After runs on the way out, with the result of the inner part of the
//     chain, which it may change.
//   * A procedure link (InstallWindowProc): an ordinary window procedure. Its
//     "old procedure" is NextWindowProc, so code written in the classic style
//       old = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, MyProc); ...
//       return CallWindowProcW(old, hwnd, msg, wParam, lParam);
//     becomes
//       old = InstallWindowProc(hwnd, MyProc); ...
//       return CallWindowProcW(old, hwnd, msg, wParam, lParam);
//     and the call reaches the next link inward, not the window's procedure.
//
// Guarantees:
//   * Links may be removed in any order, also from inside one of their own
//     calls (Before, After, the procedure) or from inside another link's call.
//     A message already on its way keeps going inward past removed links; a
//     removed link gets no further Before/After calls, not even the After of
//     the message during which it was removed.
//   * When the last link goes, the host puts the replaced procedure back and
//     deletes itself, but only while it is still the window's procedure. If a
//     foreign procedure was installed in front of it (with SetWindowLongPtrW,
//     comctl32's SetWindowSubclass, ...), that procedure still calls the host,
//     so the host stays in the chain as a pass-through until WM_NCDESTROY.
//     Links added while a foreign procedure sits in front join the same host,
//     so they run inside that foreign procedure.
//   * At WM_NCDESTROY (as the system delivered it) the message runs through the
//     whole chain first; then every link counts as removed and the host goes.
//   * No C++ exception crosses into user32: a throwing Before is treated as
//     "not handled", a throwing After is ignored, a throwing procedure link
//     answers 0.
//   * No machine code and no executable memory; comctl32's subclass functions
//     are not used (under Wine, RemoveWindowSubclass restores the original
//     procedure even when another one was installed later, cutting it out).
//
// Rules for callers:
//   * Install and remove only on the thread that owns the window (installs on
//     another thread's or process's window fail).
//   * Never take a link off by writing an older procedure back with
//     SetWindowLongPtrW: that cuts the host, and every link in it, out of the
//     chain. Remove each link with RemoveWindowProc / cSubclsThunk::Unsubclass.
//   * Procedure and window handles are pointer-sized (WNDPROC, HWND, LONG_PTR),
//     never kept in 32-bit variables.
#pragma once
#include <windows.h>

#include <any>
#include <initializer_list>
#include <memory>
#include <vector>

namespace foundation {

// The message sink of a cSubclsThunk link. Both calls happen on the window's
// thread, inside its message dispatch.
class ISubclassingSink {
 public:
  // Called after the inner part of the chain has handled a message of the
  // after list (or every message with AllAfterMsgs). lReturn holds that
  // result and may be changed; the other arguments are the values the inner
  // part saw (after this link's own Before rewrote them).
  virtual void After(LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;

  // Called before the inner part of the chain for a message of the before list
  // (or every message with AllBeforeMsgs). bHandled starts false and lReturn 0.
  // Setting bHandled answers the message with lReturn: nothing inward runs and
  // After is not called. Otherwise changes to hWnd, uMsg, wParam and lParam are
  // what the inner part, and this link's After, see.
  virtual void Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam, LPARAM& lParam) = 0;

 protected:
  ~ISubclassingSink() = default;
};

namespace detail {
struct SubclassLink;
}

// ---- Procedure links -------------------------------------------------------

// The "old procedure" of every procedure link: called from inside a link's
// procedure (directly or through CallWindowProcW), it passes the message to
// the next link inward, or to the window's replaced procedure. Called outside
// any link's procedure it answers DefWindowProcW.
LRESULT CALLBACK NextWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Puts proc on the window as the new outermost link. Returns NextWindowProc
// (keep it as the link's old procedure), or nullptr when nothing was installed:
// hwnd is not a window of this thread, proc is null, or proc is already a link
// of this window (a procedure is on a window at most once).
WNDPROC InstallWindowProc(HWND hwnd, WNDPROC proc);

// Takes proc's link off the window. False when proc is not a link of the window.
bool RemoveWindowProc(HWND hwnd, WNDPROC proc);

// True while the window has a host of ours (active or a pass-through). Meant
// for tests and diagnostics.
bool HasSubclassHost(HWND hwnd);

// ---- Sink links ------------------------------------------------------------

// One sink link on one window at a time, with the message lists that decide
// which messages reach the sink's Before and After. The lists and flags belong
// to the object: they may be set before Subclass, survive Unsubclass and are
// used again by a later Subclass. Changes take effect at once, also for the
// message being dispatched (a list changed inside Before decides the same
// message's After).
class cSubclsThunk {
 public:
  cSubclsThunk() = default;
  cSubclsThunk(const cSubclsThunk&) = delete;
  cSubclsThunk& operator=(const cSubclsThunk&) = delete;
  // Unsubclasses.
  ~cSubclsThunk();

  // The subclassed window; nullptr when none. After the window was destroyed
  // it is still reported until Unsubclass.
  HWND hwnd() const noexcept { return hwnd_; }

  // Every message goes to Before (the before list is then not consulted).
  bool AllBeforeMsgs() const noexcept { return allBefore_; }
  void AllBeforeMsgs(bool on);
  // Every message goes to After. AllBeforeMsgs does not widen the after phase:
  // without this flag only the after list's messages reach After.
  bool AllAfterMsgs() const noexcept { return allAfter_; }
  void AllAfterMsgs(bool on);

  // Appends each number not yet in the list, in the order given. True only
  // when every number was new.
  bool AddBeforeMsgs(std::initializer_list<UINT> msgs);
  // Removes the number; false when it was not in the list.
  bool RemoveBeforeMsg(UINT msg);
  bool HasBeforeMsgs(UINT msg) const noexcept;
  bool AddAfterMsgs(std::initializer_list<UINT> msgs);
  bool RemoveAfterMsg(UINT msg);
  bool HasAfterMsgs(UINT msg) const noexcept;

  // Puts this link on the window as the new outermost link with sink as its
  // receiver (not owned; it must outlive the link or Unsubclass first). False,
  // changing nothing, when a window is already held, sink is null or the host
  // cannot be installed (not a window, or a window of another thread).
  bool Subclass(HWND hwnd, ISubclassingSink* sink);

  // Takes the link off (see the host's removal rules above). Safe from inside
  // the sink's own Before/After. False when no window is held.
  bool Unsubclass();

  // Passes a message to the next link inward (or the window's replaced
  // procedure) and returns its result; 0 without calling anything when no
  // window is held or the window has been destroyed.
  LRESULT CallOrigWndProc(UINT uMsg, WPARAM wParam, LPARAM lParam);

  // A value kept for the caller; the class never looks at it.
  const std::any& Tag() const noexcept { return tag_; }
  void Tag(std::any value) { tag_ = std::move(value); }

 private:
  bool AddMsgs(std::vector<UINT>& list, std::initializer_list<UINT> msgs);
  bool RemoveMsg(std::vector<UINT>& list, UINT msg);
  void UpdateLink();

  HWND hwnd_ = nullptr;
  std::shared_ptr<detail::SubclassLink> link_;
  std::vector<UINT> before_;
  std::vector<UINT> after_;
  bool allBefore_ = false;
  bool allAfter_ = false;
  std::any tag_;
};

}  // namespace foundation
