#include "editor/reload_notice.h"

#include <string>

#include "editor/core/editor_texts.h"
#include "foundation/app_path.h"
#include "foundation/file_ops.h"
#include "foundation/handle_text.h"
#include "foundation/ini_file.h"
#include "foundation/process_name.h"
#include "foundation/text_compare.h"

namespace editor {
namespace {

// Long enough for the panel to reload a large category; a hung panel does
// not hang the editor with it.
constexpr UINT kClickTimeoutMs = 30000;

bool IsPanelProcess(HWND hwnd) {
  DWORD pid = 0;
  if (!::GetWindowThreadProcessId(hwnd, &pid) || pid == 0) return false;
  std::wstring image = foundation::ProcessImagePathByQuery(pid);
  if (image.empty()) image = foundation::ProcessImagePathByModules(pid);
  return !image.empty() && foundation::IsSameFile(image, foundation::AppPath() + kPanelProgramName);
}

void ClickPanelButton(const wchar_t* key) {
  HWND button = PanelReloadButton(key);
  if (!button) return;
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kClickTimeoutMs, &result);
}

}  // namespace

HWND PanelReloadButton(const wchar_t* key) {
  const std::wstring text = foundation::ReadIni(kConfigSection, key, foundation::AppPath() + kConfigFileName);
  HWND hwnd = nullptr;
  if (!foundation::TextToHandle(text, &hwnd) || !hwnd || !::IsWindow(hwnd)) return nullptr;
  wchar_t className[32] = {};
  if (!::GetClassNameW(hwnd, className, 32) || !foundation::TextEquals(className, L"Button")) return nullptr;
  return IsPanelProcess(hwnd) ? hwnd : nullptr;
}

void RType() { ClickPanelButton(kLoadTypeKey); }
void RFace() { ClickPanelButton(kLoadFaceKey); }

}  // namespace editor
