#include "panel/stand_in_browser.h"

#include "foundation/ansi_text.h"
#include "panel/picture_clipboard.h"

#include <fstream>
#include <filesystem>
#include <sstream>

namespace panel {
namespace {
constexpr UINT kLoadMessage = WM_APP + 1;
}  // namespace

bool StandInBrowser::Create() {
  return CreateWindowObject({L"TarnwickStandInBrowser"}, 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

void StandInBrowser::Navigate(const std::wstring& pageFile) {
  pending_ = pageFile;
  ::PostMessageW(hwnd(), kLoadMessage, 0, 0);
}

std::wstring StandInBrowser::ImagePathOfPage(const std::wstring& page) {
  const size_t img = page.find(L"<img");
  if (img == std::wstring::npos) return {};
  const size_t src = page.find(L"src=", img);
  const size_t close = page.find(L'>', img);
  if (src == std::wstring::npos || (close != std::wstring::npos && src > close)) return {};
  size_t begin = src + 4;
  size_t end = page.find_first_of(L" >\r\n", begin);
  std::wstring url = page.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
  constexpr std::wstring_view kScheme = L"file:///";
  if (url.compare(0, kScheme.size(), kScheme) != 0) return {};
  url.erase(0, kScheme.size());
  for (size_t p; (p = url.find(L"%20")) != std::wstring::npos;) url.replace(p, 3, L" ");
  return url;
}

LRESULT StandInBrowser::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kLoadMessage) return WindowBase::HandleMessage(msg, wParam, lParam);
  const std::wstring file = std::move(pending_);
  pending_.clear();
  if (file.empty()) return 0;
  std::ifstream in(std::filesystem::path(file), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::wstring page = foundation::FromAnsi(bytes.str());
  const std::wstring picture = ImagePathOfPage(page);
  if (!picture.empty()) CopyPictureToClipboard(hwnd(), picture);
  if (DocumentComplete) DocumentComplete(L"file:///" + file, in ? 4 : 0);
  return 0;
}

}  // namespace panel
