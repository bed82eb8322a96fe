// The panel program run as the helper of one network transfer, a list fetch
// or a pack download (see foundation/helper_process.h): the panel waits for
// it with its windows working and ends it when the transfer is given up,
// which is what closes the transfer's connection.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace panel {

inline constexpr wchar_t kTransferHelperSwitch[] = L"/transfer";
inline constexpr wchar_t kTransferFetch[] = L"fetch";        // fetch <url>: the body on standard output
inline constexpr wchar_t kTransferDownload[] = L"download";  // download <url> <file>: progress records

// The helper's exit codes.
inline constexpr int kTransferSucceeded = 0;
inline constexpr int kTransferFailed = 1;
inline constexpr int kTransferBadArguments = 2;

// The program that runs transfers: the running program's own file, whatever
// it is named (a user may rename the panel's).
std::wstring TransferHelperProgram();

// When the command line is a transfer helper's: does the transfer and gives
// the process's exit code; otherwise nothing.
std::optional<int> RunAsTransferHelper(const wchar_t* commandLine);

// The two transfers, run inside the helper on its arguments after the kind.
int RunFetchHelper(const std::vector<std::wstring>& args);
int RunDownloadHelper(const std::vector<std::wstring>& args);

}  // namespace panel
