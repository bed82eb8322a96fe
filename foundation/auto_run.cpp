#include "foundation/auto_run.h"

#include <windows.h>

#include "foundation/app_path.h"
#include "foundation/registry.h"

namespace foundation {
namespace {

const HKEY kRunRoots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

bool HoldsProgram(HKEY root, const std::wstring& programPath) {
  return GetRegValue(root, kRunKey, kAutoRunValueName) == programPath;
}

}  // namespace

std::wstring AutoRunProgramPath() { return AppPath() + ExeName() + L".exe"; }

bool IsAutoRunRegistered(const std::wstring& programPath) {
  for (HKEY root : kRunRoots)
    if (HoldsProgram(root, programPath)) return true;
  return false;
}

bool RegisterAutoRun(const std::wstring& programPath) {
  for (HKEY root : kRunRoots) {
    std::wstring data = programPath;
    if (SetRegValue(root, kRunKey, kAutoRunValueName, data, REG_SZ) && HoldsProgram(root, programPath)) return true;
  }
  return false;
}

bool UnregisterAutoRun(const std::wstring& programPath) {
  bool gone = true;
  for (HKEY root : kRunRoots) {
    if (!HoldsProgram(root, programPath)) continue;
    DeleteRegValue(root, kRunKey, kAutoRunValueName);
    gone = gone && !HoldsProgram(root, programPath);
  }
  return gone;
}

}  // namespace foundation
