#include "panel/panel_config.h"

#include "foundation/app_path.h"
#include "foundation/ini_file.h"

namespace panel {

std::wstring ConfigPath() { return foundation::AppPath() + kConfigFile; }

std::wstring ReadConfig(const wchar_t* key) { return foundation::ReadIni(kConfigSection, key, ConfigPath()); }

void WriteConfig(const wchar_t* key, const std::wstring& value) {
  foundation::WriteIni(kConfigSection, key, value, ConfigPath());
}

}  // namespace panel
