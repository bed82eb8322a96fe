#include "panel/transfer_helper.h"

#include <ole2.h>

#include "foundation/app_path.h"
#include "foundation/helper_process.h"

namespace panel {

std::wstring TransferHelperProgram() { return foundation::ProgramFile(); }

std::optional<int> RunAsTransferHelper(const wchar_t* commandLine) {
  const auto args = foundation::StartAsHelper(commandLine, kTransferHelperSwitch);
  if (!args) return std::nullopt;
  if (args->empty()) return kTransferBadArguments;
  const std::vector<std::wstring> rest(args->begin() + 1, args->end());
  // The download service and WinINet want COM on the thread.
  ::OleInitialize(nullptr);
  int code = kTransferBadArguments;
  if ((*args)[0] == kTransferFetch) code = RunFetchHelper(rest);
  if ((*args)[0] == kTransferDownload) code = RunDownloadHelper(rest);
  ::OleUninitialize();
  return code;
}

}  // namespace panel
