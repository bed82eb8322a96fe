#include "editor/scripted_prompts.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/prompts.h"
#include "foundation/ansi_text.h"
#include "foundation/handles.h"
#include "foundation/message_box.h"

namespace editor {
namespace {

std::string ReadWholeFile(const std::wstring& path) {
  foundation::UniqueFile f(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
  std::string bytes;
  if (!f) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(f.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  return bytes;
}

std::wstring Escape(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'\\') out += L"\\\\";
    else if (c == L'\r') out += L"\\r";
    else if (c == L'\n') out += L"\\n";
    else out += c;
  }
  return out;
}

class Script {
 public:
  explicit Script(const std::wstring& folder) : answers_(folder + L"answers.txt"), log_(folder + L"prompts.log") {}

  void Log(const std::wstring& line) {
    const std::string bytes = foundation::ToUtf8(line + L"\n");
    foundation::UniqueFile f(::CreateFileW(log_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (f) ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }

  // Takes the next answer when it is of this kind ("yes", "open", ...): true
  // with the text after the kind and one blank. An answer of another kind
  // stays for the prompt it was meant for.
  bool Take(const std::wstring& kind, std::wstring* rest) {
    const std::vector<std::wstring> lines = Lines();
    if (taken_ >= lines.size()) return false;
    const std::wstring& line = lines[taken_];
    if (line.compare(0, kind.size(), kind) != 0 || (line.size() > kind.size() && line[kind.size()] != L' '))
      return false;
    ++taken_;
    *rest = line.size() > kind.size() ? line.substr(kind.size() + 1) : std::wstring();
    return true;
  }

  void Unanswered(const std::wstring& kind) { Log(L"unanswered|" + kind); }

 private:
  std::vector<std::wstring> Lines() const {
    const std::wstring text = foundation::FromUtf8(ReadWholeFile(answers_));
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find(L'\n', start);
      if (end == std::wstring::npos) end = text.size();
      std::wstring line = text.substr(start, end - start);
      if (!line.empty() && line.back() == L'\r') line.pop_back();
      lines.push_back(line);
      start = end + 1;
    }
    return lines;
  }

  std::wstring answers_;
  std::wstring log_;
  size_t taken_ = 0;
};

}  // namespace

bool InstallScriptedPromptsFromEnvironment() {
  wchar_t value[MAX_PATH] = {};
  const DWORD n = ::GetEnvironmentVariableW(kPromptScriptVariable, value, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return false;
  std::wstring folder(value, n);
  if (folder.back() != L'\\') folder += L'\\';
  auto script = std::make_shared<Script>(folder);

  foundation::SetMessageReporter([script](HWND, const std::wstring& text, const std::wstring& title, UINT style) {
    script->Log(L"box|" + std::to_wstring(style) + L"|" + title + L"|" + Escape(text));
    if ((style & MB_TYPEMASK) != MB_YESNO) return IDOK;
    std::wstring rest;
    if (script->Take(L"yes", &rest)) return IDYES;
    if (!script->Take(L"no", &rest)) script->Unanswered(L"question");
    return IDNO;
  });
  SetOpenFileChooser([script](HWND, const std::wstring& title, const std::wstring&) {
    script->Log(L"open|" + title);
    std::wstring path;
    if (script->Take(L"open", &path)) return path;
    script->Unanswered(L"open");
    return std::wstring();
  });
  SetFolderChooser([script](HWND, const std::wstring& title) {
    script->Log(L"folder|" + title);
    std::wstring path;
    if (script->Take(L"folder", &path)) return path;
    script->Unanswered(L"folder");
    return std::wstring();
  });
  return true;
}

}  // namespace editor
