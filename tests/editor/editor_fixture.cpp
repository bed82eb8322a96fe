#include "editor_fixture.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "picture_files.h"

namespace editor_tests {

std::wstring NumberedName(int i, const wchar_t* extension) {
  wchar_t buf[32];
  std::swprintf(buf, 32, L"f%02d.%ls", i, extension);
  return buf;
}

int ScreenPixelsOtherThan(const RECT& area, COLORREF colour) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return 0;
  pictures_test::Surface screen(width, height, colour);
  if (!screen.CopyFromScreen(area.left, area.top)) return width * height;
  int others = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) others += screen.At(x, y) != colour;
  return others;
}

void EditorTest::AddFaces(const std::wstring& category, int count) {
  for (int i = 0; i < count; ++i) editor_.AddPicture(category, NumberedName(i));
}

EditorPrompt EditorTest::ClickForPrompt(int id) { return ClickForPrompt(editor_.Control(id)); }

EditorPrompt EditorTest::ClickForPrompt(HWND control) {
  const std::vector<EditorPrompt> prompts = ClickForPrompts(control, 1);
  return prompts.empty() ? EditorPrompt{} : prompts.front();
}

std::vector<EditorPrompt> EditorTest::ClickForPrompts(HWND control, size_t count) {
  const size_t before = editor_.Prompts().size();
  EditorProcess::Click(control);
  editor_.WaitForPromptAfter(before + count - 1);
  const std::vector<EditorPrompt> all = editor_.Prompts();
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(before, all.size())), all.end()};
}

bool EditorTest::WaitForTag(int cell, const std::wstring& tag) {
  return EditorProcess::WaitFor([&] { return editor_.CellTag(cell) == tag; });
}

bool EditorTest::WaitForLabel(const std::wstring& label) {
  return EditorProcess::WaitFor([&] { return editor_.PageLabel() == label; });
}

HWND EditorTest::WaitForDialog(const std::wstring& caption) {
  HWND dialog = nullptr;
  EditorProcess::WaitFor([&] { return (dialog = editor_.Dialog(caption)) != nullptr; });
  return dialog;
}

void ExpectBox(const EditorPrompt& prompt, const std::wstring& text, unsigned style) {
  EXPECT_EQ(prompt.kind, L"box");
  EXPECT_EQ(prompt.text, text);
  EXPECT_EQ(prompt.style, style);
  EXPECT_EQ(prompt.title, foundation::kMessageTitle);
}

}  // namespace editor_tests
