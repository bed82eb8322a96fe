// Tarnwick's entry point: start-up through Main, then the message loop until
// the panel window is gone; or, started as the panel's transfer helper, that
// transfer alone.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "foundation/mod_data.h"
#include "panel/frm_main.h"
#include "panel/transfer_helper.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (const auto helped = panel::RunAsTransferHelper(::GetCommandLineW())) return *helped;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  // The clipboard and the shell's dialogs want OLE on the UI thread.
  ::OleInitialize(nullptr);
  foundation::Main(panel::ShowMainWindow);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  ::OleUninitialize();
  return 0;
}
