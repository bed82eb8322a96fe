// The control kit's gallery: every control of the kit in each of its looks
// on one window, so that one screenshot shows the whole kit.
// Usage: gallery.exe [--exit-after <ms>]
#include <windows.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "controls/box.h"
#include "controls/command.h"
#include "controls/drawing.h"
#include "controls/picture.h"
#include "controls/qq_button.h"
#include "controls/skin_art.h"
#include "controls/xp_vscrollbar.h"
#include "foundation/handles.h"
#include "foundation/window_base.h"

using namespace controls;

namespace {

constexpr UINT_PTR kExitTimer = 99;

// A host's picture strip for Command: n frames of w x h, one look each
// (normal, hover, pressed, disabled / selected, selected hover, selected pressed).
PictureRef MakeStrip(int frames, int w, int h) {
  struct Look {
    COLORREF border, top, bottom;
  };
  static const Look looks[6] = {
      {RGB(122, 150, 190), RGB(250, 252, 255), RGB(214, 226, 244)},  // normal
      {RGB(230, 150, 40), RGB(255, 252, 240), RGB(255, 226, 170)},   // hover
      {RGB(70, 100, 150), RGB(180, 198, 226), RGB(226, 234, 248)},   // pressed
      {RGB(150, 150, 150), RGB(232, 232, 232), RGB(216, 216, 216)},  // disabled / selected idle
      {RGB(230, 120, 20), RGB(255, 236, 200), RGB(255, 200, 120)},   // selected hover
      {RGB(160, 80, 10), RGB(240, 180, 100), RGB(255, 220, 160)},    // selected pressed
  };
  return Picture::Draw(frames * w, h, [&](HDC dc) {
    for (int f = 0; f < frames; ++f) {
      // In a 6-frame strip, frame 3 is the selected idle look.
      const Look& look = looks[f == 3 && frames == 6 ? 5 : f];
      for (int y = 0; y < h; ++y) {
        const double t = static_cast<double>(y) / (h - 1);
        const COLORREF c = RGB(GetRValue(look.top) + (GetRValue(look.bottom) - GetRValue(look.top)) * t,
                               GetGValue(look.top) + (GetGValue(look.bottom) - GetGValue(look.top)) * t,
                               GetBValue(look.top) + (GetBValue(look.bottom) - GetBValue(look.top)) * t);
        foundation::UniqueBrush brush(::CreateSolidBrush(c));
        RECT row{f * w, y, f * w + w, y + 1};
        ::FillRect(dc, &row, brush.get());
      }
      foundation::UniqueBrush border(::CreateSolidBrush(look.border));
      RECT frame{f * w, 0, f * w + w, h};
      ::FrameRect(dc, &frame, border.get());
    }
  });
}

class Gallery : public foundation::WindowBase {
 public:
  bool Create() {
    // Topmost: other programs' windows on the display must not cover the screenshot.
    return CreateWindowObject({L"ControlsGallery", CS_DBLCLKS, nullptr, ::GetSysColorBrush(COLOR_BTNFACE)},
                              WS_EX_TOPMOST,
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, L"控件一览", 0, 0, 1060, 560, nullptr, nullptr);
  }
  bool Populate();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == WM_TIMER && w == kExitTimer) {
      ::DestroyWindow(hwnd());
      return 0;
    }
    if (msg == WM_DESTROY) ::PostQuitMessage(0);
    return WindowBase::HandleMessage(msg, w, l);
  }

 private:
  template <class T>
  T* Add() {
    auto c = std::make_unique<T>();
    T* raw = c.get();
    owned_.push_back(std::move(c));
    return raw;
  }
  void Label(HWND parent, const wchar_t* text, int x, int y, int w) {
    HWND h = ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, x, y, w, 16, parent, nullptr, nullptr, nullptr);
    ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  }
  bool AddQQButtons(int y);
  bool AddCommands(int y);
  bool AddBoxes(int y);
  bool AddScrollBars(int x, int y);

  std::vector<std::unique_ptr<ControlWindow>> owned_;
  foundation::UniqueFont font_;
  AmbientProperties ambient_;
  bool ok_ = true;
};

bool Gallery::AddQQButtons(int y) {
  Label(hwnd(), L"QQButton：禁用 / 正常 / 悬停 / 按下 / 4像素宽 / 宽", 20, y, 600);
  const wchar_t* captions[4] = {L"禁用", L"确定", L"悬停", L"按下"};
  for (int look = 0; look < 4; ++look) {
    PropertyBag bag;
    bag.Write(L"Caption", std::wstring(captions[look]));
    bag.Write(L"Enabled", look != 0);
    auto* b = Add<QQButton>();
    ok_ &= b->Create(hwnd(), 100 + look, 20 + look * 110, y + 22, 97, 25, &bag, ambient_);
    b->PrintB(look == 0 ? 1 : look);
  }
  auto* tiny = Add<QQButton>();
  ok_ &= tiny->Create(hwnd(), 110, 470, y + 22, 4, 25, nullptr, ambient_);
  auto* wide = Add<QQButton>();
  ok_ &= wide->Create(hwnd(), 111, 500, y + 16, 160, 38, nullptr, ambient_);
  wide->SetCaption(L"导入表情包(&I)");
  return ok_;
}

bool Gallery::AddCommands(int y) {
  Label(hwnd(), L"Command (4帧)：正常 / 悬停 / 按下 / 禁用 / 选中 / 选中按下(无帧) / 无图片", 20, y, 700);
  PictureRef strip4 = MakeStrip(4, 64, 22);
  const int states4[6] = {1, 2, 3, -1, 0, 5};
  for (int i = 0; i < 6; ++i) {
    PropertyBag bag;
    bag.Write(L"Enabled", states4[i] != -1);
    bag.Write(L"Caption", std::wstring(L"表情"));
    bag.Write(L"Picture", strip4);
    bag.Write(L"Status", states4[i] == 0 || states4[i] == 5);
    auto* c = Add<Command>();
    ok_ &= c->Create(hwnd(), 200 + i, 20 + i * 76, y + 22, 10, 10, &bag, ambient_);
    c->PrintB(states4[i] == -1 ? 1 : states4[i]);  // a disabled button shows its disabled frame
  }
  PropertyBag plain;
  plain.Write(L"Enabled", true);
  plain.Write(L"Caption", std::wstring(L"无图片"));
  auto* bare = Add<Command>();
  ok_ &= bare->Create(hwnd(), 210, 20 + 6 * 76, y + 22, 80, 22, &plain, ambient_);

  Label(hwnd(), L"Command (6帧, Check)：正常 / 悬停 / 按下 / 选中 / 选中悬停 / 选中按下 / 禁用", 20, y + 56, 700);
  PictureRef strip6 = MakeStrip(6, 84, 24);
  const int states6[7] = {1, 2, 3, 0, 4, 5, -1};
  for (int i = 0; i < 7; ++i) {
    PropertyBag bag;
    bag.Write(L"Enabled", states6[i] != -1);
    bag.Write(L"Caption", std::wstring(L"默认表情"));
    bag.Write(L"Picture", strip6);
    bag.Write(L"Check", true);
    bag.Write(L"Status", states6[i] == 0 || states6[i] >= 4);
    auto* c = Add<Command>();
    ok_ &= c->Create(hwnd(), 220 + i, 20 + i * 92, y + 78, 10, 10, &bag, ambient_);
    c->PrintB(states6[i] == -1 ? 1 : states6[i]);
  }
  return ok_;
}

bool Gallery::AddBoxes(int y) {
  Label(hwnd(), L"Box：白底 / 系统窗口色与红线 / 无 LineColor(线同宿主底色)", 20, y, 600);
  const uint32_t backs[3] = {0xFFFFFF, 0x80000005u, 0xF0E0D0};
  for (int i = 0; i < 3; ++i) {
    PropertyBag bag;
    bag.Write(L"BackColor", ColorToLong(backs[i]));
    if (i == 0) bag.Write(L"LineColor", ColorToLong(0xB99D7F));
    if (i == 1) bag.Write(L"LineColor", ColorToLong(0x0000C0));
    auto* box = Add<Box>();
    ok_ &= box->Create(hwnd(), 300 + i, 20 + i * 200, y + 22, 180, 100, &bag, ambient_);
    if (i == 0) {
      // A child inside the box, as the windows place their grids there.
      auto* inner = Add<QQButton>();
      ok_ &= inner->Create(box->hwnd(), 1, 40, 36, 97, 25, nullptr, ambient_);
      inner->SetCaption(L"框内按钮");
    }
  }
  return ok_;
}

bool Gallery::AddScrollBars(int x, int y) {
  Label(hwnd(), L"xp_VScrollBar：蓝 / 橄榄 / 银 / 方案3", x, y, 420);
  Label(hwnd(), L"各列：正常, 悬停上箭头, 拖动滑块, 按住下箭头, 禁用", x, y + 18, 420);
  for (int scheme = 0; scheme < 4; ++scheme) {
    for (int look = 0; look < 5; ++look) {
      PropertyBag bag;
      bag.Write(L"ColorScheme", int32_t{scheme});
      bag.Write(L"Value", int32_t{look * 50});
      bag.Write(L"Max", int32_t{255});
      bag.Write(L"LargeChange", int32_t{64});  // a thumb tall enough for its grip
      bag.Write(L"Enabled", look != 4);
      auto* bar = Add<XpVScrollBar>();
      const int bx = x + look * 20 + scheme * 106;
      ok_ &= bar->Create(hwnd(), 400 + scheme * 10 + look, bx, y + 40, 17, 200, &bag, ambient_);
      ScrollBarState& s = bar->state();
      const float thumbMid = s.thumb_top() + s.thumb_height() / 2.0f;
      if (look == 1) s.MouseMove(0, 0, 8, 5);  // hover on the up arrow
      if (look == 2) {
        s.MouseMove(0, 0, 8, thumbMid);
        s.MouseDown(kLeftButton, thumbMid);
      }
      if (look == 3) {
        s.MouseMove(0, 0, 8, 195);
        s.MouseDown(kLeftButton, 195);
      }
      // Freeze the look: no hover poll or repeat in a still picture.
      ::KillTimer(bar->hwnd(), XpVScrollBar::kHoverTimerId);
      ::KillTimer(bar->hwnd(), XpVScrollBar::kRepeatTimerId);
    }
  }
  Label(hwnd(), L"高度 40 (无滑块)", x, y + 250, 200);
  auto* shortBar = Add<XpVScrollBar>();
  ok_ &= shortBar->Create(hwnd(), 450, x, y + 270, 17, 40, nullptr, ambient_);
  return ok_;
}

bool Gallery::Populate() {
  ambient_.displayName = L"Gallery";
  {
    foundation::WindowDc dc(hwnd());
    font_ = CreateGdiFont(ambient_.font, dc.get());
  }
  AddQQButtons(10);
  AddCommands(80);
  AddBoxes(220);
  AddScrollBars(618, 220);
  return ok_;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  UINT exitAfter = 0;
  for (int i = 1; argv && i + 1 < argc; ++i) {
    if (std::wcscmp(argv[i], L"--exit-after") == 0) exitAfter = static_cast<UINT>(std::wcstoul(argv[i + 1], nullptr, 10));
  }
  if (argv) ::LocalFree(argv);

  int result = 1;
  {
    Gallery gallery;
    if (!gallery.Create()) return 2;
    const bool populated = gallery.Populate();
    ::ShowWindow(gallery.hwnd(), SW_SHOW);
    ::UpdateWindow(gallery.hwnd());
    if (exitAfter) ::SetTimer(gallery.hwnd(), kExitTimer, exitAfter, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    result = populated ? 0 : 3;
  }
  FreeSkinArt();
  return result;
}
