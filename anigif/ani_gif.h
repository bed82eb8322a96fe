// ucAniGIF: a windowed control that plays an animated GIF with the file's
// own delays, disposals and loop count. It parses and decodes the file
// itself (anigif/core), keeps every frame as palette indexes in one 8-bit
// strip, composes into a canvas where frames depend on each other, and
// animates with a timer on its parent window identified by the instance.
//
// The panel's hover preview: LoadAnimatedGIF_File(path or L""), Refresh(),
// and the MouseMove event.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "anigif/core/animation.h"
#include "anigif/core/gif_stream.h"
#include "anigif/core/layout.h"
#include "anigif/frame_set.h"
#include "controls/control_base.h"
#include "controls/core/units.h"
#include "controls/picture.h"

namespace anigif {

// Property-bag keys.
inline constexpr wchar_t kKeyGif[] = L"GIF";
inline constexpr wchar_t kKeyDelay[] = L"Delay";
inline constexpr wchar_t kKeyStretch[] = L"Stretch";
inline constexpr wchar_t kKeyLoops[] = L"Loops";
inline constexpr wchar_t kKeyDelayLoad[] = L"DelayLoad";
inline constexpr wchar_t kKeyMirror[] = L"Mirror";
inline constexpr wchar_t kKeyMouseIcon[] = L"MouseIcon";
inline constexpr wchar_t kKeyMousePointer[] = L"MousePointer";
inline constexpr wchar_t kKeyEnabled[] = L"Enabled";
inline constexpr wchar_t kKeyOffsetX[] = L"OffsetX";
inline constexpr wchar_t kKeyOffsetY[] = L"OffsetY";
inline constexpr wchar_t kKeyBkgFill[] = L"BkgFill";
inline constexpr wchar_t kKeyBkgUsed[] = L"BkgUsed";
inline constexpr wchar_t kKeyStepDelay[] = L"StepDelay";

inline constexpr int32_t kDefaultMinFrameDelay = 50;

// The "GIF" bag value carries the file's bytes one per character (0..255).
std::wstring BytesToBagText(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> BagTextToBytes(const std::wstring& text);

class ucAniGIF : public controls::ControlWindow {
 public:
  ucAniGIF();
  ~ucAniGIF() override;

  // The host's ambient UserMode: false at design time (nothing animates, the
  // file bytes are kept for the bag). Set before Create.
  void SetUserMode(bool runMode) { userMode_ = runMode; }
  bool UserMode() const { return userMode_; }

  // --- properties ---
  // The current frame as a one-image GIF89a file (empty when nothing is
  // loaded), and as a picture.
  std::vector<uint8_t> AnimatedGIF() const;
  controls::PictureRef AnimatedGIFPicture() const;
  // Design time only: a GIF file's bytes (empty erases).
  void SetAnimatedGIF(const std::vector<uint8_t>& fileBytes);
  int32_t CurrentFrame() const { return animation_.current_frame(); }
  bool Enabled() const { return IsWindowEnabledState(); }
  void SetEnabled(bool enabled);
  int32_t FrameCount() const { return animation_.current_frame() ? frames_.gif.FrameCount() : 0; }
  void SetFrameCount(int32_t) {}
  // Canvas size in the container's unit (twips).
  int32_t ActualWidth() const { return frames_.gif.CanvasWidth * controls::kTwipsPerPixel; }
  int32_t ActualHeight() const { return frames_.gif.CanvasHeight * controls::kTwipsPerPixel; }
  int32_t Stretch() const { return stretch_; }
  void SetStretch(int32_t mode);
  int32_t MinFrameDelay() const { return animation_.min_frame_delay(); }
  void SetMinFrameDelay(int32_t ms);
  int32_t Loops() const { return animation_.loops(); }
  void SetLoops(int32_t loops);
  int32_t LoopsRemaining() const;
  int32_t Mirrored() const { return mirrored_ & (kMirrorHorizontal | kMirrorVertical); }
  void SetMirrored(int32_t value);
  int32_t Action() const { return animation_.state(); }
  void SetAction(int32_t action);
  int32_t DelayAnimation() const { return delayAnimation_; }
  void SetDelayAnimation(int32_t value);
  controls::PictureRef MouseIcon() const { return mouseIcon_; }
  void SetMouseIcon(controls::PictureRef icon);
  int32_t MousePointer() const { return mousePointer_; }
  void SetMousePointer(int32_t pointer);
  int32_t OffsetX() const { return offsetX_; }
  void SetOffsetX(int32_t v);
  int32_t OffsetY() const { return offsetY_; }
  void SetOffsetY(int32_t v);
  uint32_t SolidBkgColor() const { return solidColor_; }
  void SetSolidBkgColor(uint32_t oleColor);
  bool SolidBkgColorUsed() const { return solidUsed_; }
  void SetSolidBkgColorUsed(bool used);
  int32_t SteppedDelay() const { return animation_.stepped_delay(); }
  void SetSteppedDelay(int32_t ms) { animation_.set_stepped_delay(ms); }

  // --- methods ---
  bool LoadAnimatedGIF_File(const std::wstring& path);
  void LoadAnimatedGIF_Remote(const std::wstring& address);
  // elementCount elements of elementSize bytes each.
  bool LoadAnimatedGIF_Array(const void* data, std::size_t elementCount, std::size_t elementSize = 1);
  bool GetPalette(int32_t frame, std::vector<uint32_t>& palette);
  bool SetPalette(int32_t frame, const std::vector<uint32_t>& palette);
  void Refresh();
  bool CacheColorTables();
  bool RestoreColorTables(bool clear);
  std::wstring GIFFile(const std::wstring& name) const { return name; }

  // --- events ---
  controls::Event<> Click;
  controls::Event<int16_t&, int16_t&, float&, float&> MouseDown;
  controls::Event<int16_t&, int16_t&, float&, float&> MouseUp;
  controls::Event<int16_t&, int16_t&, float&, float&> MouseMove;
  controls::Event<> LoopsEnded;
  controls::Event<int32_t, bool&> FrameChanged;
  controls::Event<float, float, bool&> RemoteLoadComplete;
  controls::Event<> RemoteLoadFailure;

  void WriteProperties(controls::PropertyBag& bag) const override;

  // For tests: the frames as built, the scale factors and the timer window.
  const FrameSet& frames() const { return frames_; }
  float ScaleX() const { return layout_.scaleX; }
  float ScaleY() const { return layout_.scaleY; }
  HWND TimerWindow() const { return timerWindow_; }
  // Runs one timer tick as the platform would (tests drive time themselves).
  void FireTimerForTest() { OnTimerTick(); }

 protected:
  const wchar_t* ClassName() const override { return L"ucAniGIF"; }
  void InitProperties() override;
  void ReadProperties(const controls::PropertyBag& bag) override;
  void OnResize() override;
  void OnMouseDown(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseUp(int16_t button, int16_t shift, int x, int y) override;
  void OnMouseMove(int16_t buttons, int16_t shift, int x, int y) override;
  bool TakesFocusOnPress() const override { return false; }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnWindowDestroyed() override;

 private:
  // The animation's timer, repaint and events.
  class Host : public AnimationHost {
   public:
    explicit Host(ucAniGIF& control) : c_(control) {}
    bool RunMode() const override { return c_.userMode_; }
    bool SetTimer(unsigned intervalMs, TimerMode mode) override { return c_.ArmTimer(intervalMs, mode); }
    void KillTimer() override { c_.DisarmTimer(); }
    void Refresh() override { c_.Refresh(); }
    void FrameChanged(int32_t frame, bool fromTick) override {
      controls::Raise(c_.FrameChanged, frame, fromTick);
    }
    void LoopsEnded() override { controls::Raise(c_.LoopsEnded); }

   private:
    ucAniGIF& c_;
  };

  bool ArmTimer(unsigned intervalMs, TimerMode mode);
  void DisarmTimer();
  static void CALLBACK TimerProc(HWND hwnd, UINT msg, UINT_PTR id, DWORD time);
  void OnTimerTick();
  void OnDeferredBuildTimer();

  int32_t LoadGIFBytes();
  void ResetControl() noexcept;
  bool BuildFrames(bool& firstPass);
  // Runs a pending deferred build at once, leaving the animation paused
  // where it would have started playing.
  void CompleteDeferredBuild();
  void ResizeToLayout();
  void FinishLoad(bool ok);
  void OnRemoteResult(LPARAM lParam);
  const ColorTable* PaletteTable(int32_t frame) const;
  void RaiseMouse(const controls::Event<int16_t&, int16_t&, float&, float&>& event, int16_t button, int16_t shift,
                  int x, int y);

  std::vector<uint8_t> gifBuffer_;
  FrameSet frames_;
  Host host_{*this};
  Animation animation_{host_};
  Layout layout_;
  std::optional<ColorTableSet> cachedTables_;
  bool userMode_ = true;
  int32_t stretch_ = kStretchFit;
  int32_t mirrored_ = 0;
  int32_t delayAnimation_ = 1;
  int32_t offsetX_ = 0;
  int32_t offsetY_ = 0;
  uint32_t solidColor_ = 0;
  bool solidUsed_ = false;
  int32_t mousePointer_ = 0;
  controls::PictureRef mouseIcon_;
  foundation::UniqueIcon mouseCursor_;
  HWND timerWindow_ = nullptr;
  TimerMode timerMode_ = kTimerStop;
  bool inResize_ = false;
  bool deferredPending_ = false;  // frames 2..n wait for the deferred-build timer
  bool holdPlay_ = false;         // the build finishes without starting play
  uint32_t remoteToken_ = 0;
};

}  // namespace anigif
