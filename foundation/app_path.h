#pragma once
#include <string>

namespace foundation {

// The running program's executable file, however it was named or renamed.
std::wstring ProgramFile();
// The folder of the running program's executable, with exactly one trailing "\".
std::wstring AppPath();
// The executable's file name without its extension (the App.EXEName of the programs).
std::wstring ExeName();

}  // namespace foundation
