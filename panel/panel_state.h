// Module state of the panel that several of its units share.
#pragma once
#include <cstdint>
#include <string>

namespace panel {

extern bool StandAloneMode;           // window mode: stand-alone (true) or docking
extern int32_t SavedLeft, SavedTop;   // where the stand-alone window goes, twips
extern std::wstring CurrentFacePath;  // the management-grid emoticon last pressed

}  // namespace panel
