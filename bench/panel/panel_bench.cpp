// Under Wine, with a library prepared by bench/panel/run.sh (1,000 emoticons
// in 10 categories): the panel's start until it sits docked beside the chat
// window in front with the cells in view of its first grid drawn (a first
// start with nothing kept, then a start after it) and where that time goes,
// the change to another category of 100, the time to dock again when the
// chat window comes back to the front, the processor time of the docking loop
// (panel and wineserver) while docked and while idle with 30 and with 200
// top-level windows, and a click until the QQ double logs the paste.
//   panel_bench <folder holding Tarnwick.exe, QQ.exe and Face\>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/window_crowd/window_crowd.h"
#include "bench/panel/bench_process.h"
#include "bench/panel/startup_split.h"
#include "bench/panel/startup_watch.h"

namespace {

using bench::FindWindowOf;
using bench::Now;
using bench::Start;
using bench::WaitFor;

bool LogHas(const std::wstring& log, const std::string& prefix) {
  std::ifstream in{std::filesystem::path(log)};
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) return true;
  return false;
}

// Processor time of the Linux processes whose command line holds name, read
// through Wine's view of /proc: under Wine most of a window enumeration's cost
// is spent in the wineserver, which the program's own times don't show.
std::string OwnPrefix() {
  char buf[1024] = {};
  ::GetEnvironmentVariableA("WINEPREFIX", buf, sizeof buf);
  return std::string("WINEPREFIX=") + buf + '\0';
}

double LinuxCpuMs(const std::string& name) {
  static const std::string prefix = OwnPrefix();
  double total = 0;
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW(L"Z:\\proc\\*", &fd);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring pid = fd.cFileName;
    if (pid.empty() || pid.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    std::ifstream cmd{std::filesystem::path(L"Z:\\proc\\" + pid + L"\\cmdline")};
    std::string cmdline((std::istreambuf_iterator<char>(cmd)), std::istreambuf_iterator<char>());
    if (cmdline.find(name) == std::string::npos) continue;
    // Only the processes of this run's Wine prefix (other runs may share the machine).
    std::ifstream env{std::filesystem::path(L"Z:\\proc\\" + pid + L"\\environ")};
    std::string envText((std::istreambuf_iterator<char>(env)), std::istreambuf_iterator<char>());
    if (envText.find(prefix) == std::string::npos) continue;
    std::ifstream stat{std::filesystem::path(L"Z:\\proc\\" + pid + L"\\stat")};
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const size_t close = text.rfind(')');
    if (close == std::string::npos) continue;
    std::vector<std::string> fields;
    std::string field;
    for (char ch : text.substr(close + 2)) {
      if (ch == ' ') {
        fields.push_back(field);
        field.clear();
      } else {
        field += ch;
      }
    }
    // utime and stime are the 14th and 15th fields of the line (11 and 12 after the name).
    if (fields.size() > 12) total += (std::stod(fields[11]) + std::stod(fields[12])) * 10.0;  // 100 ticks a second
  } while (::FindNextFileW(find, &fd));
  ::FindClose(find);
  return total;
}

struct CpuSample {
  double panel, server, wall;
};
CpuSample Sample() { return {LinuxCpuMs("Tarnwick.exe"), LinuxCpuMs("wineserver"), Now()}; }

void Activate(HWND h) {
  for (int i = 0; i < 100 && ::GetForegroundWindow() != h; ++i) {
    ::SetForegroundWindow(h);
    ::Sleep(10);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int hosted = bench::RunWindowCrowdHostIfAsked(argc, argv);
  if (hosted >= 0) return hosted;
  if (argc < 2) {
    std::fprintf(stderr, "usage: panel_bench <app folder>\n");
    return 2;
  }
  std::wstring folder = argv[1];
  if (folder.back() != L'\\') folder += L'\\';
  const std::wstring log = folder + L"bench_qq.log";
  ::DeleteFileW(log.c_str());
  ::DeleteFileW((folder + L"Config.ini").c_str());

  HANDLE qq = Start(folder, L"\"" + folder + L"QQ.exe\" --x 100 --y 50 --log \"" + log + L"\"");
  if (!qq || !WaitFor([&] { return LogHas(log, "ready"); }, 10000)) return 1;
  HWND chat = FindWindowOf(qq, L"TXGuiFoundation");

  // A first start with nothing kept yet (a fresh Thumbs.mdb), then a start after it.
  const std::wstring first = folder + L"Face\\默认表情";
  const std::wstring second = bench::MirroredCategory(folder, L"分类01");
  const bench::ExpectedCells firstCells(first), secondCells(second);
  const std::wstring firstName = L"默认表情", secondName = second.substr(second.find_last_of(L'\\') + 1);
  HANDLE panel = nullptr;
  const bench::StartMilestones fresh = bench::WatchStart(folder, chat, POINT{600, 50}, firstCells, panel);
  HWND window = FindWindowOf(panel, L"TarnwickPanel");
  // Until the pictures out of view are drawn and kept too.
  ::Sleep(3000);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ::WaitForSingleObject(panel, 5000);
  ::CloseHandle(panel);
  const bench::StartMilestones again = bench::WatchStart(folder, chat, POINT{600, 50}, firstCells, panel);
  const bool docked = again.drawn > 0;
  window = FindWindowOf(panel, L"TarnwickPanel");
  HWND grid = bench::FindChild(window, L"TarnwickFaceGrid");
  // Another category of 100: its first showing, back to the first (seen), and to it again (seen).
  const double switchNew = bench::WatchCategorySwitch(panel, secondName, secondCells);
  const double switchBack = bench::WatchCategorySwitch(panel, firstName, firstCells);
  const double switchSeen = bench::WatchCategorySwitch(panel, secondName, secondCells);
  bench::WatchCategorySwitch(panel, firstName, firstCells);

  // Processor milliseconds per second of the panel and of the wineserver over 5 s.
  auto measure = [](double& panelCpu, double& serverCpu) {
    ::Sleep(500);
    const CpuSample a = Sample();
    ::Sleep(5000);
    const CpuSample b = Sample();
    const double seconds = (b.wall - a.wall) / 1000.0;
    panelCpu = (b.panel - a.panel) / seconds;
    serverCpu = (b.server - a.server) / seconds;
  };
  // Idle: a window of another program in front, the panel hidden above the screen.
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.lpszClassName = L"BenchOther";
  ::RegisterClassW(&wc);
  HWND other = ::CreateWindowW(L"BenchOther", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 800, 500, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  // With as many top-level windows in all as each figure says: the rest are a
  // crowd of ordinary windows of another process.
  struct LoopCpu {
    int crowd, windows;
    double dockedPanel, dockedServer, idlePanel, idleServer, baseServer;
    bool docked;
  };
  std::vector<LoopCpu> loopCpu;
  // The pointer away from the panel: over a cell it would show the hover
  // preview, which animates.
  ::SetCursorPos(1270, 790);
  for (int wanted : {30, 200}) {
    LoopCpu c{};
    bench::WindowCrowd crowd;
    c.crowd = wanted - bench::CountTopLevelWindows();
    if (!bench::StartWindowCrowd(c.crowd, false, &crowd)) return 1;
    c.windows = bench::CountTopLevelWindows();
    Activate(chat);
    c.docked = WaitFor(
        [&] {
          RECT r{};
          return ::GetWindowRect(window, &r) && r.left == 600 && r.top == 50;
        },
        10000);
    measure(c.dockedPanel, c.dockedServer);
    Activate(other);
    measure(c.idlePanel, c.idleServer);
    bench::StopWindowCrowd(crowd);
    loopCpu.push_back(c);
  }

  // Back to the chat window: from the moment it is in front until the panel sits beside it.
  double inFront = 0, dockedAt = 0;
  WaitFor(
      [&] {
        if (inFront == 0) {
          if (::GetForegroundWindow() == chat) inFront = Now();
          else ::SetForegroundWindow(chat);
        }
        RECT r{};
        if (inFront > 0 && ::GetWindowRect(window, &r) && r.left == 600 && r.top == 50) dockedAt = Now();
        return dockedAt > 0;
      },
      10000);
  const double redockMs = dockedAt - inFront;
  ::DestroyWindow(other);
  const double t2 = Now();
  ::PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  const bool pasted = WaitFor([&] { return LogHas(log, "paste bitmap="); }, 10000);
  const double pasteMs = Now() - t2;

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  ::WaitForSingleObject(panel, 5000);
  // The wineserver also serves every other program of the session (the QQ
  // double, the crowd, Wine's own processes): its time with the same windows
  // and no panel is what the panel did not cause.
  for (LoopCpu& c : loopCpu) {
    bench::WindowCrowd crowd;
    if (!bench::StartWindowCrowd(c.crowd, false, &crowd)) return 1;
    double none = 0;
    measure(none, c.baseServer);
    bench::StopWindowCrowd(crowd);
  }
  // The floor: a process whose only work is a 1 ms timer that does nothing.
  double floorProcess = 0, floorServer = 0, floorBase = 0;
  {
    bench::WindowCrowd timerOnly;
    if (!bench::StartWindowCrowd(1, false, &timerOnly, true)) return 1;
    ::Sleep(500);
    const double a = LinuxCpuMs("--window-crowd"), as = LinuxCpuMs("wineserver"), at = Now();
    ::Sleep(5000);
    const double b = LinuxCpuMs("--window-crowd"), bs = LinuxCpuMs("wineserver"), bt = Now();
    floorProcess = (b - a) * 1000.0 / (bt - at);
    floorServer = (bs - as) * 1000.0 / (bt - at);
    floorBase = loopCpu.front().baseServer;
    bench::StopWindowCrowd(timerOnly);
  }
  ::PostMessageW(chat, WM_CLOSE, 0, 0);
  ::WaitForSingleObject(qq, 5000);

  auto printStart = [](const char* which, const bench::StartMilestones& m) {
    std::printf("%s: process start until docked with the cells in view of its first grid (100 emoticons) drawn: "
                "%.0f ms%s\n", which, m.drawn, m.drawn > 0 ? "" : " (timed out)");
    std::printf("  window made %.0f ms, grid laid out %.0f ms, docked %.0f ms, cells in view drawn %.0f ms\n", m.window,
                m.cells, m.docked, m.drawn);
  };
  printStart("first start (nothing kept yet)", fresh);
  printStart("next start (pictures kept by the first)", again);
  std::printf("an empty window program's start (Wine's floor): %.0f ms\n",
              bench::EmptyProgramStart(bench::ProgramFolder() + L"bench_empty_window.exe"));
  std::printf("another category of 100 until its cells in view are drawn: first showing %.0f ms, "
              "seen before %.0f ms and %.0f ms\n", switchNew, switchBack, switchSeen);
  std::printf("chat window back in front until docked again: %.0f ms\n", redockMs);
  // The docking timer fires every 10 ms under Wine: 100 ticks a second.
  for (const LoopCpu& c : loopCpu) {
    std::printf("docking loop with %d top-level windows (wineserver without the panel: %.1f ms/s):\n", c.windows,
                c.baseServer);
    auto line = [&](const char* what, double panelCpu, double serverCpu) {
      std::printf("  processor time while %s panel %.1f ms/s + wineserver %.1f ms/s = %.1f%% of a core; "
                  "less the wineserver's time without the panel: %.1f%%\n",
                  what, panelCpu, serverCpu, (panelCpu + serverCpu) / 10.0,
                  (panelCpu + serverCpu - c.baseServer) / 10.0);
    };
    line(c.docked ? "docked:" : "docked (did not dock):", c.dockedPanel, c.dockedServer);
    line("idle:  ", c.idlePanel, c.idleServer);
  }
  std::printf("floor: a process with a 1 ms timer that does nothing: process %.1f ms/s + wineserver %.1f ms/s "
              "= %.1f%% of a core; less the wineserver's time without it: %.1f%%\n",
              floorProcess, floorServer, (floorProcess + floorServer) / 10.0,
              (floorProcess + floorServer - floorBase) / 10.0);
  std::printf("click until the chat window logs the paste:         %.0f ms%s (fixed waits: 100 ms)\n", pasteMs,
              pasted ? "" : " (timed out)");
  bench::PrintStartupSplit(folder);
  return docked && pasted ? 0 : 1;
}
