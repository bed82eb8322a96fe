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
#include "controls/flat_cmd.h"
#include "controls/picture.h"
#include "controls/prog_bar.h"
#include "controls/qq_button.h"
#include "controls/skin_art.h"
#include "controls/trans_form.h"
#include "controls/xp_command.h"
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
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, L"控件一览", 0, 0, 1270, 790, nullptr, nullptr);
  }
  bool Populate();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM w, LPARAM l) override {
    if (msg == WM_TIMER && w == kExitTimer) {
      ::DestroyWindow(hwnd());
      return 0;
    }
    if (msg == WM_DESTROY) {
      if (shaped_) ::DestroyWindow(shaped_);
      ::PostQuitMessage(0);
    }
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
  bool AddXpCommands(int y);
  bool AddFlatCmds(int y);
  bool AddProgBars(int y);
  bool AddShapedForm(int x, int y);

  std::vector<std::unique_ptr<ControlWindow>> owned_;
  HWND shaped_ = nullptr;  // the form the TransForm shapes
  foundation::UniqueFont font_;
  AmbientProperties ambient_;
  std::vector<PictureRef> keep_;  // pictures windows show by handle
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

// A picture with a word, as the buttons' pictures: a blue square with a
// magenta (mask colour) corner.
PictureRef ButtonPicture(int size) {
  return Picture::Draw(size, size, [&](HDC dc) {
    RECT all{0, 0, size, size};
    ::SetDCBrushColor(dc, RGB(40, 90, 200));
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    RECT corner{0, 0, size / 3, size / 3};
    ::SetDCBrushColor(dc, RGB(255, 0, 255));
    ::FillRect(dc, &corner, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    RECT dot{size / 2, size / 2, size - 2, size - 2};
    ::SetDCBrushColor(dc, RGB(250, 210, 60));
    ::FillRect(dc, &dot, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
  });
}

// Puts a command button into a look by input, then stops its hover poll so
// the look stays for the screenshot.
void HoldLook(OwnerDrawnButton& b, const wchar_t* look) {
  HWND h = b.hwnd();
  const std::wstring which = look;
  if (which == L"hover") ::SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  if (which == L"pressed") ::SendMessageW(h, WM_KEYDOWN, VK_SPACE, 0);  // pressed without taking the focus
  if (which == L"focus") ::SetFocus(h);
  ::KillTimer(h, OwnerDrawnButton::kOverTimerId);
}

bool Gallery::AddXpCommands(int y) {
  Label(hwnd(), L"XpCommand：正常 / 焦点 / 悬停 / 按下 / 禁用；图片在上 / 左 / 右 / 下", 20, y, 700);
  const wchar_t* looks[5] = {L"normal", L"focus", L"hover", L"pressed", L"disabled"};
  const wchar_t* captions[5] = {L"下载", L"焦点", L"悬停", L"按下", L"禁用"};
  XpCommand* focused = nullptr;
  for (int i = 0; i < 5; ++i) {
    PropertyBag bag;
    bag.Write(L"Caption", std::wstring(captions[i]));
    bag.Write(L"Enabled", i != 4);
    auto* b = Add<XpCommand>();
    ok_ &= b->Create(hwnd(), 500 + i, 20 + i * 110, y + 22, 100, 28, &bag, ambient_);
    if (i == 1) focused = b;
    if (i == 2 || i == 3) HoldLook(*b, looks[i]);
  }
  const wchar_t* places[4] = {L"上", L"左", L"右", L"下"};
  for (int pos = 0; pos < 4; ++pos) {
    PropertyBag bag;
    bag.Write(L"Caption", std::wstring(L"图片") + places[pos]);
    bag.Write(L"PicturePosition", int32_t{pos});
    bag.Write(L"MaskColor", ColorToLong(RGB(255, 0, 255)));
    auto* b = Add<XpCommand>();
    const bool tall = pos == 0 || pos == 3;
    ok_ &= b->Create(hwnd(), 510 + pos, 20 + pos * 130, y + 60, 112, tall ? 56 : 40, &bag, ambient_);
    b->SetPictureSize(kPictureSize16);
    b->SetPicture(ButtonPicture(16));
  }
  if (focused) HoldLook(*focused, L"focus");
  return ok_;
}

bool Gallery::AddFlatCmds(int y) {
  Label(hwnd(), L"FlatCmd：静止 / 按下 / 无边框 / 透明(宿主图片) / 图片在左 / 禁用", 20, y, 700);
  const wchar_t* captions[3] = {L"平面", L"按下", L"无边框"};
  for (int i = 0; i < 3; ++i) {
    PropertyBag bag;
    bag.Write(L"Caption", std::wstring(captions[i]));
    bag.Write(L"BackColor", ColorToLong(0xF0E8E0));
    bag.Write(L"NoBorderEffect", i == 2);
    auto* b = Add<FlatCmd>();
    ok_ &= b->Create(hwnd(), 600 + i, 20 + i * 100, y + 22, 90, 26, &bag, ambient_);
    if (i == 1) HoldLook(*b, L"pressed");
  }
  // A host picture shown by a static picture box; the see-through button sits on it.
  PictureRef stripes = Picture::Draw(140, 40, [](HDC dc) {
    for (int x = 0; x < 140; ++x) {
      foundation::UniquePen pen(::CreatePen(PS_SOLID, 1, (x / 8) % 2 ? RGB(150, 200, 240) : RGB(230, 240, 255)));
      foundation::SelectionGuard select(dc, pen.get());
      ::MoveToEx(dc, x, 0, nullptr);
      ::LineTo(dc, x, 40);
    }
  });
  HWND holder = ::CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP | WS_CLIPCHILDREN, 320,
                                  y + 16, 140, 40, hwnd(), nullptr, nullptr, nullptr);
  ::SendMessageW(holder, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(stripes->bitmap()));
  AmbientProperties onPicture = ambient_;
  onPicture.picture = stripes;
  PropertyBag clear;
  clear.Write(L"Caption", std::wstring(L"透明"));
  clear.Write(L"TransparentBG", true);
  auto* seeThrough = Add<FlatCmd>();
  ok_ &= seeThrough->Create(holder, 603, 25, 7, 90, 26, &clear, onPicture);
  keep_.push_back(stripes);

  PropertyBag left;
  left.Write(L"Caption", std::wstring(L"图片在左"));
  left.Write(L"MaskColor", ColorToLong(RGB(255, 0, 255)));
  auto* withPicture = Add<FlatCmd>();
  ok_ &= withPicture->Create(hwnd(), 604, 480, y + 22, 110, 28, &left, ambient_);
  withPicture->SetPictureSize(kPictureSize16);
  withPicture->SetPicture(ButtonPicture(16));
  PropertyBag off;
  off.Write(L"Caption", std::wstring(L"禁用"));
  off.Write(L"Enabled", false);
  auto* disabled = Add<FlatCmd>();
  ok_ &= disabled->Create(hwnd(), 605, 600, y + 22, 90, 26, &off, ambient_);
  return ok_;
}

bool Gallery::AddProgBars(int y) {
  Label(hwnd(), L"ProgBar：样式 0-9 (60%, 3 与 9 显示文字)；竖直样式 1", 20, y, 600);
  for (int look = 0; look < kProgBarLooks; ++look) {
    PropertyBag bag;
    bag.Write(L"Scrolling", int32_t{look});
    bag.Write(L"Color", ColorToLong(look == 9 ? 0x6A240Au : 0x8000000Du));
    bag.Write(L"ShowText", look == 3 || look == 9);
    bag.Write(L"Value", int32_t{60});
    auto* bar = Add<ProgBar>();
    ok_ &= bar->Create(hwnd(), 700 + look, 20 + (look % 5) * 200, y + 22 + (look / 5) * 30, 190, 22, &bag, ambient_);
    if (look == 8) {
      PictureRef tile = Picture::Draw(8, 8, [](HDC dc) {
        for (int i = 0; i < 8; ++i) ::SetPixelV(dc, i, i, RGB(200, 60, 60));
      });
      bar->SetImage(tile);
    }
  }
  PropertyBag vertical;
  vertical.Write(L"Orientation", int32_t{1});
  vertical.Write(L"Scrolling", int32_t{1});
  vertical.Write(L"Value", int32_t{60});
  auto* up = Add<ProgBar>();
  ok_ &= up->Create(hwnd(), 710, 1030, y + 10, 22, 70, &vertical, ambient_);
  return ok_;
}

// A form of its own shaped by a TransForm: a disc cut from a square picture
// by its grey corners.
bool Gallery::AddShapedForm(int x, int y) {
  Label(hwnd(), L"TransForm：按图片形状裁剪的窗口", x, y, 260);
  PictureRef disc = Picture::Draw(90, 90, [](HDC dc) {
    RECT all{0, 0, 90, 90};
    ::SetDCBrushColor(dc, RGB(0xC0, 0xC0, 0xC0));
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    foundation::UniqueBrush fill(::CreateSolidBrush(RGB(60, 160, 90)));
    foundation::SelectionGuard brush(dc, fill.get());
    foundation::SelectionGuard pen(dc, ::GetStockObject(NULL_PEN));
    ::Ellipse(dc, 0, 0, 91, 91);
  });
  keep_.push_back(disc);
  RECT gallery{};
  ::GetWindowRect(hwnd(), &gallery);
  POINT at{x, y + 22};
  ::ClientToScreen(hwnd(), &at);
  shaped_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", nullptr, WS_POPUP | SS_BITMAP, at.x, at.y,
                              90, 90, hwnd(), nullptr, nullptr, nullptr);
  if (!shaped_) return ok_ = false;
  ::SendMessageW(shaped_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(disc->bitmap()));
  AmbientProperties onDisc = ambient_;
  onDisc.picture = disc;
  auto* shaper = Add<TransForm>();
  ok_ &= shaper->Create(shaped_, 800, 0, 0, 32, 32, nullptr, onDisc);
  ::ShowWindow(shaped_, SW_SHOWNA);
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
  AddXpCommands(350);
  AddFlatCmds(550);
  AddProgBars(610);
  AddShapedForm(1080, 10);
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
