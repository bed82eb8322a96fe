// Times one docking tick's detection work: enumerating the top-level windows
// into the chat-window list, pruning it, the strict test on the foreground
// window and its executable name (all of it, as a refresh of the list does),
// and the loop's own ticks, which refresh the list only when it may matter. The windows live in a process of their own
// (a window crowd), as the QQ client's and everyone else's do for the panel.
// Prints microseconds per tick with 30 and with 200 top-level windows in all.
// Run under Wine with tools/run_bench.sh detection_bench.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/window_crowd/window_crowd.h"
#include "foundation/chat_windows.h"
#include "foundation/handle_text.h"
#include "foundation/process_name.h"
#include "foundation/text_compare.h"
#include "panel/core/docking_tick.h"
#include "panel/win32_docking_desktop.h"

using namespace foundation;

namespace {

double Now() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(freq.QuadPart);
}

BOOL CALLBACK EmptyProc(HWND, LPARAM) { return TRUE; }
BOOL CALLBACK StyleOnlyProc(HWND h, LPARAM l) {
  *reinterpret_cast<LONG*>(l) ^= ::GetWindowLongW(h, GWL_STYLE);
  return TRUE;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

double Decile(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 10, v.end());
  return v[v.size() / 10];
}

template <class F>
double MedianMicros(int calls, F&& f) {
  std::vector<double> samples;
  for (int i = 0; i < calls; ++i) {
    const double start = Now();
    f();
    samples.push_back(Now() - start);
  }
  return Median(samples);
}

// The loop as the panel runs it, `own` standing for the panel: medians of
// its ticks with the chat window in front (docked) and with another program's
// window in front (idle).
void MeasureLoop(HWND own, const bench::WindowCrowd& host, int ticks) {
  ChatWindowList list;
  panel::Win32DockingDesktop desktop(own, list, [] { return false; });
  panel::DockingLoop loop(desktop);
  auto run = [&](HWND front) {
    for (int i = 0; i < 100 && ::GetForegroundWindow() != front; ++i) {
      ::SetForegroundWindow(front);
      ::Sleep(10);
    }
    for (int warm = 0; warm < 50; ++warm) loop.Tick(false);
    std::vector<double> samples;
    double sum = 0;
    for (int i = 0; i < ticks; ++i) {
      const double start = Now();
      loop.Tick(false);
      samples.push_back(Now() - start);
      sum += samples.back();
    }
    std::printf("%.1f us per tick (median; mean %.1f)", Median(samples), sum / ticks);
  };
  std::printf("       the docking loop's tick: docked ");
  run(host.first);
  std::printf(", idle ");
  run(host.other);
  std::printf("; %d listed\n", list.Count());
}

void Measure(HWND own, int totalWindows) {
  const int count = std::max(1, totalWindows - bench::CountTopLevelWindows());
  bench::WindowCrowd host;
  if (!bench::StartWindowCrowd(count, true, &host)) {
    std::printf("%d windows: the host did not start\n", count);
    return;
  }
  for (int i = 0; i < 100 && ::GetForegroundWindow() != host.first; ++i) {
    ::SetForegroundWindow(host.first);
    ::Sleep(10);
  }
  const int topLevel = bench::CountTopLevelWindows();
  const HWND fg = ::GetForegroundWindow();

  ChatWindowList list;
  const int ticks = count > 100 ? 1000 : 3000;
  // Per-tick samples: the machine may be shared, so medians and the fastest
  // decile say more than a mean that one stall can double.
  std::vector<double> enumerate, prune, check, exeName, total;
  size_t nameChars = 0;  // keeps the name call from being optimised away
  for (int warm = 0; warm < 50; ++warm) EnumChatWindows(list);
  for (int i = 0; i < ticks; ++i) {
    const double t0 = Now();
    EnumChatWindows(list);
    const double t1 = Now();
    PruneChatWindowList(list);
    const double t2 = Now();
    const bool chat = CheckQQWin(fg, false);
    const double t3 = Now();
    // The docking loop asks for the name only while a chat window is in front.
    if (chat) nameChars += TextEquals(GetWindowExeName(fg), kQqExeName) ? 1 : 0;
    const double t4 = Now();
    enumerate.push_back(t1 - t0);
    prune.push_back(t2 - t1);
    check.push_back(t3 - t2);
    exeName.push_back(t4 - t3);
    total.push_back(t4 - t0);
  }
  std::printf("%4d windows of the crowd (%d top-level in all, %d listed, foreground %s): median %.1f us per tick (fastest decile %.1f)\n",
              count, topLevel, list.Count(), fg == host.first ? "the chat window" : "another window", Median(total),
              Decile(total));
  std::printf("       median enumerate %.1f + prune %.1f + strict test %.1f + executable name %.1f us; "
              "%.1f%% of a core at 100 ticks/s\n",
              Median(enumerate), Median(prune), Median(check), Median(exeName), Median(total) / 100.0);
  MeasureLoop(own, host, ticks);
  std::printf("       without the class memo and with EnumWindows: enumerate %.1f us (median)\n",
              MedianMicros(ticks / 4, [] {
                ChatWindowList fresh;
                ::EnumWindows(EnumChatWindowsProc, reinterpret_cast<LPARAM>(&fresh));
              }));
  LONG sink = 0;
  std::printf("       floor (medians): EnumWindows alone %.1f us, with one GetWindowLongW per window %.1f us\n",
              MedianMicros(ticks, [] { ::EnumWindows(EmptyProc, 0); }),
              MedianMicros(ticks, [&] { ::EnumWindows(StyleOnlyProc, reinterpret_cast<LPARAM>(&sink)); }));
  std::printf("       floor (medians): EnumDesktopWindows alone %.1f us\n",
              MedianMicros(ticks, [] { ::EnumDesktopWindows(nullptr, EmptyProc, 0); }));
  wchar_t text[64];
  RECT rect;
  std::printf("       one read of another process's window (medians, us): foreground %.1f, class %.1f, title %.1f, "
              "style %.1f, rectangle %.1f, IsWindow %.1f, process id %.1f, parent %.1f\n",
              MedianMicros(ticks, [] { ::GetForegroundWindow(); }),
              MedianMicros(ticks, [&] { ::GetClassNameW(host.first, text, 64); }),
              MedianMicros(ticks, [&] { ::GetWindowTextW(host.first, text, 64); }),
              MedianMicros(ticks, [&] { sink ^= ::GetWindowLongW(host.first, GWL_STYLE); }),
              MedianMicros(ticks, [&] { ::GetWindowRect(host.first, &rect); }),
              MedianMicros(ticks, [&] { sink ^= ::IsWindow(host.first); }),
              MedianMicros(ticks, [&] { sink ^= ::GetWindowThreadProcessId(host.first, nullptr); }),
              MedianMicros(ticks, [&] { sink ^= ::GetParent(host.first) != nullptr; }));
  DWORD pid = 0;
  ::GetWindowThreadProcessId(host.first, &pid);
  std::printf("       executable path (medians): QueryFullProcessImageNameW %.1f us, module walk %.1f us per call\n",
              MedianMicros(200, [&] { ProcessImagePathByQuery(pid); }),
              MedianMicros(50, [&] { ProcessImagePathByModules(pid); }));
  if (nameChars > static_cast<size_t>(ticks)) std::printf("?\n");
  bench::StopWindowCrowd(host);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int hosted = bench::RunWindowCrowdHostIfAsked(argc, argv);
  if (hosted >= 0) return hosted;
  std::printf("Detection work of one docking tick (the loop runs about 100 ticks a second)\n");
  // Like the panel, this thread owns a window: without one, every
  // GetDesktopWindow under Wine is a server round trip.
  HWND own = ::CreateWindowExW(0, L"STATIC", L"panel", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
  Measure(own, 30);
  Measure(own, 200);
  ::DestroyWindow(own);
  return 0;
}
