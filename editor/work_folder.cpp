#include "editor/work_folder.h"

#include <windows.h>

#include "editor/core/editor_texts.h"
#include "editor/editor_library.h"
#include "foundation/core/fresh_name.h"
#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "foundation/library_ops.h"
#include "foundation/path_fields.h"
#include "foundation/process_name.h"
#include "foundation/temp_files.h"
#include "foundation/text_compare.h"

namespace editor {
namespace {

constexpr wchar_t kWorkFolderPrefix[] = L"Brackmere-";

std::wstring WorkFolderParent() { return foundation::GetTempDir() + kWorkFolderName + L"\\"; }

// A process number is given to any new process once its owner is gone, so
// only a running process of this program's file counts as an editor.
bool IsRunningEditor(DWORD pid) {
  foundation::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  DWORD code = 0;
  if (!process || !::GetExitCodeProcess(process.get(), &code) || code != STILL_ACTIVE) return false;
  wchar_t own[MAX_PATH * 2] = {};
  ::GetModuleFileNameW(nullptr, own, MAX_PATH * 2);
  return foundation::TextEquals(foundation::GetExeNameFromPath(foundation::ProcessImagePathByQuery(pid)),
                                foundation::GetExeNameFromPath(own));
}

}  // namespace

WorkFolder::WorkFolder() {
  const std::wstring parent = WorkFolderParent();
  foundation::CreateFolder(parent);
  path_ = foundation::MakeFreshFolder(parent, kWorkFolderPrefix);
}

WorkFolder::~WorkFolder() {
  if (path_.empty()) return;
  foundation::RemoveScratchFolder(path_);
  // The common parent goes too once no other import uses it.
  ::RemoveDirectoryW(WorkFolderParent().c_str());
}

void RemoveStaleWorkFolders() {
  const std::wstring parent = WorkFolderParent();
  bool removed = false;
  for (const std::wstring& name : ListFolders(parent)) {
    const std::optional<uint32_t> owner = foundation::FreshNameOwner(name, kWorkFolderPrefix);
    if (!owner || IsRunningEditor(*owner)) continue;
    removed = foundation::RemoveScratchFolder(parent + name) || removed;
  }
  if (removed) ::RemoveDirectoryW(parent.c_str());
}

}  // namespace editor
