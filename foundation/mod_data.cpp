#include "foundation/mod_data.h"

#include <windows.h>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/message_box.h"

namespace foundation {

DbConnection DBConnection;
Recordset DBRecordset;
std::wstring SqlText;

namespace {
// An error without a number of its own reads as the runtime's "internal error".
constexpr long kInternalError = 51;
}  // namespace

PendingError& CurrentError() {
  static PendingError error;
  return error;
}

void ClearError() { CurrentError() = PendingError{}; }

void Main(const std::function<void()>& showMainWindow) {
  // Every failing step is skipped; Main never stops on an error.
  const std::wstring app = AppPath();
  ::SetCurrentDirectoryW(app.c_str());  // the drive and the folder in one step
  DBConnection.Open(app + kDatabaseFileName);
  DBRecordset.Close();
  try {
    if (showMainWindow) showMainWindow();
  } catch (const ProgramError& e) {
    CurrentError() = {e.number, e.source, e.description};
  } catch (const std::exception& e) {
    CurrentError() = {kInternalError, ExeName(), FromUtf8(e.what())};
  }
  ShowPendingError();
}

void ShowPendingError() {
  const PendingError& e = CurrentError();
  if (e.number == 0) return;
  const std::wstring text = L"Ky 错误 #" + std::to_wstring(e.number) + L"\r\n错误源： " + e.source +
                            L"\r\n\r\nDescription: " + e.description;
  ShowMessage(nullptr, text, L"Ky 运行时错误", MB_ICONSTOP | MB_OK);
  ClearError();
}

}  // namespace foundation
