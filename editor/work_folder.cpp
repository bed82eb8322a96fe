#include "editor/work_folder.h"

#include <windows.h>

#include "editor/core/editor_texts.h"
#include "editor/editor_library.h"
#include "foundation/core/fresh_name.h"
#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "foundation/library_ops.h"
#include "foundation/temp_files.h"

namespace editor {
namespace {

constexpr wchar_t kWorkFolderPrefix[] = L"Brackmere-";

std::wstring WorkFolderParent() { return foundation::GetTempDir() + kWorkFolderName + L"\\"; }

// Whether any process at all runs under the number. An editor's number
// names its work folder, and the editor may have been started from a copy of
// this program under another file name: only a number no process holds is
// known to be free. A number passed on to another program keeps the folder
// for a later start. A process the system refuses to open runs; one that
// opens may still be an ended one, kept while someone holds a handle to it.
bool IsProcessRunning(DWORD pid) {
  foundation::UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid));
  if (!process) return ::GetLastError() == ERROR_ACCESS_DENIED;
  return ::WaitForSingleObject(process.get(), 0) != WAIT_OBJECT_0;
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
    if (!owner || IsProcessRunning(*owner)) continue;
    removed = foundation::RemoveScratchFolder(parent + name) || removed;
  }
  if (removed) ::RemoveDirectoryW(parent.c_str());
}

}  // namespace editor
