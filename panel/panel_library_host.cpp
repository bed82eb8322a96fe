#include "panel/panel_library_host.h"

#include "panel/frm_main.h"
#include "panel/library_listing.h"
#include "panel/panel_state.h"

namespace panel {

HWND PanelLibraryHost::PanelWindow() const { return panel_.hwnd(); }
std::wstring PanelLibraryHost::LibraryRoot() const { return panel::LibraryRoot(); }
std::vector<std::wstring> PanelLibraryHost::Categories() const { return panel_.Combo1Items(); }
std::wstring PanelLibraryHost::Combo1Text() const { return panel_.Combo1Text(); }
std::wstring PanelLibraryHost::Combo3Text() const { return panel_.Combo3Text(); }
std::wstring PanelLibraryHost::CurrentFacePath() const { return panel::CurrentFacePath; }
void PanelLibraryHost::LoadType() { panel_.LoadType(); }
void PanelLibraryHost::LoadFace(const std::wstring& category) { panel_.LoadFace(category); }
void PanelLibraryHost::LoadFace2(const std::wstring& category) { panel_.LoadFace2(category); }

}  // namespace panel
