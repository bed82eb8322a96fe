#include "panel/panel_config.h"

#include "foundation/app_path.h"
#include "foundation/ini_file.h"

namespace panel {
namespace {

std::wstring& PathSetting() {
  static std::wstring path;
  return path;
}

}  // namespace

std::wstring ConfigPath() { return PathSetting().empty() ? foundation::AppPath() + kConfigFile : PathSetting(); }

void SetConfigPath(std::wstring path) { PathSetting() = std::move(path); }

std::wstring ReadConfig(const wchar_t* key) { return foundation::ReadIni(kConfigSection, key, ConfigPath()); }

void WriteConfig(const wchar_t* key, const std::wstring& value) {
  foundation::WriteIni(kConfigSection, key, value, ConfigPath());
}

}  // namespace panel
