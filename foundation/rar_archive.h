// Unpacking or listing a RAR archive through unrar.dll, which is bound by name
// from the program's folder at the first call (the program carries none of
// its working). The wide-character entry points are used throughout: the ANSI
// ones lose names outside the system code page.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace foundation {

inline constexpr wchar_t kRarOperationExtract[] = L"Extract";
inline constexpr wchar_t kRarOperationList[] = L"ObtainList";
inline constexpr wchar_t kUnrarLibraryName[] = L"unrar.dll";

// Receives one listed entry: the name after its last separator and the icon
// index (1 file, 2 folder; 3 more when the entry's flag 0x400 is set).
using RarListSink = std::function<void(const std::wstring& text, int icon)>;

// operation: "Extract" or "ObtainList" (exact). destination is put in front of
// every entry name unchanged, so a folder is passed with its trailing
// backslash. password "" means none. owner owns the message boxes; list
// receives the entries of "ObtainList".
// An extraction writes every entry or leaves nothing of its own behind: it
// never writes over or through anything already there (a file, or a link on
// the way), and it stops at the first entry it refuses or fails and takes
// away what it wrote until then (files and folders it made, each only while
// it is still the one it made; anything else put there meanwhile stays).
// Result -1 when the archive could not be opened or read to its normal end
// (a damaged header, encrypted names without the password), an entry failed
// to extract, an entry was refused (escaping the destination, a name Windows
// can't hold as given, a link, in the way of something already there, or
// more than kMaxRarEntries entries or kMaxRarUnpackedBytes unpacked in all,
// counted as written), the library is missing, or another call is still
// running; 0 otherwise, also for a name that does not end in ".rar" (nothing
// is done then).
// Window messages are processed between entries, so the caller stays responsive.
int16_t ProcessRarArchive(const std::wstring& operation, const std::wstring& archive, const std::wstring& destination,
                          const std::wstring& password, HWND owner = nullptr, const RarListSink& list = {});

// Where the library is loaded from: AppPath() & "unrar.dll" unless set.
// Setting it drops a library bound before.
void SetUnrarLibraryPath(const std::wstring& path);

}  // namespace foundation
