// Brackmere's entry point: the main window, then the message loop until it is gone.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "editor/frm_main.h"
#include "editor/message_loop.h"
#ifdef BRACKMERE_SCRIPTED_PROMPTS
#include "editor/scripted_prompts.h"
#endif
#include "editor/work_folder.h"
#include "foundation/app_path.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  // The shell's file operations and dialogs want OLE on the UI thread.
  ::OleInitialize(nullptr);
  ::SetCurrentDirectoryW(foundation::AppPath().c_str());
#ifdef BRACKMERE_SCRIPTED_PROMPTS
  editor::InstallScriptedPromptsFromEnvironment();
#endif
  // An editor ended during a pack import left its unpacked pack behind.
  editor::RemoveStaleWorkFolders();
  int code = 0;
  {
    editor::Frmmain window;
    if (window.Show()) code = editor::RunMessageLoop();
  }
  ::OleUninitialize();
  return code;
}
