#include "support/editor_process.h"

#include <algorithm>

#include "editor/core/control_ids.h"
#include "editor/core/editor_geometry.h"
#include "editor/core/editor_texts.h"
#include "editor/scripted_prompts.h"
#include "foundation/ansi_text.h"

namespace testing_support {
namespace {

struct DescendantSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindDescendant(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<DescendantSearch*>(lParam);
  if (::GetDlgCtrlID(hwnd) != s->id) return TRUE;
  s->found = hwnd;
  return FALSE;
}

std::wstring Unescape(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const wchar_t next = text[++i];
    out += next == L'r' ? L'\r' : next == L'n' ? L'\n' : next;
  }
  return out;
}

EditorPrompt ParsePrompt(const std::wstring& line) {
  EditorPrompt p;
  std::vector<std::wstring> fields;
  size_t start = 0;
  // "box" lines have four fields, the last of which may hold "|".
  for (int i = 0; i < 3; ++i) {
    const size_t bar = line.find(L'|', start);
    if (bar == std::wstring::npos) break;
    fields.push_back(line.substr(start, bar - start));
    start = bar + 1;
  }
  fields.push_back(line.substr(start));
  p.kind = fields[0];
  if (p.kind == L"box" && fields.size() == 4) {
    p.style = static_cast<unsigned>(std::stoul(fields[1]));
    p.title = fields[2];
    p.text = Unescape(fields[3]);
  } else if (fields.size() > 1) {
    // "open|<title>" and the like: a title containing "|" is joined again.
    p.title = line.substr(line.find(L'|') + 1);
  }
  return p;
}

}  // namespace

std::wstring WindowText(HWND hwnd) {
  // WM_GETTEXT, not GetWindowText: for a window of another process that only
  // reads the caption the system keeps, which edit and combo boxes do not use.
  wchar_t buf[1024] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL, 5000, &copied);
  return buf;
}

EditorProcess::EditorProcess() : EditorProcess(L"") {}

EditorProcess::EditorProcess(const std::wstring& sharedFolder)
    : ProgramProcess(L"Brackmere_test.exe", {L"Thumbs.mdb", L"unrar.dll"}, sharedFolder) {}

bool EditorProcess::Start() {
  const std::vector<std::wstring> environment = {
      std::wstring(editor::kPromptScriptVariable) + L"=" + script_.path(),
      L"TMP=" + tempFolder(),
      L"TEMP=" + tempFolder(),
  };
  if (!Launch(environment)) return false;
  // A program that ended on the way is not waited for.
  const bool settled = WaitFor(
      [&] {
        window_ = FindTopLevel(editor::kMainWindowClass);
        return !Running() || (window_ != nullptr && ::IsWindowVisible(window_));
      },
      30000);  // a loaded machine may start Wine programs slowly
  return settled && Running() && window_ != nullptr;
}

void EditorProcess::Answer(const std::wstring& line) {
  const std::wstring path = script_ / L"answers.txt";
  std::string all = ReadFileBytes(path);
  all += foundation::ToUtf8(line) + "\n";
  WriteFileBytes(path, all);
}

std::vector<EditorPrompt> EditorProcess::Prompts() const {
  std::vector<EditorPrompt> prompts;
  for (const std::string& line : ReadLogLines(script_ / L"prompts.log"))
    prompts.push_back(ParsePrompt(foundation::FromUtf8(line)));
  return prompts;
}

EditorPrompt EditorProcess::WaitForPromptAfter(size_t count, DWORD timeoutMs) const {
  std::vector<EditorPrompt> prompts;
  if (!WaitFor([&] { return (prompts = Prompts()).size() > count; }, timeoutMs)) return {};
  return prompts[count];
}

HWND EditorProcess::Control(int id) const {
  DescendantSearch s{id, nullptr};
  if (window_) ::EnumChildWindows(window_, FindDescendant, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

void EditorProcess::Click(HWND control) {
  RECT r{};
  ::GetClientRect(control, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(control, WM_LBUTTONUP, 0, at);
}

void EditorProcess::ClickCell(int index) const { Click(Control(editor::kIdFirstCell + index)); }

std::vector<std::wstring> EditorProcess::Categories() const {
  std::vector<std::wstring> names;
  for (int i = 0;; ++i) {
    HWND button = Control(editor::kIdFirstCategory + i);
    if (!button) break;
    if (::IsWindowVisible(button)) names.push_back(WindowText(button));
  }
  return names;
}

void EditorProcess::ClickCategory(const std::wstring& name) const {
  for (int i = 0;; ++i) {
    HWND button = Control(editor::kIdFirstCategory + i);
    if (!button) return;
    if (WindowText(button) == name) {
      Click(button);
      return;
    }
  }
}

std::wstring EditorProcess::PageLabel() const { return WindowText(Control(editor::kIdPageLabel)); }

std::wstring EditorProcess::CellTag(int index) const { return WindowText(Control(editor::kIdFirstCell + index)); }

bool EditorProcess::CellSelected(int index) const {
  return ::SendMessageW(Control(editor::kIdFirstCell + index), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::wstring> EditorProcess::CellTags() const {
  std::vector<std::wstring> tags;
  for (int i = 0; i < editor::kCellCount; ++i) tags.push_back(CellTag(i));
  return tags;
}

bool EditorProcess::Settle(int index) const {
  const bool before = CellSelected(index);
  ClickCell(index);
  if (!WaitFor([&] { return CellSelected(index) != before; })) return false;
  ClickCell(index);
  return WaitFor([&] { return CellSelected(index) == before; });
}

HWND EditorProcess::Dialog(const std::wstring& caption) const {
  HWND dialog = FindTopLevel(editor::kDialogClass, caption.c_str());
  return dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
}

void EditorProcess::Type(HWND control, const std::wstring& text) {
  ::SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  for (wchar_t c : text) ::PostMessageW(control, WM_CHAR, c, 1);
}

void EditorProcess::PressEsc(HWND control) {
  ::PostMessageW(control, WM_KEYDOWN, VK_ESCAPE, 1);
  ::PostMessageW(control, WM_KEYUP, VK_ESCAPE, 0xC0000001);
}

}  // namespace testing_support
