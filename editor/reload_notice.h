// The reload notification to a running panel: the panel publishes the window
// handles of two hidden push buttons in Config.ini ("LoadType" rebuilds its
// categories, "LoadFace" reloads its emoticons) and the editor clicks one.
#pragma once
#include <windows.h>

namespace editor {

// The button a reload click may go to: the handle stored under the key, when
// it still names a push button ("Button" class) of a running panel program
// beside this one. A handle left from an earlier run may by now belong to any
// window of any program; nullptr then, and when the key is missing or not a
// number.
HWND PanelReloadButton(const wchar_t* key);

// Click the panel's category-reload (RType) or emoticon-reload (RFace)
// button, waiting until the panel has handled it; nothing happens when
// there is no such button.
void RType();
void RFace();

}  // namespace editor
