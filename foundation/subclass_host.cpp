#include "foundation/subclass_host.h"

#include <algorithm>
#include <unordered_map>

namespace foundation {

class SubclassHost;

namespace detail {

// One link of a host's chain. Links only ever point inward, and a removed link
// keeps its `next`, so a message that is still travelling through it (a call
// in progress when it was removed) finds its way inward. A link is never put
// back after removal: Subclass and InstallWindowProc always make a new one.
struct SubclassLink {
  SubclassHost* host = nullptr;  // null once removed
  std::shared_ptr<SubclassLink> next;

  // Procedure link.
  WNDPROC proc = nullptr;

  // Sink link.
  ISubclassingSink* sink = nullptr;
  std::vector<UINT> before;
  std::vector<UINT> after;
  bool allBefore = false;
  bool allAfter = false;

  bool removed() const noexcept { return host == nullptr; }
  bool WantsBefore(UINT msg) const noexcept {
    return allBefore || std::find(before.begin(), before.end(), msg) != before.end();
  }
  bool WantsAfter(UINT msg) const noexcept {
    return allAfter || std::find(after.begin(), after.end(), msg) != after.end();
  }
};

}  // namespace detail

using detail::SubclassLink;

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

// The hosts of this thread's windows. Hosts are only put on windows of the
// calling thread and run on it, so the table needs no lock. It is what the
// per-message path reads: a window property costs a wineserver round trip
// under Wine (tens of microseconds), a table lookup next to nothing.
thread_local std::unordered_map<HWND, SubclassHost*> t_hosts;

// Each host also marks its window with a property. The system drops
// properties with the window, so the mark tells a live host from one whose
// window died unseen (its WM_NCDESTROY never reached the host) and whose
// handle a new window now carries.
LPCWSTR HostPropertyName() {
  static const ATOM atom = ::GlobalAddAtomW(L"foundation.SubclassHost");
  return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom));
}

SubclassHost* LookUpHost(HWND hwnd) {
  auto it = t_hosts.find(hwnd);
  return it == t_hosts.end() ? nullptr : it->second;
}

// The link whose procedure or sink call is running, innermost last; it is how
// NextWindowProc knows where in the chain its caller sits. Pushes and pops
// nest with the calls, also across re-entrant SendMessage.
struct Frame {
  SubclassHost* host;
  SubclassLink* link;
};
thread_local std::vector<Frame> t_frames;

class FrameScope {
 public:
  FrameScope(SubclassHost* host, SubclassLink* link) { t_frames.push_back({host, link}); }
  FrameScope(const FrameScope&) = delete;
  FrameScope& operator=(const FrameScope&) = delete;
  ~FrameScope() { t_frames.pop_back(); }
};

}  // namespace

class SubclassHost {
 public:
  // Installs a host on the window, or answers the one it has.
  static SubclassHost* Obtain(HWND hwnd) {
    if (!hwnd || !::IsWindow(hwnd)) return nullptr;
    // A window of another thread would run the chain on that thread, and a
    // window of another process cannot take our procedure at all.
    if (::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId()) return nullptr;
    if (SubclassHost* existing = Find(hwnd)) return existing;
    auto* host = new SubclassHost(hwnd);
    if (!::SetPropW(hwnd, HostPropertyName(), host)) {
      delete host;
      return nullptr;
    }
    LONG_PTR previous = ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProc));
    if (previous == 0) {  // a window always has a procedure: 0 is a failure
      ::RemovePropW(hwnd, HostPropertyName());
      delete host;
      return nullptr;
    }
    host->previous_ = reinterpret_cast<WNDPROC>(previous);
    t_hosts[hwnd] = host;
    return host;
  }

  // The window's live host, or nullptr. A host left over from a window that
  // died unseen is disposed of here (a call still running through it keeps it
  // until the call returns).
  static SubclassHost* Find(HWND hwnd) {
    SubclassHost* host = LookUpHost(hwnd);
    if (!host) return nullptr;
    if (!host->destroyed_ && ::GetPropW(hwnd, HostPropertyName()) == host) return host;
    t_hosts.erase(hwnd);
    host->DetachAllLinks();
    host->destroyed_ = true;
    if (host->depth_ == 0) delete host;
    return nullptr;
  }

  void AddOutermost(const std::shared_ptr<SubclassLink>& link) {
    link->host = this;
    link->next = head_;
    head_ = link;
  }

  bool HasProcLink(WNDPROC proc) const {
    for (SubclassLink* l = head_.get(); l; l = l->next.get())
      if (l->proc == proc) return true;
    return false;
  }

  std::shared_ptr<SubclassLink> FindProcLink(WNDPROC proc) const {
    for (std::shared_ptr<SubclassLink> l = head_; l; l = l->next)
      if (l->proc == proc) return l;
    return nullptr;
  }

  // Unlinks one link; the host may delete itself here (when no call is running).
  void Remove(SubclassLink* link) {
    std::shared_ptr<SubclassLink>* slot = &head_;
    while (*slot && slot->get() != link) slot = &(*slot)->next;
    if (*slot) *slot = link->next;  // link keeps its own next for calls in flight
    link->host = nullptr;
    link->sink = nullptr;
    if (depth_ == 0) ReleaseIfUnused();
  }

  // Runs a message through the chain from `start` inward.
  LRESULT Dispatch(std::shared_ptr<SubclassLink> link, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    while (link && link->removed()) link = link->next;
    if (!link) return ::CallWindowProcW(previous_, hwnd, msg, wParam, lParam);
    FrameScope frame(this, link.get());
    if (link->proc) {
      try {
        return link->proc(hwnd, msg, wParam, lParam);
      } catch (...) {
        return 0;
      }
    }
    bool handled = false;
    LRESULT result = 0;
    if (link->sink && link->WantsBefore(msg)) {
      try {
        link->sink->Before(handled, result, hwnd, msg, wParam, lParam);
      } catch (...) {
        handled = false;
        result = 0;
      }
      if (handled) return result;
    }
    result = Dispatch(link->next, hwnd, msg, wParam, lParam);
    // Read afresh: Before or an inner call may have removed the link or
    // changed its lists.
    if (link->sink && link->WantsAfter(msg)) {
      try {
        link->sink->After(result, hwnd, msg, wParam, lParam);
      } catch (...) {
      }
    }
    return result;
  }

  // Keeps the host alive while calls run through it; the outermost scope
  // decides whether it can go.
  class CallScope {
   public:
    explicit CallScope(SubclassHost* host) : host_(host) { ++host_->depth_; }
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;
    ~CallScope() {
      if (--host_->depth_ == 0) host_->ReleaseIfUnused();
    }

   private:
    SubclassHost* host_;
  };

  // WM_NCDESTROY has run through the chain: every link counts as removed.
  void WindowDestroyed() {
    ::RemovePropW(hwnd_, HostPropertyName());
    Unregister();
    DetachAllLinks();
    destroyed_ = true;
  }

  const std::shared_ptr<SubclassLink>& head() const { return head_; }

 private:
  explicit SubclassHost(HWND hwnd) : hwnd_(hwnd) {}
  ~SubclassHost() {
    Unregister();
    DetachAllLinks();
  }

  void Unregister() {
    auto it = t_hosts.find(hwnd_);
    if (it != t_hosts.end() && it->second == this) t_hosts.erase(it);
  }

  void DetachAllLinks() {
    for (SubclassLink* l = head_.get(); l; l = l->next.get()) {
      l->host = nullptr;
      l->sink = nullptr;
    }
    head_.reset();
  }

  // Called only when no call runs through the host (after every message, so
  // a host with links returns at once).
  void ReleaseIfUnused() {
    if (destroyed_) {
      delete this;
      return;
    }
    if (head_) return;
    if (!::IsWindow(hwnd_)) {
      // Destroyed with the host cut out of its chain: nothing calls it any more.
      delete this;
      return;
    }
    // Only while the host is the window's procedure can it leave: a foreign
    // procedure in front of it holds HostProc as its old procedure and keeps
    // calling it, so then it stays as a pass-through.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)) != &HostProc) return;
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    ::RemovePropW(hwnd_, HostPropertyName());
    delete this;
  }

  HWND hwnd_;
  WNDPROC previous_ = nullptr;
  std::shared_ptr<SubclassLink> head_;
  int depth_ = 0;
  bool destroyed_ = false;
};

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  SubclassHost* host = LookUpHost(hwnd);
  // Reached only through a stale copy of this procedure's address.
  if (!host) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  SubclassHost::CallScope scope(host);
  LRESULT result = host->Dispatch(host->head(), hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) host->WindowDestroyed();
  return result;
}

}  // namespace

LRESULT CALLBACK NextWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (t_frames.empty()) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  Frame frame = t_frames.back();
  SubclassHost::CallScope scope(frame.host);
  return frame.host->Dispatch(frame.link->next, hwnd, msg, wParam, lParam);
}

WNDPROC InstallWindowProc(HWND hwnd, WNDPROC proc) {
  // The host's own procedures as links would call themselves forever.
  if (!proc || proc == &NextWindowProc || proc == &HostProc) return nullptr;
  SubclassHost* existing = SubclassHost::Find(hwnd);
  if (existing && existing->HasProcLink(proc)) return nullptr;
  SubclassHost* host = existing ? existing : SubclassHost::Obtain(hwnd);
  if (!host) return nullptr;
  auto link = std::make_shared<SubclassLink>();
  link->proc = proc;
  host->AddOutermost(link);
  return &NextWindowProc;
}

bool RemoveWindowProc(HWND hwnd, WNDPROC proc) {
  SubclassHost* host = SubclassHost::Find(hwnd);
  if (!host || !proc) return false;
  std::shared_ptr<SubclassLink> link = host->FindProcLink(proc);
  if (!link) return false;
  host->Remove(link.get());
  return true;
}

bool HasSubclassHost(HWND hwnd) { return SubclassHost::Find(hwnd) != nullptr; }

// ---- cSubclsThunk ----------------------------------------------------------

cSubclsThunk::~cSubclsThunk() { Unsubclass(); }

void cSubclsThunk::AllBeforeMsgs(bool on) {
  allBefore_ = on;
  UpdateLink();
}

void cSubclsThunk::AllAfterMsgs(bool on) {
  allAfter_ = on;
  UpdateLink();
}

bool cSubclsThunk::AddMsgs(std::vector<UINT>& list, std::initializer_list<UINT> msgs) {
  bool allNew = true;
  for (UINT msg : msgs) {
    if (std::find(list.begin(), list.end(), msg) != list.end()) {
      allNew = false;
    } else {
      list.push_back(msg);
    }
  }
  UpdateLink();
  return allNew;
}

bool cSubclsThunk::RemoveMsg(std::vector<UINT>& list, UINT msg) {
  auto it = std::find(list.begin(), list.end(), msg);
  if (it == list.end()) return false;
  list.erase(it);
  UpdateLink();
  return true;
}

bool cSubclsThunk::AddBeforeMsgs(std::initializer_list<UINT> msgs) { return AddMsgs(before_, msgs); }
bool cSubclsThunk::RemoveBeforeMsg(UINT msg) { return RemoveMsg(before_, msg); }
bool cSubclsThunk::HasBeforeMsgs(UINT msg) const noexcept {
  return std::find(before_.begin(), before_.end(), msg) != before_.end();
}
bool cSubclsThunk::AddAfterMsgs(std::initializer_list<UINT> msgs) { return AddMsgs(after_, msgs); }
bool cSubclsThunk::RemoveAfterMsg(UINT msg) { return RemoveMsg(after_, msg); }
bool cSubclsThunk::HasAfterMsgs(UINT msg) const noexcept {
  return std::find(after_.begin(), after_.end(), msg) != after_.end();
}

void cSubclsThunk::UpdateLink() {
  if (!link_ || link_->removed()) return;
  link_->before = before_;
  link_->after = after_;
  link_->allBefore = allBefore_;
  link_->allAfter = allAfter_;
}

bool cSubclsThunk::Subclass(HWND hwnd, ISubclassingSink* sink) {
  if (hwnd_ || !sink) return false;
  SubclassHost* host = SubclassHost::Obtain(hwnd);
  if (!host) return false;
  auto link = std::make_shared<SubclassLink>();
  link->sink = sink;
  host->AddOutermost(link);
  link_ = link;
  hwnd_ = hwnd;
  UpdateLink();
  return true;
}

bool cSubclsThunk::Unsubclass() {
  if (!hwnd_) return false;
  std::shared_ptr<SubclassLink> link = std::move(link_);
  hwnd_ = nullptr;
  if (link && !link->removed()) link->host->Remove(link.get());
  return true;
}

LRESULT cSubclsThunk::CallOrigWndProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd_ || !link_ || link_->removed()) return 0;
  SubclassHost* host = link_->host;
  SubclassHost::CallScope scope(host);
  return host->Dispatch(link_->next, hwnd_, uMsg, wParam, lParam);
}

}  // namespace foundation
