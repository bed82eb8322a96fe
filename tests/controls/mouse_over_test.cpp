// The cursor-over test of the hover polls: the window under the cursor must be
// exactly the one asked about.
#include <gtest/gtest.h>

#include "controls/mouse_over.h"

using controls::IsMouseOver;

TEST(MouseOver, ChildWindowUnderTheCursorIsNotItsParent) {
  HWND parent = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"p", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr,
                                  nullptr, nullptr, nullptr);
  HWND child = ::CreateWindowExW(0, L"STATIC", L"c", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent, nullptr, nullptr,
                                 nullptr);
  ASSERT_TRUE(parent && child);
  // STATIC windows answer HTTRANSPARENT; SS_NOTIFY-less statics would be
  // skipped by WindowFromPoint, so give both the notify style.
  ::SetWindowLongPtrW(parent, GWL_STYLE, ::GetWindowLongPtrW(parent, GWL_STYLE) | SS_NOTIFY);
  ::SetWindowLongPtrW(child, GWL_STYLE, ::GetWindowLongPtrW(child, GWL_STYLE) | SS_NOTIFY);
  ::SetCursorPos(120, 120);
  EXPECT_TRUE(IsMouseOver(child));
  EXPECT_FALSE(IsMouseOver(parent));
  ::SetCursorPos(250, 250);
  EXPECT_TRUE(IsMouseOver(parent));
  EXPECT_FALSE(IsMouseOver(nullptr));
  ::DestroyWindow(parent);
}
