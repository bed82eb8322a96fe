// The main program's start-up and its one database connection.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>

#include "foundation/database.h"

namespace foundation {

// The database connection of the main program, open for the whole process once
// Main found Thumbs.mdb; every query's result lands in DBRecordset.
extern DbConnection DBConnection;
extern Recordset DBRecordset;
extern std::wstring SqlText;

// A failure raised while the main window is created and shown.
struct PendingError {
  long number = 0;
  std::wstring source;
  std::wstring description;
};
PendingError& CurrentError();
void ClearError();

// What showing the main window throws when it fails.
class ProgramError : public std::runtime_error {
 public:
  ProgramError(long number, std::wstring source, std::wstring description)
      : std::runtime_error("program error"), number(number), source(std::move(source)), description(std::move(description)) {}
  long number;
  std::wstring source;
  std::wstring description;
};

inline constexpr wchar_t kDatabaseFileName[] = L"Thumbs.mdb";

// Makes the program folder current, opens Thumbs.mdb beside the program (a
// missing or broken file is skipped silently), shows the main window through
// showMainWindow, and reports whatever that raised.
void Main(const std::function<void()>& showMainWindow);

// Reports and clears a pending error (nothing when none is pending).
void ShowPendingError();

}  // namespace foundation
