#include "editor/failure_report.h"

#include "foundation/message_box.h"

namespace editor {
namespace {
constexpr size_t kNamesShown = 20;
}  // namespace

std::wstring NameList(const std::wstring& heading, const std::vector<std::wstring>& names) {
  std::wstring text = heading;
  for (size_t i = 0; i < names.size() && i < kNamesShown; ++i) text += L"\r\n" + names[i];
  if (names.size() > kNamesShown) text += L"\r\n……";
  return text;
}

void ReportFailedFiles(HWND owner, const std::wstring& heading, const std::vector<std::wstring>& names) {
  foundation::ShowMessage(owner, NameList(heading, names), foundation::kMessageTitle, foundation::kBoxWarning);
}

}  // namespace editor
