#include "hooklib/qq_process.h"

#include "foundation/handles.h"
#include "foundation/input_hook.h"
#include "foundation/path_fields.h"
#include "foundation/process_name.h"
#include "foundation/text_compare.h"

namespace hooklib {
namespace {

bool SameArchitecture(HANDLE process) {
  BOOL ownWow64 = FALSE, otherWow64 = FALSE;
  if (!::IsWow64Process(::GetCurrentProcess(), &ownWow64) || !::IsWow64Process(process, &otherWow64)) return false;
  return ownWow64 == otherWow64;
}

}  // namespace

foundation::UniqueKernelHandle OpenQqProcess(DWORD pid) {
  foundation::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return {};
  const std::wstring path = foundation::ProcessImagePath(process.get());
  // The client itself, not any program whose name merely holds its name: the
  // hook must enter no other program.
  if (path.empty() || !foundation::TextEquals(foundation::GetExeNameFromPath(path), foundation::kConvertedExeName) ||
      !SameArchitecture(process.get()))
    return {};
  return process;
}

}  // namespace hooklib
