#include "panel/panel_state.h"

namespace panel {

bool StandAloneMode = false;
int32_t SavedLeft = 0, SavedTop = 0;
std::wstring CurrentFacePath;

}  // namespace panel
