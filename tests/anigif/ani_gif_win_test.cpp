// The control on a real window: load routes, timers on the parent, actions,
// events, palettes, the property bag and the drawn surface.
#include "anigif/ani_gif.h"

#include <gtest/gtest.h>

#include <utility>

#include "anigif/core/lzw_decoder.h"
#include "anigif/gif_builder.h"
#include "support/pump.h"
#include "support/temp_dir.h"

namespace anigif {
namespace {
using anigif_test::GifBuilder;
using anigif_test::Image;

const std::vector<uint32_t> kTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};

Image Solid(int w, int h, uint8_t index, int left = 0, int top = 0) {
  Image im;
  im.left = left, im.top = top, im.width = w, im.height = h;
  im.pixels.assign(static_cast<std::size_t>(w) * h, index);
  im.minCodeSize = 2;
  return im;
}

// Three solid frames red, green, blue, 10 ms each, looping `loops` times.
std::vector<uint8_t> ThreeFrames(int loops = 2) {
  GifBuilder b(8, 8, kTable);
  b.Loop(loops);
  for (uint8_t c = 1; c <= 3; ++c) b.Control(1, 1).Add(Solid(8, 8, c));
  return b.Finish();
}

std::vector<uint8_t> OneFrame(uint8_t index = 2, int w = 8, int h = 8) {
  return GifBuilder(w, h, kTable).Add(Solid(w, h, index)).Finish();
}

using testing_support::PumpUntil;

// Counts the ticks of a thread timer: a bound in timer periods for what must
// not happen meanwhile.
int g_probeTicks = 0;
void CALLBACK ProbeTick(HWND, UINT, UINT_PTR, DWORD) { ++g_probeTicks; }

class HostWindow {
 public:
  HostWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"AniGifTestHost";
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                             nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~HostWindow() { ::DestroyWindow(hwnd); }
  HWND hwnd;
};

struct Fixture : ::testing::Test {
  HostWindow host;
  ucAniGIF gif;
  std::vector<int32_t> changed;
  std::vector<bool> fromTicks;
  int loopsEnded = 0;
  void SetUp() override {
    ASSERT_TRUE(gif.Create(host.hwnd, 1, 0, 0, 100, 100));
    gif.FrameChanged = [this](int32_t f, bool& tick) {
      changed.push_back(f);
      fromTicks.push_back(tick);
    };
    gif.LoopsEnded = [this] { ++loopsEnded; };
  }
  bool Load(const std::vector<uint8_t>& b) { return gif.LoadAnimatedGIF_Array(b.data(), b.size()); }
};

using AniGif = Fixture;

TEST_F(AniGif, EmptyPathClearsAndUnreadablePathsFail) {
  ASSERT_TRUE(Load(OneFrame()));
  EXPECT_EQ(1, gif.FrameCount());
  EXPECT_FALSE(gif.LoadAnimatedGIF_File(L""));
  EXPECT_EQ(0, gif.FrameCount());
  EXPECT_EQ(0, gif.CurrentFrame());
  EXPECT_FALSE(gif.LoadAnimatedGIF_File(L"C:\\no\\such\\file.gif"));
  const std::vector<uint8_t> junk = {'G', 'I', 'F', '8', '9', 'a', 0};
  EXPECT_FALSE(Load(junk));
  EXPECT_EQ(0, gif.LoopsRemaining());
}

TEST_F(AniGif, FileRouteReadsChineseNamesAndPlaysThroughTheDeferredBuild) {
  testing_support::TempDir dir;
  const auto bytes = ThreeFrames(2);
  const std::wstring path = dir / L"表情.gif";
  testing_support::WriteFileBytes(path, std::string(bytes.begin(), bytes.end()));
  ASSERT_TRUE(gif.LoadAnimatedGIF_File(path));
  EXPECT_EQ(3, gif.FrameCount());
  EXPECT_EQ(1, gif.CurrentFrame());
  EXPECT_EQ(host.hwnd, gif.TimerWindow());
  EXPECT_EQ(kPlaying, gif.Action());  // the deferred build's one-shot timer
  gif.FireTimerForTest();             // frames 2..n built, play starts
  EXPECT_EQ(kPlaying, gif.Action());
  EXPECT_EQ(2, gif.LoopsRemaining());
  for (int k = 0; k < 6; ++k) gif.FireTimerForTest();
  EXPECT_EQ((std::vector<int32_t>{1, 2, 3, 1, 2, 3}), changed);
  EXPECT_EQ(1, loopsEnded);
  EXPECT_EQ(kStopped, gif.Action());
  EXPECT_EQ(1, gif.CurrentFrame());
  EXPECT_EQ(std::vector<bool>(6, true), fromTicks);
}

TEST_F(AniGif, RealTimersOnTheParentAdvanceFrames) {
  gif.SetMinFrameDelay(10);
  ASSERT_TRUE(Load(ThreeFrames(0)));
  EXPECT_TRUE(PumpUntil([&] { return changed.size() >= 3; }));
  EXPECT_EQ(kPlaying, gif.Action());
  // A second control on the same window keeps its own timer.
  ucAniGIF other;
  ASSERT_TRUE(other.Create(host.hwnd, 2, 100, 0, 50, 50));
  int otherChanges = 0;
  other.FrameChanged = [&](int32_t, bool&) { ++otherChanges; };
  other.SetMinFrameDelay(10);
  ASSERT_TRUE(other.LoadAnimatedGIF_Array(ThreeFrames(0).data(), ThreeFrames(0).size()));
  const std::size_t before = changed.size();
  EXPECT_TRUE(PumpUntil([&] { return otherChanges > 2 && changed.size() > before + 2; }));
}

TEST_F(AniGif, ClearFromInsideFrameChangedStopsForGood) {
  gif.SetMinFrameDelay(10);
  ASSERT_TRUE(Load(ThreeFrames(0)));
  gif.FrameChanged = [this](int32_t f, bool&) {
    changed.push_back(f);
    gif.LoadAnimatedGIF_File(L"");
  };
  ASSERT_TRUE(PumpUntil([&] { return !changed.empty(); }));
  // Five periods of a timer of the same interval: the control's timer would
  // have fired again meanwhile had the clearing left it running.
  g_probeTicks = 0;
  const UINT_PTR probe = ::SetTimer(nullptr, 0, 10, ProbeTick);
  EXPECT_TRUE(PumpUntil([] { return g_probeTicks >= 5; }));
  ::KillTimer(nullptr, probe);
  EXPECT_EQ(1u, changed.size());
  EXPECT_EQ(0, gif.FrameCount());
  EXPECT_EQ(kStopped, gif.Action());
}

TEST_F(AniGif, ClearingDuringTheDeferredBuildClears) {
  ASSERT_TRUE(Load(ThreeFrames()));  // frames 2..n still pending, file bytes held
  EXPECT_FALSE(gif.LoadAnimatedGIF_File(L""));
  EXPECT_EQ(0, gif.FrameCount());
  ASSERT_TRUE(Load(ThreeFrames(0)));
  EXPECT_EQ(0x7FFFFFFF, gif.LoopsRemaining());  // endless
}

TEST_F(AniGif, SingleFrameRaisesFrameChangedAndSetsNoTimer) {
  ASSERT_TRUE(Load(OneFrame()));
  EXPECT_EQ((std::vector<int32_t>{1}), changed);
  EXPECT_EQ(std::vector<bool>{false}, fromTicks);
  EXPECT_EQ(kStopped, gif.Action());
  EXPECT_EQ(nullptr, gif.TimerWindow());
}

TEST_F(AniGif, DelayAnimationTwoBuildsButDoesNotPlay) {
  gif.SetDelayAnimation(2);
  ASSERT_TRUE(Load(ThreeFrames()));
  gif.FireTimerForTest();
  EXPECT_EQ(kStopped, gif.Action());
  EXPECT_EQ((std::vector<int32_t>{1}), changed);
  gif.SetAction(1);
  EXPECT_EQ(kPlaying, gif.Action());
}

TEST_F(AniGif, SettingsClampAndIgnore) {
  gif.SetMinFrameDelay(5);
  EXPECT_EQ(10, gif.MinFrameDelay());
  gif.SetMinFrameDelay(40000);
  EXPECT_EQ(32700, gif.MinFrameDelay());
  gif.SetLoops(-3);
  EXPECT_EQ(3, gif.Loops());
  gif.SetStretch(9);
  EXPECT_EQ(1, gif.Stretch());
  gif.SetMirrored(4);
  EXPECT_EQ(0, gif.Mirrored());
  gif.SetDelayAnimation(7);
  EXPECT_EQ(1, gif.DelayAnimation());
  gif.SetSteppedDelay(-1);
  EXPECT_EQ(0, gif.SteppedDelay());
  EXPECT_EQ(L"x.gif", gif.GIFFile(L"x.gif"));
}

TEST_F(AniGif, ActionsStepStopAndRestart) {
  gif.SetDelayAnimation(0);
  ASSERT_TRUE(Load(ThreeFrames()));
  gif.SetAction(3);
  gif.SetAction(3);
  EXPECT_EQ(3, gif.CurrentFrame());
  gif.SetAction(3);  // after the last: frame 1, paused
  EXPECT_EQ(1, gif.CurrentFrame());
  EXPECT_EQ(kPaused, gif.Action());
  gif.SetAction(1);
  EXPECT_EQ(kPlaying, gif.Action());
  gif.SetAction(2);
  EXPECT_EQ(kPaused, gif.Action());
  gif.SetAction(3);
  gif.SetAction(0);
  EXPECT_EQ(1, gif.CurrentFrame());
  EXPECT_EQ(kStopped, gif.Action());
  gif.SetAction(4);
  EXPECT_EQ(kPlaying, gif.Action());
  gif.SetAction(5);  // ignored
  EXPECT_EQ(kPlaying, gif.Action());
}

TEST_F(AniGif, PalettesOfGlobalAndLocalTables) {
  Image local = Solid(8, 8, 1);
  local.localTable = {0x101010, 0x202020, 0x303030, 0x404040};
  GifBuilder b(8, 8, kTable);
  b.Add(Solid(8, 8, 1)).Add(local);
  const auto bytes = b.Finish();
  gif.SetDelayAnimation(0);
  ASSERT_TRUE(Load(bytes));
  std::vector<uint32_t> pal;
  EXPECT_FALSE(gif.GetPalette(1, pal));  // frame 1 uses the global table
  EXPECT_FALSE(gif.GetPalette(3, pal));
  EXPECT_FALSE(gif.GetPalette(-1, pal));
  ASSERT_TRUE(gif.GetPalette(0, pal));
  EXPECT_EQ(kTable, pal);
  ASSERT_TRUE(gif.GetPalette(2, pal));
  EXPECT_EQ(0x202020u, pal[1]);
  EXPECT_FALSE(gif.SetPalette(2, {1, 2}));  // too short
  // A new colour for index 1 of the global table shows on the next paint.
  gif.SetAction(0);
  gif.SetStretch(4);
  EXPECT_TRUE(gif.SetPalette(0, {0, 0x00FFFF, 0, 0}));
  EXPECT_EQ(RGB(0, 0xFF, 0xFF), std::as_const(gif).surface().Pixel(2, 2));
  EXPECT_TRUE(gif.CacheColorTables());
  EXPECT_FALSE(gif.CacheColorTables());
  gif.SetPalette(0, {0, 0x808080, 0, 0});
  EXPECT_TRUE(gif.RestoreColorTables(true));
  EXPECT_FALSE(gif.RestoreColorTables(true));
  gif.Refresh();
  EXPECT_EQ(RGB(0, 0xFF, 0xFF), std::as_const(gif).surface().Pixel(2, 2));
}

TEST_F(AniGif, LayoutResizesTheControl) {
  gif.Resize(200, 100);
  ASSERT_TRUE(Load(OneFrame(2, 50, 50)));  // Stretch 1: fit keeping the aspect ratio
  EXPECT_EQ(100, gif.ScaleWidth());
  EXPECT_EQ(100, gif.ScaleHeight());
  EXPECT_FLOAT_EQ(2.0f, gif.ScaleX());
  EXPECT_EQ(RGB(0, 255, 0), std::as_const(gif).surface().Pixel(99, 99));
  gif.SetStretch(4);
  EXPECT_EQ(50, gif.ScaleWidth());
  EXPECT_EQ(750, gif.ActualWidth());  // twips
  gif.SetStretch(2);
  gif.Resize(30, 80);
  EXPECT_EQ(30, gif.ScaleWidth());
  EXPECT_FLOAT_EQ(0.6f, gif.ScaleX());
  EXPECT_FLOAT_EQ(1.6f, gif.ScaleY());
}

TEST_F(AniGif, SolidBackgroundAndTransparency) {
  GifBuilder b(4, 4, kTable);
  b.Control(0, 0, 0).Add(Solid(4, 4, 0)).Control(0, 0, 0).Add(Solid(2, 2, 3, 1, 1));
  gif.SetStretch(4);
  gif.SetSolidBkgColorUsed(true);
  gif.SetSolidBkgColor(0xFFFFFF);
  gif.SetDelayAnimation(2);
  ASSERT_TRUE(Load(b.Finish()));
  gif.FireTimerForTest();
  gif.SetAction(3);
  EXPECT_EQ(RGB(255, 255, 255), std::as_const(gif).surface().Pixel(0, 0));
  EXPECT_EQ(RGB(0, 0, 255), std::as_const(gif).surface().Pixel(1, 1));
}

TEST_F(AniGif, CurrentFrameAsAGifFile) {
  GifBuilder b(5, 3, kTable);
  Image im = anigif_test::MakeImage(0, 0, 5, 3, 4, 9);
  b.Control(0, 0, 2).Add(im);
  ASSERT_TRUE(Load(b.Finish()));
  const auto file = gif.AnimatedGIF();
  ASSERT_FALSE(file.empty());
  EXPECT_EQ(0x21, file[781]);
  EXPECT_EQ(2, file[787]);
  GifStream g;
  ASSERT_EQ(1, ParseGifStream(file.data(), file.size(), g));
  std::vector<uint8_t> px(15);
  LzwDecoder dec;
  dec.DecodeFrame(file.data(), file.size(), g.Spans[0], g.Frames[0], IndexSurface{px.data(), 5, 5, 3}, 0);
  EXPECT_EQ(im.pixels, px);
  const auto pic = gif.AnimatedGIFPicture();
  ASSERT_NE(nullptr, pic);
  EXPECT_EQ(5, pic->width());
  gif.LoadAnimatedGIF_File(L"");
  EXPECT_TRUE(gif.AnimatedGIF().empty());
}

TEST_F(AniGif, PropertyBagRoundTripAndDesignTime) {
  HostWindow designHost;
  ucAniGIF design;
  design.SetUserMode(false);
  ASSERT_TRUE(design.Create(designHost.hwnd, 3, 0, 0, 40, 40));
  design.SetAnimatedGIF(ThreeFrames(5));
  EXPECT_EQ(3, design.FrameCount());
  EXPECT_EQ(8, design.ScaleWidth());  // resized to the actual size
  EXPECT_EQ(nullptr, design.TimerWindow());
  design.SetAction(1);
  EXPECT_EQ(kStopped, design.Action());
  design.SetMinFrameDelay(70);
  design.SetMirrored(1);
  controls::PropertyBag bag = design.SaveProperties();
  EXPECT_EQ((std::vector<std::wstring>{L"GIF", L"Delay", L"Loops", L"Mirror"}), bag.Keys());
  EXPECT_EQ(ThreeFrames(5).size(), bag.ReadString(L"gif", L"").size());

  bag.Write(L"DelayLoad", int32_t{-1});
  ucAniGIF run;
  ASSERT_TRUE(run.Create(host.hwnd, 4, 0, 0, 40, 40, &bag));
  EXPECT_EQ(3, run.FrameCount());
  EXPECT_EQ(70, run.MinFrameDelay());
  EXPECT_EQ(1, run.DelayAnimation());
  EXPECT_EQ(1, run.Mirrored());
  EXPECT_EQ(5, run.Loops());
  EXPECT_EQ(5, run.LoopsRemaining());
  // At run time the file bytes are let go once built.
  run.FireTimerForTest();
  EXPECT_EQ(0u, run.SaveProperties().ReadString(L"GIF", L"").size());
  // A bag without "Loops" reads the file's own count.
  bag.Remove(L"Loops");
  ucAniGIF again;
  ASSERT_TRUE(again.Create(host.hwnd, 5, 0, 0, 40, 40, &bag));
  EXPECT_EQ(5, again.Loops());
}

TEST_F(AniGif, MouseEventsInContainerUnits) {
  float gotX = -1, gotY = -1;
  gif.MouseMove = [&](int16_t&, int16_t&, float& x, float& y) {
    gotX = x;
    gotY = y;
  };
  int clicks = 0;
  gif.Click = [&] { ++clicks; };
  ::SendMessageW(gif.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
  EXPECT_FLOAT_EQ(45.0f, gotX);
  EXPECT_FLOAT_EQ(60.0f, gotY);
  ::SendMessageW(gif.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  ::SendMessageW(gif.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
  EXPECT_EQ(1, clicks);
}

TEST_F(AniGif, MirroringAMultiFrameFileFlipsEveryFrame) {
  GifBuilder b(4, 1, kTable);
  Image a = Solid(4, 1, 1);
  a.pixels = {1, 2, 3, 0};
  b.Add(a).Add(a);
  gif.SetStretch(4);
  gif.SetMirrored(1);
  ASSERT_TRUE(Load(b.Finish()));
  gif.FireTimerForTest();  // deferred build
  gif.SetAction(0);
  EXPECT_EQ(RGB(0, 0, 0), std::as_const(gif).surface().Pixel(0, 0));
  EXPECT_EQ(RGB(255, 0, 0), std::as_const(gif).surface().Pixel(3, 0));
  gif.SetAction(3);
  EXPECT_EQ(RGB(255, 0, 0), std::as_const(gif).surface().Pixel(3, 0));
  gif.SetMirrored(0);
  EXPECT_EQ(RGB(255, 0, 0), std::as_const(gif).surface().Pixel(0, 0));
}

TEST_F(AniGif, MirroringBeforeTheDeferredBuildFlipsEachFrameOnce) {
  GifBuilder b(6, 2, kTable);
  b.Add(Solid(6, 2, 1)).Add(Solid(2, 1, 3, 0, 0));
  gif.SetStretch(4);
  ASSERT_TRUE(Load(b.Finish()));
  gif.SetMirrored(3);  // frames 2..n not built yet
  EXPECT_EQ(4, gif.frames().gif.Frames[1].Left);
  EXPECT_EQ(1, gif.frames().gif.Frames[1].Top);
  EXPECT_EQ(0, gif.frames().gif.Frames[0].Left);
  gif.SetAction(0);
  gif.SetAction(3);
  EXPECT_EQ(RGB(0, 0, 255), std::as_const(gif).surface().Pixel(5, 1));
  EXPECT_EQ(RGB(255, 0, 0), std::as_const(gif).surface().Pixel(0, 0));
}

TEST_F(AniGif, HidingBeforeTheDeferredBuildStillBuildsEveryFrame) {
  gif.SetStretch(4);
  ASSERT_TRUE(Load(ThreeFrames(0)));
  ::ShowWindow(gif.hwnd(), SW_HIDE);
  EXPECT_EQ(kPaused, gif.Action());
  ::ShowWindow(gif.hwnd(), SW_SHOW);
  EXPECT_EQ(kPlaying, gif.Action());
  gif.FireTimerForTest();
  gif.FireTimerForTest();
  EXPECT_EQ(3, gif.CurrentFrame());
  EXPECT_EQ(RGB(0, 0, 255), std::as_const(gif).surface().Pixel(1, 1));  // frame 3 was built
}

TEST_F(AniGif, RemoteReadOfFileAddresses) {
  testing_support::TempDir dir;
  int failures = 0, completes = 0;
  float w = 0, h = 0;
  bool cancel = false;
  gif.RemoteLoadFailure = [&] { ++failures; };
  gif.RemoteLoadComplete = [&](float width, float height, bool& c) {
    ++completes;
    w = width, h = height;
    c = cancel;
  };
  auto waitFor = [&](int failuresWanted, int completesWanted) {
    PumpUntil([&] { return failures >= failuresWanted && completes >= completesWanted; });
  };
  testing_support::WriteFileBytes(dir / L"short.gif", "GIF89a12345678");  // 14 bytes
  gif.LoadAnimatedGIF_Remote(L"file:///" + dir.path() + L"short.gif");
  waitFor(1, 0);
  EXPECT_EQ(1, failures);

  const auto bytes = ThreeFrames();
  testing_support::WriteFileBytes(dir / L"ok.gif", std::string(bytes.begin(), bytes.end()));
  ASSERT_TRUE(Load(OneFrame()));
  cancel = true;
  gif.LoadAnimatedGIF_Remote(L"file:///" + dir.path() + L"ok.gif");
  waitFor(1, 1);
  ASSERT_EQ(1, completes);
  EXPECT_FLOAT_EQ(120.0f, w);
  EXPECT_FLOAT_EQ(120.0f, h);
  EXPECT_EQ(1, gif.FrameCount());  // cancelled: as it was
  cancel = false;
  gif.LoadAnimatedGIF_Remote(L"file:///" + dir.path() + L"ok.gif");
  waitFor(1, 2);
  EXPECT_EQ(3, gif.FrameCount());
  gif.LoadAnimatedGIF_Remote(L"file:///" + dir.path() + L"missing.gif");
  waitFor(2, 2);
  EXPECT_EQ(2, failures);
}

}  // namespace
}  // namespace anigif
