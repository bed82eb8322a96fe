#include "anigif/ani_gif.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "anigif/core/gif_encoder.h"
#include "anigif/remote_read.h"
#include "foundation/ole_color.h"

namespace anigif {
namespace {

constexpr UINT kRemoteDoneMessage = WM_APP + 0x1A6;
constexpr UINT kProbeInterval = 60000;
constexpr int kCustomPointer = 99;

// Live instances: a timer callback reaches an instance only while it exists,
// however late the platform delivers it.
std::set<ucAniGIF*>& LiveControls() {
  static std::set<ucAniGIF*> live;
  return live;
}

UINT_PTR TimerIdOf(const ucAniGIF* control) { return reinterpret_cast<UINT_PTR>(control); }

// The standard pointer shapes by the host's numbering.
LPCWSTR CursorOf(int32_t pointer) {
  switch (pointer) {
    case 2: return IDC_CROSS;
    case 3: return IDC_IBEAM;
    case 5: return IDC_SIZEALL;
    case 6: return IDC_SIZENESW;
    case 7: return IDC_SIZENS;
    case 8: return IDC_SIZENWSE;
    case 9: return IDC_SIZEWE;
    case 10: return IDC_UPARROW;
    case 11: return IDC_WAIT;
    case 12: return IDC_NO;
    case 13: return IDC_APPSTARTING;
    case 14: return IDC_HELP;
    case 15: return IDC_SIZEALL;
    default: return IDC_ARROW;
  }
}

}  // namespace

std::wstring BytesToBagText(const std::vector<uint8_t>& bytes) {
  std::wstring text(bytes.size(), L'\0');
  std::transform(bytes.begin(), bytes.end(), text.begin(), [](uint8_t b) { return static_cast<wchar_t>(b); });
  return text;
}

std::vector<uint8_t> BagTextToBytes(const std::wstring& text) {
  std::vector<uint8_t> bytes(text.size());
  std::transform(text.begin(), text.end(), bytes.begin(), [](wchar_t c) { return static_cast<uint8_t>(c & 0xFF); });
  return bytes;
}

ucAniGIF::ucAniGIF() { LiveControls().insert(this); }

ucAniGIF::~ucAniGIF() {
  // The timer goes before anything it could reach is freed.
  ResetControl();
  DisarmTimer();
  LiveControls().erase(this);
}

// ---------------------------------------------------------------- timers

bool ucAniGIF::ArmTimer(unsigned intervalMs, TimerMode mode) {
  if (!hwnd()) return false;
  timerWindow_ = ::GetParent(hwnd());
  if (!timerWindow_) return false;
  // Probe first, so a refused timer leaves nothing behind.
  if (!::SetTimer(timerWindow_, TimerIdOf(this), kProbeInterval, TimerProc)) return false;
  ::KillTimer(timerWindow_, TimerIdOf(this));
  timerMode_ = mode;
  return ::SetTimer(timerWindow_, TimerIdOf(this), intervalMs, TimerProc) != 0;
}

void ucAniGIF::DisarmTimer() {
  if (timerWindow_) ::KillTimer(timerWindow_, TimerIdOf(this));
  timerMode_ = kTimerStop;
}

void CALLBACK ucAniGIF::TimerProc(HWND hwnd, UINT, UINT_PTR id, DWORD) {
  auto* control = reinterpret_cast<ucAniGIF*>(id);
  if (LiveControls().count(control) == 0) {
    ::KillTimer(hwnd, id);
    return;
  }
  try {
    control->OnTimerTick();
  } catch (...) {
    // No exception may cross into the message loop.
  }
}

void ucAniGIF::OnTimerTick() {
  if (timerMode_ == kTimerDeferredBuild) {
    OnDeferredBuildTimer();
  } else {
    animation_.OnFrameTimer();
  }
}

void ucAniGIF::OnDeferredBuildTimer() {
  animation_.SetAnimationTimer(kTimerStop);
  bool firstPass = false;
  BuildFrames(firstPass);
}

// ---------------------------------------------------------------- loading

void ucAniGIF::ResetControl() noexcept {
  try {
    animation_.Reset();
    DisarmTimer();
    deferredPending_ = false;
    frames_.Release();
    frames_.gif = GifStream{};
    cachedTables_.reset();
    layout_ = Layout{};
  } catch (...) {
  }
}

int32_t ucAniGIF::LoadGIFBytes() {
  ResetControl();
  layout_.scaleX = layout_.scaleY = 0.0f;
  int32_t count = 0;
  try {
    if (!gifBuffer_.empty()) count = ParseGifStream(gifBuffer_.data(), gifBuffer_.size(), frames_.gif);
    if (count != 0) {
      std::vector<int32_t> delays;
      for (const GifFrameInfo& f : frames_.gif.Frames) delays.push_back(f.Delay);
      animation_.Load(std::move(delays));
      animation_.set_loops(frames_.gif.Loops);
      bool firstPass = true;
      if (!BuildFrames(firstPass)) {
        count = 0;
      } else if (userMode_ && count == 1) {
        Refresh();
        bool fromTick = false;
        controls::Raise(FrameChanged, 1, fromTick);
      }
    }
  } catch (...) {
    count = 0;
  }
  if (count == 0) {
    gifBuffer_.clear();
    gifBuffer_.shrink_to_fit();
    ResetControl();
  }
  return count;
}

bool ucAniGIF::BuildFrames(bool& firstPass) {
  try {
    const int n = frames_.gif.FrameCount();
    if (n == 0) return false;
    if (firstPass) {
      if (!frames_.Prepare(!userMode_)) return false;
      frames_.Build(gifBuffer_.data(), gifBuffer_.size(), 0, 1);
      animation_.set_current_frame(1);
      layout_.width = ScaleWidth();
      layout_.height = ScaleHeight();
      ComputeLayout(stretch_, frames_.gif.CanvasWidth, frames_.gif.CanvasHeight, layout_);
      if (userMode_ && n > 1) {
        if (delayAnimation_ != 0) {
          // Frame 1 shows at once; the rest is decoded by the deferred timer.
          mirrored_ = frames_.Mirror(0, mirrored_, true, false) | kMirrorFirstDone;
          deferredPending_ = true;
          animation_.SetAnimationTimer(kTimerDeferredBuild);
          return true;
        }
        firstPass = false;
        return BuildFrames(firstPass);
      }
    } else {
      deferredPending_ = false;
      frames_.Build(gifBuffer_.data(), gifBuffer_.size(), 1, n);
    }
    firstPass = false;
    mirrored_ = frames_.Mirror(0, mirrored_, !userMode_, false);
    if (userMode_) {
      gifBuffer_.clear();
      gifBuffer_.shrink_to_fit();
      if ((delayAnimation_ & 2) == 0) {
        animation_.ResetLoopsRemaining();
        if (holdPlay_) {
          animation_.set_state(kPaused);
        } else {
          animation_.SetAnimationTimer(kTimerPlay);
        }
      } else {
        bool fromTick = false;
        controls::Raise(FrameChanged, 1, fromTick);
      }
    }
    return true;
  } catch (...) {
    return false;
  }
}

void ucAniGIF::CompleteDeferredBuild() {
  if (!deferredPending_) return;
  animation_.SetAnimationTimer(kTimerStop);
  holdPlay_ = true;
  bool firstPass = false;
  BuildFrames(firstPass);
  holdPlay_ = false;
}

void ucAniGIF::FinishLoad(bool ok) {
  if (ok && (stretch_ == kStretchActual || stretch_ == kStretchFit || stretch_ == kStretchShrink)) ResizeToLayout();
}

bool ucAniGIF::LoadAnimatedGIF_File(const std::wstring& path) {
  GIFFile(path);
  // At run time the buffer is normally empty here, but during the deferred
  // build it still holds the previous file: an unreadable path (L"" clears
  // the preview) must not load that one again.
  if (userMode_) gifBuffer_.clear();
  // Wide file functions for every path: the ANSI ones would lose characters
  // outside the code page, and a wide call handles the others the same way.
  if (!path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      LARGE_INTEGER size{};
      if (::GetFileSizeEx(file, &size) && size.QuadPart > 0) {
        if (static_cast<uint64_t>(size.QuadPart) > kMaxFileBytes) {
          gifBuffer_.clear();  // too large to be one of ours: fails cleanly below
        } else {
          gifBuffer_.resize(static_cast<std::size_t>(size.QuadPart));
          DWORD got = 0;
          if (!::ReadFile(file, gifBuffer_.data(), static_cast<DWORD>(gifBuffer_.size()), &got, nullptr) ||
              got != gifBuffer_.size()) {
            gifBuffer_.clear();
          }
        }
      }
      ::CloseHandle(file);
    }
  }
  const bool ok = LoadGIFBytes() != 0;
  FinishLoad(ok);
  return ok;
}

bool ucAniGIF::LoadAnimatedGIF_Array(const void* data, std::size_t elementCount, std::size_t elementSize) {
  try {
    if (data != nullptr && elementSize != 0 && elementCount <= kMaxFileBytes / elementSize) {
      const auto* p = static_cast<const uint8_t*>(data);
      gifBuffer_.assign(p, p + elementCount * elementSize);
    } else {
      gifBuffer_.clear();
    }
    const bool ok = LoadGIFBytes() != 0;
    FinishLoad(ok);
    return ok;
  } catch (...) {
    return false;
  }
}

void ucAniGIF::LoadAnimatedGIF_Remote(const std::wstring& address) {
  if (address.empty()) return;
  const uint32_t token = ++remoteToken_;
  if (!hwnd() || !StartRemoteRead(hwnd(), kRemoteDoneMessage, token, address)) controls::Raise(RemoteLoadFailure);
}

void ucAniGIF::OnRemoteResult(LPARAM lParam) {
  std::unique_ptr<RemoteResult> result = TakeRemoteResult(lParam);
  if (!result || result->token != remoteToken_) return;  // a later request took its place
  const std::vector<uint8_t>& b = result->bytes;
  if (!result->ok || b.size() < 15) {
    controls::Raise(RemoteLoadFailure);
    return;
  }
  auto lower = [](uint8_t c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
  std::string sig;
  for (int i = 0; i < 6; ++i) sig += lower(b[i]);
  if (sig != "gif89a" && sig != "gif87a") {
    controls::Raise(RemoteLoadFailure);
    return;
  }
  const float width = static_cast<float>((b[6] | (b[7] << 8)) * controls::kTwipsPerPixel);
  const float height = static_cast<float>((b[8] | (b[9] << 8)) * controls::kTwipsPerPixel);
  bool cancel = false;
  controls::Raise(RemoteLoadComplete, width, height, cancel);
  if (cancel) return;
  gifBuffer_ = std::move(result->bytes);
  const bool ok = LoadGIFBytes() != 0;
  FinishLoad(ok);
}

void ucAniGIF::SetAnimatedGIF(const std::vector<uint8_t>& fileBytes) {
  if (userMode_) return;
  gifBuffer_ = fileBytes;
  if (fileBytes.empty()) {
    ResetControl();
  } else if (LoadGIFBytes() != 0) {
    const int32_t keep = stretch_;
    stretch_ = kStretchActual;
    ResizeToLayout();
    stretch_ = keep;
    layout_.scaleX = layout_.scaleY = 1.0f;
  }
  Refresh();
  MarkChanged(L"AnimatedGIF");
}

std::vector<uint8_t> ucAniGIF::AnimatedGIF() const {
  const int32_t i = animation_.current_frame();
  if (i < 1 || i > frames_.gif.FrameCount() || !frames_.strip().valid()) return {};
  const GifFrameInfo& f = frames_.gif.Frames[static_cast<std::size_t>(i - 1)];
  ::GdiFlush();
  const IndexSurface strip = frames_.strip().Indexes();
  if (f.DataStart < 0 || f.DataStart + f.Width > strip.width) return {};
  return EncodeFrameGif(strip.Row(0) + f.DataStart, strip.stride, f.Width, std::min(f.Height, strip.height),
                        frames_.gif.Colors.Tables[static_cast<std::size_t>(f.ColorTableIndex)],
                        f.HasTransparency ? f.TransIndex : -1);
}

controls::PictureRef ucAniGIF::AnimatedGIFPicture() const {
  const std::vector<uint8_t> file = AnimatedGIF();
  GifStream g;
  if (file.empty() || ParseGifStream(file.data(), file.size(), g) != 1) return nullptr;
  const GifFrameInfo& f = g.Frames[0];
  std::vector<uint8_t> indexes(static_cast<std::size_t>(f.Width) * f.Height, 0);
  LzwDecoder decoder;
  decoder.DecodeFrame(file.data(), file.size(), g.Spans[0], f, IndexSurface{indexes.data(), f.Width, f.Width, f.Height}, 0);
  void* bits = nullptr;
  foundation::UniqueBitmap bmp = controls::CreateTopDownDib(f.Width, f.Height, &bits);
  if (!bmp || !bits) return nullptr;
  auto* px = static_cast<uint32_t*>(bits);
  const ColorTable& t = g.Colors.Tables[0];
  for (std::size_t k = 0; k < indexes.size(); ++k) px[k] = t[indexes[k]];
  return controls::Picture::FromBitmap(bmp.release());
}

// ---------------------------------------------------------------- drawing

void ucAniGIF::Refresh() {
  controls::BackSurface& s = surface();
  if (s.empty()) return;
  s.Fill(foundation::OleColorToRgb(ambient().backColor));
  if (animation_.current_frame() != 0) {
    PaintParams p;
    p.offsetX = offsetX_;
    p.offsetY = offsetY_;
    p.scaleX = layout_.scaleX;
    p.scaleY = layout_.scaleY;
    p.solidFill = solidUsed_;
    p.solidColour = foundation::OleColorToRgb(solidColor_);
    p.targetWidth = ScaleWidth();
    p.targetHeight = ScaleHeight();
    frames_.PaintFrame(animation_.current_frame(), s.dc(), p);
  }
  if (!userMode_) {
    // The design-time outline.
    const RECT r{0, 0, s.width(), s.height()};
    ::FrameRect(s.dc(), &r, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  }
  Present();
}

void ucAniGIF::ResizeToLayout() {
  if (animation_.current_frame() == 0 || inResize_) return;
  inResize_ = true;
  layout_.width = ScaleWidth();
  layout_.height = ScaleHeight();
  ComputeLayout(stretch_, frames_.gif.CanvasWidth, frames_.gif.CanvasHeight, layout_);
  if (layout_.width != ScaleWidth() || layout_.height != ScaleHeight()) Resize(layout_.width, layout_.height);
  inResize_ = false;
}

void ucAniGIF::OnResize() {
  ResizeToLayout();
  Refresh();
}

// ---------------------------------------------------------------- properties

void ucAniGIF::SetEnabled(bool enabled) {
  SetWindowEnabledState(enabled);
  MarkChanged(L"Enabled");
}

void ucAniGIF::SetStretch(int32_t mode) {
  if (mode < kStretchClip || mode > kStretchActual || mode == stretch_) return;
  const int32_t state = animation_.state();
  SetAction(kPaused);
  stretch_ = mode;
  ResizeToLayout();
  SetAction(state);
  if (animation_.state() != kPlaying) Refresh();
  MarkChanged(L"Stretch");
}

void ucAniGIF::SetMinFrameDelay(int32_t ms) {
  const int32_t before = animation_.min_frame_delay();
  animation_.set_min_frame_delay(ms);
  if (animation_.min_frame_delay() != before) MarkChanged(L"Delay");
}

void ucAniGIF::SetLoops(int32_t loops) {
  if (loops == animation_.loops()) return;
  animation_.set_loops(loops);
  MarkChanged(L"Loops");
}

int32_t ucAniGIF::LoopsRemaining() const {
  if (animation_.current_frame() == 0) return 0;
  if (animation_.loops() == 0) return 0x7FFFFFFF;
  return animation_.loops_remaining();
}

void ucAniGIF::SetMirrored(int32_t value) {
  if (value < 0 || value > 3) return;
  if (animation_.current_frame() == 0) {
    mirrored_ = value;
    MarkChanged(L"Mirrored");
    return;
  }
  if (value == Mirrored()) return;
  const int32_t state = animation_.state();
  SetAction(kPaused);
  // While the deferred build is pending only frame 1 exists; the build flips
  // frames 2..n from 0 to the value then current.
  const bool onlyFirst = !userMode_ || (mirrored_ & kMirrorFirstDone) != 0;
  frames_.Mirror(Mirrored(), value, onlyFirst, true);
  mirrored_ = value | (mirrored_ & kMirrorFirstDone);
  if (state == kPlaying) {
    animation_.SetAnimationTimer(kTimerPlay);
  } else {
    Refresh();
  }
  MarkChanged(L"Mirrored");
}

void ucAniGIF::SetAction(int32_t action) {
  if (!userMode_ || animation_.current_frame() == 0 || action < 0 || action > 4) return;
  // Pausing (hiding) or stepping before the deferred build ran would leave
  // frames 2..n unbuilt for good: build them now.
  CompleteDeferredBuild();
  bool fromTick = false;
  switch (action) {
    case 0:
    case 4:
      animation_.SetAnimationTimer(kTimerStop);
      animation_.ResetLoopsRemaining();
      animation_.set_current_frame(1);
      Refresh();
      controls::Raise(FrameChanged, 1, fromTick);
      if (action == 4) animation_.SetAnimationTimer(kTimerPlay);
      break;
    case 1:
      animation_.SetAnimationTimer(kTimerPlay);
      break;
    case 2:
      if (animation_.state() != kStopped) {
        animation_.SetAnimationTimer(kTimerStop);
        animation_.set_state(kPaused);
      }
      break;
    case 3: {
      animation_.SetAnimationTimer(kTimerStop);
      int32_t next = animation_.current_frame() + 1;
      if (next > frames_.gif.FrameCount()) next = 1;
      animation_.set_current_frame(next);
      animation_.set_state(kPaused);
      Refresh();
      controls::Raise(FrameChanged, next, fromTick);
      break;
    }
  }
}

void ucAniGIF::SetDelayAnimation(int32_t value) {
  if (value < 0 || value > 3 || value == delayAnimation_) return;
  delayAnimation_ = value;
  MarkChanged(L"DelayAnimation");
}

void ucAniGIF::SetMouseIcon(controls::PictureRef icon) {
  mouseIcon_ = std::move(icon);
  mouseCursor_.reset();
  if (mouseIcon_) {
    // A cursor from the picture: a colour bitmap over an all-opaque mask.
    std::vector<uint8_t> maskBits(static_cast<std::size_t>((mouseIcon_->width() + 15) / 16 * 2) * mouseIcon_->height(), 0);
    foundation::UniqueBitmap mask(::CreateBitmap(mouseIcon_->width(), mouseIcon_->height(), 1, 1, maskBits.data()));
    ICONINFO info{FALSE, 0, 0, mask.get(), mouseIcon_->bitmap()};
    mouseCursor_.reset(::CreateIconIndirect(&info));
  } else {
    mousePointer_ = 0;
  }
  MarkChanged(L"MouseIcon");
}

void ucAniGIF::SetMousePointer(int32_t pointer) { mousePointer_ = pointer; }

void ucAniGIF::SetOffsetX(int32_t v) {
  offsetX_ = v;
  if (!(userMode_ && animation_.state() == kPlaying)) Refresh();
}

void ucAniGIF::SetOffsetY(int32_t v) {
  offsetY_ = v;
  if (!(userMode_ && animation_.state() == kPlaying)) Refresh();
}

void ucAniGIF::SetSolidBkgColor(uint32_t oleColor) {
  solidColor_ = oleColor;
  if (!userMode_ && solidUsed_) Refresh();
}

void ucAniGIF::SetSolidBkgColorUsed(bool used) {
  solidUsed_ = used;
  if (!userMode_) Refresh();
}

// ---------------------------------------------------------------- palettes

const ColorTable* ucAniGIF::PaletteTable(int32_t frame) const {
  if (animation_.current_frame() == 0 || frame < 0 || frame > frames_.gif.FrameCount()) return nullptr;
  std::size_t table = 0;
  if (frame > 0) {
    table = static_cast<std::size_t>(frames_.gif.Frames[static_cast<std::size_t>(frame - 1)].ColorTableIndex);
    if (table == 0) return nullptr;  // the frame uses the global table
  }
  if (table >= frames_.gif.Colors.Tables.size() || frames_.gif.Colors.Tables[table][256] == 0) return nullptr;
  return &frames_.gif.Colors.Tables[table];
}

bool ucAniGIF::GetPalette(int32_t frame, std::vector<uint32_t>& palette) {
  const ColorTable* t = PaletteTable(frame);
  if (!t) return false;
  const bool playing = animation_.state() == kPlaying;
  if (playing) SetAction(kPaused);
  palette.assign(t->begin(), t->begin() + (*t)[256]);
  if (playing) SetAction(kPlaying);
  return true;
}

bool ucAniGIF::SetPalette(int32_t frame, const std::vector<uint32_t>& palette) {
  ColorTable* t = const_cast<ColorTable*>(PaletteTable(frame));
  if (!t || palette.size() < (*t)[256]) return false;
  const bool playing = animation_.state() == kPlaying;
  if (playing) SetAction(kPaused);
  for (uint32_t e = 0; e < (*t)[256]; ++e) (*t)[e] = palette[e] & 0xFFFFFF;
  frames_.activeTable = -1;  // the strip may hold the old entries of this very table
  if (playing) {
    SetAction(kPlaying);
  } else {
    Refresh();
  }
  return true;
}

bool ucAniGIF::CacheColorTables() {
  if (cachedTables_) return false;
  cachedTables_ = frames_.gif.Colors;
  return true;
}

bool ucAniGIF::RestoreColorTables(bool clear) {
  if (!cachedTables_) return false;
  frames_.gif.Colors = *cachedTables_;
  frames_.activeTable = -1;
  if (clear) cachedTables_.reset();
  return true;
}

// ---------------------------------------------------------------- bag

void ucAniGIF::InitProperties() {
  animation_.set_min_frame_delay(kDefaultMinFrameDelay);
  stretch_ = kStretchFit;
  delayAnimation_ = 1;
  mirrored_ = 0;
}

void ucAniGIF::ReadProperties(const controls::PropertyBag& bag) {
  gifBuffer_ = BagTextToBytes(bag.ReadString(kKeyGif, BytesToBagText(gifBuffer_)));
  animation_.set_min_frame_delay(bag.ReadLong(kKeyDelay, animation_.min_frame_delay()));
  const int32_t stretch = bag.ReadLong(kKeyStretch, kStretchFit);
  if (stretch >= kStretchClip && stretch <= kStretchActual) stretch_ = stretch;
  int32_t delayLoad = bag.ReadLong(kKeyDelayLoad, 1);
  if (delayLoad == -1) delayLoad = 1;
  if (delayLoad >= 0 && delayLoad <= 3) delayAnimation_ = delayLoad;
  const int32_t mirror = bag.ReadLong(kKeyMirror, 0);
  if (mirror >= 0 && mirror <= 3) mirrored_ = mirror;
  SetWindowEnabledState(bag.ReadBool(kKeyEnabled, true));
  if (controls::PictureRef icon = bag.ReadPicture(kKeyMouseIcon)) {
    SetMouseIcon(icon);
  }
  mousePointer_ = bag.ReadLong(kKeyMousePointer, 0);
  solidColor_ = bag.ReadColor(kKeyBkgFill, 0);
  solidUsed_ = bag.ReadBool(kKeyBkgUsed, false);
  animation_.set_stepped_delay(bag.ReadLong(kKeyStepDelay, 0));
  offsetX_ = bag.ReadLong(kKeyOffsetX, 0);
  offsetY_ = bag.ReadLong(kKeyOffsetY, 0);
  if (LoadGIFBytes() != 0) {
    animation_.set_loops(bag.ReadLong(kKeyLoops, animation_.loops()));
    animation_.ResetLoopsRemaining();
  }
  Refresh();
}

void ucAniGIF::WriteProperties(controls::PropertyBag& bag) const {
  using V = controls::PropertyBag::Value;
  bag.Write(kKeyGif, V{BytesToBagText(gifBuffer_)});
  bag.Write(kKeyDelay, V{animation_.min_frame_delay()}, V{kDefaultMinFrameDelay});
  bag.Write(kKeyStretch, V{stretch_}, V{int32_t{kStretchFit}});
  bag.Write(kKeyLoops, V{animation_.loops()}, V{int32_t{0}});
  bag.Write(kKeyDelayLoad, V{delayAnimation_}, V{int32_t{1}});
  bag.Write(kKeyMirror, V{Mirrored()}, V{int32_t{0}});
  if (mouseIcon_) bag.Write(kKeyMouseIcon, V{mouseIcon_});
  bag.Write(kKeyMousePointer, V{mousePointer_}, V{int32_t{0}});
  bag.Write(kKeyEnabled, V{Enabled()}, V{true});
  bag.Write(kKeyOffsetX, V{offsetX_}, V{int32_t{0}});
  bag.Write(kKeyOffsetY, V{offsetY_}, V{int32_t{0}});
  bag.Write(kKeyBkgFill, V{controls::ColorToLong(solidColor_)}, V{int32_t{0}});
  bag.Write(kKeyBkgUsed, V{solidUsed_}, V{false});
  bag.Write(kKeyStepDelay, V{animation_.stepped_delay()}, V{int32_t{0}});
}

// ---------------------------------------------------------------- window

void ucAniGIF::RaiseMouse(const controls::Event<int16_t&, int16_t&, float&, float&>& event, int16_t button,
                          int16_t shift, int x, int y) {
  // Pixels to the container's unit, truncated.
  float fx = std::trunc(static_cast<float>(x * controls::kTwipsPerPixel));
  float fy = std::trunc(static_cast<float>(y * controls::kTwipsPerPixel));
  controls::Raise(event, button, shift, fx, fy);
}

void ucAniGIF::OnMouseDown(int16_t button, int16_t shift, int x, int y) { RaiseMouse(MouseDown, button, shift, x, y); }

void ucAniGIF::OnMouseUp(int16_t button, int16_t shift, int x, int y) {
  RaiseMouse(MouseUp, button, shift, x, y);
  if (button == controls::kLeftButton && x >= 0 && y >= 0 && x < ScaleWidth() && y < ScaleHeight()) {
    controls::Raise(Click);
  }
}

void ucAniGIF::OnMouseMove(int16_t buttons, int16_t shift, int x, int y) { RaiseMouse(MouseMove, buttons, shift, x, y); }

LRESULT ucAniGIF::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kRemoteDoneMessage:
      OnRemoteResult(lParam);
      return 0;
    case WM_SHOWWINDOW:
      if (!wParam) {
        SetAction(kPaused);
      } else if (animation_.state() == kPaused) {
        animation_.SetAnimationTimer(kTimerPlay);
      }
      break;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && mousePointer_ != 0) {
        if (mousePointer_ == kCustomPointer) {
          if (mouseCursor_) ::SetCursor(mouseCursor_.get());
        } else {
          ::SetCursor(::LoadCursorW(nullptr, CursorOf(mousePointer_)));
        }
        return TRUE;
      }
      break;
    case WM_DESTROY:
      // The timer lives on the parent: stop it while this window still exists.
      animation_.SetAnimationTimer(kTimerStop);
      DisarmTimer();
      break;
  }
  return ControlWindow::HandleMessage(msg, wParam, lParam);
}

void ucAniGIF::OnWindowDestroyed() {
  ++remoteToken_;  // a read still running finds no one to deliver to
}

}  // namespace anigif
