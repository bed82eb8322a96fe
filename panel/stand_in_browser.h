// Stands in for the browser control of the Windows 2003 road, where no browser
// engine exists: navigating to a page "loads" it once the caller's message
// loop turns, does what the page's script does (copy its img element's picture
// to the clipboard) and reports the completed document.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "foundation/window_base.h"

namespace panel {

class StandInBrowser : public foundation::WindowBase {
 public:
  bool Create();
  // Loads the page file asynchronously.
  void Navigate(const std::wstring& pageFile);

  // Raised when a navigation completed: the document's address and its ready state (4: complete).
  std::function<void(const std::wstring& locationUrl, int readyState)> DocumentComplete;

  // The picture path of the page's first img element ("" when it has none):
  // its src without "file:///", with "%20" read back as blanks.
  static std::wstring ImagePathOfPage(const std::wstring& pageText);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  std::wstring pending_;
};

}  // namespace panel
