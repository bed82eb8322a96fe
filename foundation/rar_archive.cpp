#include "foundation/rar_archive.h"


#include <dll.hpp>

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "foundation/ansi_text.h"
#include "foundation/app_path.h"
#include "foundation/core/rar_entry_name.h"
#include "foundation/core/rar_extraction_budget.h"
#include "foundation/extraction_trail.h"
#include "foundation/message_pump.h"
#include "foundation/handles.h"
#include "foundation/message_box.h"

namespace foundation {
namespace {

// The library's result codes (dll.hpp) that this unit acts on.
constexpr int kRarEndOfArchive = ERAR_END_ARCHIVE;          // 10
constexpr int kRarUnknown = ERAR_UNKNOWN;                   // 21
constexpr int kRarMissingPassword = ERAR_MISSING_PASSWORD;  // 22
// Old archive formats mark a folder with all of 0xE0; the library reports
// every folder, of any format, with RHDF_DIRECTORY (0x20), one of those bits.
constexpr unsigned kDirectoryFlag = RHDF_DIRECTORY;

struct UnrarApi {
  UniqueModule module;
  std::wstring loadedFrom;
  decltype(&RAROpenArchiveEx) openArchiveEx = nullptr;
  decltype(&RARCloseArchive) closeArchive = nullptr;
  decltype(&RARReadHeaderEx) readHeaderEx = nullptr;
  decltype(&RARProcessFileW) processFileW = nullptr;
  decltype(&RARSetPassword) setPassword = nullptr;
};

std::wstring& LibraryPathSetting() {
  static std::wstring path;
  return path;
}

UnrarApi& Api() {
  static UnrarApi api;
  return api;
}

template <class F>
bool Bind(HMODULE module, const char* name, F& target) {
  target = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  return target != nullptr;
}

// The bound library, or nullptr when it can't be loaded or lacks an entry point.
const UnrarApi* LoadUnrar() {
  UnrarApi& api = Api();
  const std::wstring path = LibraryPathSetting().empty() ? AppPath() + kUnrarLibraryName : LibraryPathSetting();
  if (api.module && api.loadedFrom == path) return &api;
  api = UnrarApi{};
  // The full path keeps the search to the program's folder.
  UniqueModule module(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!module) return nullptr;
  HMODULE m = module.get();
  if (!Bind(m, "RAROpenArchiveEx", api.openArchiveEx) || !Bind(m, "RARCloseArchive", api.closeArchive) ||
      !Bind(m, "RARReadHeaderEx", api.readHeaderEx) || !Bind(m, "RARProcessFileW", api.processFileW) ||
      !Bind(m, "RARSetPassword", api.setPassword)) {
    api = UnrarApi{};
    return nullptr;
  }
  api.module = std::move(module);
  api.loadedFrom = path;
  return &api;
}

struct OpenMessage {
  int code;
  const wchar_t* text;
  UINT style;
};
constexpr OpenMessage kOpenMessages[] = {
    {10, L"Unexpected End of Archive", kBoxWarning},
    {11, L"Not enough memory to open the archive", kBoxWarning},
    {12, L"The archive header corrupt or damaged", kBoxStop},
    {13, L"The archive is corrupt or damaged", kBoxStop},
    {14, L"The Comment is in an unknown format", kBoxWarning},
    {15, L"There was an error that occured when the archive was opened", kBoxStop},
    {16, L"There was an error when the file was created", kBoxStop},
    {17,
     L"There was an error closing the archive meaning it is still in the memory. Please terminate the Dravik.exe "
     L"process to claim this memory space back",
     kBoxStop},
};

void ShowOpenFailure(HWND owner, int code) {
  for (const OpenMessage& m : kOpenMessages) {
    if (m.code == code) {
      ShowMessage(owner, m.text, L"Error code " + std::to_wstring(code), m.style);
      return;
    }
  }
}

void ShowEncryptedNames(HWND owner) {
  ShowMessage(owner,
              L"Filenames encrypted. To see the filenames, enter a password in the 'Password' box\r\n\r\n"
              L"then click on the 'Reload Archive Data' button at the bottom of window ",
              ExeName(), kBoxInfo);
}

// What the library's callback works with during one call.
struct CallbackState {
  const std::wstring* password = nullptr;
  RarExtractionBudget* budget = nullptr;  // while extracting
  bool overBudget = false;
};

// Answers the library's questions: the password (wide, so any text works,
// and at open time, which archives with encrypted names need); no volume
// changes are offered. While extracting it also counts the bytes the library
// is about to write: an entry whose header leaves its size open is bounded
// by nothing else.
int CALLBACK UnrarCallback(UINT msg, LPARAM userData, LPARAM p1, LPARAM p2) {
  auto* state = reinterpret_cast<CallbackState*>(userData);
  switch (msg) {
    case UCM_NEEDPASSWORDW: {
      const std::wstring* password = state ? state->password : nullptr;
      if (!password || password->empty() || p2 <= 0) return -1;
      auto* buffer = reinterpret_cast<wchar_t*>(p1);
      const size_t room = static_cast<size_t>(p2);
      if (password->size() >= room) return -1;
      password->copy(buffer, password->size());
      buffer[password->size()] = L'\0';
      return 1;
    }
    case UCM_PROCESSDATA:
      // -1 stops the entry: the library then reports it as failed.
      if (state && state->budget && !state->budget->AdmitWritten(p2 > 0 ? static_cast<uint64_t>(p2) : 0)) {
        state->overBudget = true;
        return -1;
      }
      return 1;
    case UCM_CHANGEVOLUME:
    case UCM_CHANGEVOLUMEW:
    case UCM_NEEDPASSWORD:
      return -1;
    default:
      return 1;
  }
}

struct ArchiveCloser {
  const UnrarApi* api;
  HANDLE handle;
  ~ArchiveCloser() {
    if (handle) api->closeArchive(handle);
  }
};

std::wstring FullPath(const std::wstring& path) {
  DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::wstring full(needed, L'\0');
  DWORD got = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (got == 0 || got >= needed) return {};
  full.resize(got);
  return full;
}

// The folder every extracted path must stay in, as a full path ending in "\":
// the destination up to its last separator (the names are joined to it
// unchanged), or the current folder.
std::wstring DestinationRoot(const std::wstring& destination) {
  const size_t sep = destination.find_last_of(L"\\/");
  std::wstring root = FullPath(sep == std::wstring::npos ? std::wstring(L".") : destination.substr(0, sep + 1));
  if (!root.empty() && root.back() != L'\\') root += L'\\';
  return root;
}

bool LiesInside(const std::wstring& root, const std::wstring& full) {
  if (root.empty() || full.size() <= root.size()) return false;
  return ::CompareStringOrdinal(full.c_str(), static_cast<int>(root.size()), root.c_str(),
                                static_cast<int>(root.size()), TRUE) == CSTR_EQUAL;
}

uint64_t ClaimedSize(const RARHeaderDataEx& header) {
  return (static_cast<uint64_t>(header.UnpSizeHigh) << 32) | header.UnpSize;
}

bool& Running() {
  static bool running = false;
  return running;
}

// Whether the headers ended at the normal end of the archive; any other end
// (a header that could not be read, names that need a password) leaves
// entries unread. Encrypted names get the library's advice.
bool EndedNormally(int read, const std::wstring& password, HWND owner) {
  if (read == kRarEndOfArchive) return true;
  if (read == kRarUnknown || (read == kRarMissingPassword && password.empty())) ShowEncryptedNames(owner);
  return false;
}

// Unpacks every entry, or nothing: an entry refused (unsafe name, a link, in
// the way of something already there, over the bounds) or failed ends the
// extraction, and what it wrote until then is taken away again.
int16_t ExtractEntries(const UnrarApi& api, HANDLE archive, const std::wstring& destination,
                       const std::wstring& password, HWND owner, CallbackState& state) {
  const std::wstring root = DestinationRoot(destination);
  ExtractionTrail trail;
  auto header = std::make_unique<RARHeaderDataEx>();
  bool whole = true;
  int read = api.readHeaderEx(archive, header.get());
  for (; read == 0; read = api.readHeaderEx(archive, header.get())) {
    PumpPendingMessages();
    header->FileNameW[std::size(header->FileNameW) - 1] = L'\0';
    const std::wstring name = header->FileNameW;
    const std::wstring target = FullPath(destination + name);
    if (!state.budget->AdmitEntry(ClaimedSize(*header)) || !IsSafeEntryName(name) || header->RedirType != 0 ||
        !LiesInside(root, target) || !trail.Prepare(root, target, (header->Flags & kDirectoryFlag) != 0)) {
      whole = false;
      break;
    }
    std::wstring targetCopy = destination + name;
    // No retry: after a failure the library has moved on, and a second call
    // would report success without writing the file.
    const int processed = api.processFileW(archive, RAR_EXTRACT, nullptr, targetCopy.data());
    trail.Settle();
    if (processed != 0) {
      // Stopped over the bounds: refused, not damaged.
      if (!state.overBudget) ShowMessage(owner, L"Unexpected end of archive", L"Error", kBoxWarning);
      whole = false;
      break;
    }
  }
  if (whole) whole = EndedNormally(read, password, owner);
  if (whole) return 0;
  trail.Undo();
  return -1;
}

int16_t ListEntries(const UnrarApi& api, HANDLE archive, const std::wstring& operation, const std::wstring& password,
                    HWND owner, const RarListSink& list) {
  auto header = std::make_unique<RARHeaderDataEx>();
  int read = api.readHeaderEx(archive, header.get());
  for (; read == 0; read = api.readHeaderEx(archive, header.get())) {
    PumpPendingMessages();
    header->FileNameW[std::size(header->FileNameW) - 1] = L'\0';
    if (operation == kRarOperationList && list) {
      int icon = (header->Flags & kDirectoryFlag) ? 2 : 1;
      if (header->Flags & 0x400) icon += 3;
      list(EntryLeafName(header->FileNameW), icon);
    }
    api.processFileW(archive, RAR_SKIP, nullptr, nullptr);
  }
  return EndedNormally(read, password, owner) ? 0 : -1;
}

}  // namespace

void SetUnrarLibraryPath(const std::wstring& path) {
  LibraryPathSetting() = path;
  Api() = UnrarApi{};
}

int16_t ProcessRarArchive(const std::wstring& operation, const std::wstring& archive, const std::wstring& destination,
                          const std::wstring& password, HWND owner, const RarListSink& list) {
  if (!IsRarArchiveName(archive)) return 0;
  // Messages pumped between entries can start another call; the library's
  // state for one archive must not be interleaved with another.
  if (Running()) return -1;
  const UnrarApi* api = LoadUnrar();
  if (!api) {
    ShowMessage(owner, L"找不到 unrar.dll，无法打开 RAR 压缩包。请重新安装程序。", kMessageTitle, kBoxStop);
    return -1;
  }
  Running() = true;
  struct RunningReset {
    ~RunningReset() { Running() = false; }
  } runningReset;

  const bool extracting = operation == kRarOperationExtract;
  std::wstring archiveName = archive;
  std::vector<wchar_t> comment(16384, L' ');
  std::wstring passwordCopy = password;
  RarExtractionBudget budget;
  CallbackState state{&passwordCopy, extracting ? &budget : nullptr};
  RAROpenArchiveDataEx open{};
  open.ArcNameW = archiveName.data();
  open.OpenMode = RAR_OM_EXTRACT;
  open.CmtBufW = comment.data();
  open.CmtBufSize = static_cast<unsigned>(comment.size());
  open.Callback = UnrarCallback;
  open.UserData = reinterpret_cast<LPARAM>(&state);
  ArchiveCloser closer{api, api->openArchiveEx(&open)};
  if (open.OpenResult != 0 || !closer.handle) {
    if (open.OpenResult == static_cast<unsigned>(kRarMissingPassword) && password.empty()) {
      // Encrypted names and no password: nothing can be read.
      ShowEncryptedNames(owner);
    } else {
      ShowOpenFailure(owner, static_cast<int>(open.OpenResult));
    }
    return -1;
  }
  // The narrow setter goes through the library's own C-locale conversion, which
  // only carries ASCII; any other password is left to the wide callback
  // (a password set here would stop the library from asking for it).
  const bool asciiPassword =
      std::all_of(password.begin(), password.end(), [](wchar_t c) { return c > 0 && c < 0x80; });
  if (!password.empty() && asciiPassword) {
    std::string ansi = ToAnsi(password);
    api->setPassword(closer.handle, ansi.data());
  }
  if (extracting) return ExtractEntries(*api, closer.handle, destination, password, owner, state);
  return ListEntries(*api, closer.handle, operation, password, owner, list);
}

}  // namespace foundation
