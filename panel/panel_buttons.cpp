#include "panel/panel_buttons.h"

#include "panel/panel_art.h"

namespace panel {
namespace {
constexpr int kPageButtonWidth = 20, kPageButtonHeight = 18, kPageButtonTop = 3;
constexpr int kPreviousFromRight = 46, kNextFromRight = 24;
}  // namespace

controls::PropertyBag CommandBag(const std::wstring& caption, controls::PictureRef picture, bool check, bool status) {
  controls::PropertyBag bag;
  bag.Write(L"Enabled", true);
  bag.Write(L"Caption", caption);
  if (picture) bag.Write(L"Picture", picture);
  bag.Write(L"Status", status);
  bag.Write(L"Check", check);
  return bag;
}

std::unique_ptr<controls::Command> MakeCommand(HWND parent, int x, int y, int w, int h,
                                              const controls::PropertyBag& bag,
                                              const controls::AmbientProperties& ambient, int id) {
  auto c = std::make_unique<controls::Command>();
  c->Create(parent, id, x, y, w, h, &bag, ambient);
  return c;
}

void PageButtons::Create(HWND strip, int stripWidth, const controls::AmbientProperties& ambient, int previousId,
                         int nextId) {
  previous = MakeCommand(
      strip, stripWidth - kPreviousFromRight, kPageButtonTop, kPageButtonWidth, kPageButtonHeight,
      CommandBag(L"", ButtonStrip(StripKind::kPrevious, kPageButtonWidth, kPageButtonHeight, false), false, false),
      ambient, previousId);
  next = MakeCommand(
      strip, stripWidth - kNextFromRight, kPageButtonTop, kPageButtonWidth, kPageButtonHeight,
      CommandBag(L"", ButtonStrip(StripKind::kNext, kPageButtonWidth, kPageButtonHeight, false), false, false),
      ambient, nextId);
}

void PageButtons::Layout(int stripWidth) {
  if (previous)
    previous->Move(stripWidth - kPreviousFromRight, kPageButtonTop, kPageButtonWidth, kPageButtonHeight);
  if (next) next->Move(stripWidth - kNextFromRight, kPageButtonTop, kPageButtonWidth, kPageButtonHeight);
}

}  // namespace panel
