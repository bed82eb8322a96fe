#include "editor/work_folder.h"

#include <windows.h>

#include "editor/core/editor_texts.h"
#include "editor/core/pack_paths.h"
#include "foundation/file_ops.h"
#include "foundation/handles.h"
#include "foundation/library_ops.h"

namespace editor {

std::wstring GetTempDir() {
  const DWORD needed = ::GetTempPathW(0, nullptr);
  std::wstring path(needed, L'\0');
  const DWORD got = ::GetTempPathW(needed, path.data());
  path.resize(got < needed ? got : 0);
  return AddBackslash(path);
}

WorkFolder::WorkFolder() {
  const std::wstring base = GetTempDir() + kWorkFolderName + L"\\";
  foundation::CreateFolder(base);
  const std::wstring stem = base + L"Brackmere-" + std::to_wstring(::GetCurrentProcessId()) + L"-";
  for (unsigned i = ::GetTickCount() % 100000, tries = 0; tries < 1000; ++i, ++tries) {
    const std::wstring candidate = stem + std::to_wstring(i) + L"\\";
    // Only a folder this call created counts: it holds nothing yet.
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
  }
}

WorkFolder::~WorkFolder() {
  if (path_.empty()) return;
  foundation::RemoveScratchFolder(path_);
  // The common parent goes too once no other import uses it.
  ::RemoveDirectoryW((GetTempDir() + kWorkFolderName).c_str());
}

}  // namespace editor
