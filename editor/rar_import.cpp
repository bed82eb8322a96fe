#include "editor/rar_import.h"

#include <windows.h>

#include "editor/core/editor_texts.h"
#include "editor/core/pack_paths.h"
#include "editor/core/picture_names.h"
#include "editor/editor_library.h"
#include "editor/frm_add_rar.h"
#include "editor/frm_main.h"
#include "editor/prompts.h"
#include "editor/work_folder.h"
#include "foundation/file_ops.h"
#include "foundation/message_box.h"
#include "foundation/path_fields.h"
#include "foundation/rar_archive.h"
#include "foundation/text_compare.h"

namespace editor {
namespace {

// A pack is a few folders at most; a walk is cut off well past that.
constexpr size_t kMaxFolders = 10000;

// The main window takes no input while the pack is unpacked: the extraction
// lets window messages run between entries.
class InputBlocked {
 public:
  explicit InputBlocked(HWND window) : window_(window) { ::EnableWindow(window_, FALSE); }
  InputBlocked(const InputBlocked&) = delete;
  InputBlocked& operator=(const InputBlocked&) = delete;
  ~InputBlocked() { ::EnableWindow(window_, TRUE); }

 private:
  HWND window_;
};

}  // namespace

std::vector<std::wstring> GetDir(const std::wstring& root) {
  std::vector<std::wstring> queue{root};
  for (size_t i = 0; i < queue.size() && queue.size() < kMaxFolders; ++i) {
    for (const std::wstring& name : ListFolders(queue[i])) {
      if (foundation::TextEquals(name, L"PAGEFILE.SYS")) continue;
      queue.push_back(queue[i] + L"\\" + name);
    }
  }
  return queue;
}

void ImportRarPack(Frmmain& main) {
  const std::wstring archive = ChooseOpenFile(main.hwnd(), kChooseRarTitle, kRarFilter);
  if (archive.empty()) return;
  WorkFolder work;
  if (work.path().empty()) {
    foundation::ShowMessage(main.hwnd(), kPackNotExtracted, foundation::kMessageTitle, foundation::kBoxWarning);
    return;
  }
  std::wstring packFolder;
  std::vector<std::wstring> pictures;
  {
    InputBlocked blocked(main.hwnd());
    const std::wstring archiveName = foundation::GetFileName(archive);
    const std::wstring packRoot = work.path() + PackNameFromArchive(archiveName);
    const std::wstring copy = work.path() + archiveName;
    int16_t result = -1;
    if (foundation::CopyFileTo(main.hwnd(), archive, work.path())) {
      foundation::CreateFolder(packRoot);
      result = foundation::ProcessRarArchive(foundation::kRarOperationExtract, copy, AddBackslash(packRoot), L"");
    }
    if (foundation::FileExists(copy)) ::DeleteFileW(copy.c_str());
    // A pack that did not come out whole (a damaged archive, entries that
    // would have landed outside the work folder, more than the extraction's
    // bounds) is not imported at all.
    if (result != 0) {
      foundation::ShowMessage(main.hwnd(), kPackNotExtracted, foundation::kMessageTitle, foundation::kBoxWarning);
      return;
    }
    packFolder = ChoosePackFolder(GetDir(packRoot));
    pictures = ListFiles(packFolder, kImportExtensions);
  }
  if (pictures.empty()) {
    foundation::ShowMessage(main.hwnd(), kNoPicturesInPack, foundation::kMessageTitle, foundation::kBoxInfo);
    return;
  }
  FrmAddRar dialog(main, packFolder, pictures);
  dialog.ShowModal();
}

}  // namespace editor
