// TransForm: an invisible control that gives the window it sits on (its
// form, the top-level window) the outline of the form's background picture:
// the picture's pixels of MaskColor fall outside the window region. With
// AutoDrag it lets the user drag the form by any point (0 never, 1 always,
// 2 only while Transparent), and PopupSysMenu shows the form's system menu
// at a point and carries out the chosen command.
//
// The form's picture is the host's ambient picture (AmbientProperties); the
// form is shaped when the control is created, on Refresh, on a change of
// Transparent and each time the form is activated. At most one TransForm
// may sit on a form: a second one makes every one of them say so and go inert.
#pragma once
#include <cstdint>
#include <optional>

#include "controls/control_base.h"
#include "foundation/subclass_host.h"

namespace controls {

inline constexpr wchar_t kMultipleTransFormTitle[] = L"Multiple TransForm Controls";
extern const wchar_t kMultipleTransFormText[];

class TransForm : public ControlWindow, private foundation::ISubclassingSink {
 public:
  ~TransForm() override;

  int32_t GetAutoDrag() const { return autoDrag_; }
  void SetAutoDrag(int32_t mode);
  bool GetTransparent() const { return transparent_; }
  void SetTransparent(bool transparent);  // shapes the form at once
  uint32_t GetMaskColor() const { return maskColor_; }
  void SetMaskColor(uint32_t color);  // takes effect at the next shaping
  // Shapes the form again.
  void Refresh();
  // Shows the form's system menu (flags: TrackPopupMenu's) at the client
  // point (x, y) of the form (a missing coordinate counts as 0), or at the
  // cursor when neither is given, and posts the chosen command.
  void PopupSysMenu(UINT flags, std::optional<int> x = std::nullopt, std::optional<int> y = std::nullopt);

  // Inert after a second TransForm was found on the form.
  bool disabled() const noexcept { return disabled_; }
  HWND form() const noexcept { return form_; }

  void WriteProperties(PropertyBag& bag) const override;

 protected:
  const wchar_t* ClassName() const override { return L"ControlsTransForm"; }
  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  bool TakesFocusOnPress() const override { return false; }

 private:
  // ISubclassingSink: the form's activation and left presses.
  void Before(bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) override {}
  void After(LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;

  void BindToForm();
  void DisableForSecondInstance();
  void ApplyTransparency();
  void DragForm(int x, int y);

  int32_t autoDrag_ = 2;
  bool transparent_ = true;
  uint32_t maskColor_ = 0xC0C0C0u;
  bool disabled_ = false;
  HWND form_ = nullptr;
  foundation::cSubclsThunk formLink_;
};

}  // namespace controls
