#include "panel/library_maintenance.h"

#include "foundation/core/category_name.h"
#include "foundation/core/literal_path.h"
#include "foundation/file_ops.h"
#include "foundation/library_ops.h"
#include "foundation/message_box.h"
#include "foundation/path_fields.h"
#include "foundation/thumbnail_cache.h"
#include "panel/core/library_texts.h"
#include "panel/library_listing.h"

namespace panel {
namespace {

int Ask(HWND owner, const std::wstring& text) {
  return foundation::ShowMessage(owner, text, foundation::kMessageTitle, foundation::kBoxQuestion);
}

void Tell(HWND owner, const std::wstring& text, UINT style) {
  foundation::ShowMessage(owner, text, foundation::kMessageTitle, style);
}

}  // namespace

std::wstring CategoryFolderOf(const LibraryHost& host, const std::wstring& name) {
  if (!foundation::IsListedCategoryName(name)) return {};
  return foundation::LiteralPath(host.LibraryRoot() + L"\\" + name);
}

std::wstring NewCategoryFolderOf(const LibraryHost& host, const std::wstring& name, bool allowNesting) {
  if (foundation::CheckCategoryName(name, allowNesting) != foundation::CategoryNameVerdict::kOk) return {};
  const std::wstring folder = host.LibraryRoot() + L"\\" + name;
  // "x\y" inside a category x that is a link would be made outside the library.
  for (size_t pos = name.find(L'\\'); pos != std::wstring::npos; pos = name.find(L'\\', pos + 1)) {
    if (foundation::IsLink(host.LibraryRoot() + L"\\" + name.substr(0, pos))) return {};
  }
  return folder;
}

std::wstring EnsureCategoryFolder(const LibraryHost& host, const std::wstring& name) {
  const std::wstring folder = CategoryFolderOf(host, name);
  if (folder.empty() || foundation::FolderExists(folder)) return folder;
  // Only a name that can be made as it stands (the default category's).
  const std::wstring made = NewCategoryFolderOf(host, name);
  if (made.empty()) return {};
  foundation::CreateFolder(made);
  return foundation::FolderExists(made) ? made : std::wstring();
}

std::wstring LibraryMaintenance::CurrentFolder() const { return EnsureCategoryFolder(host_, host_.Combo3Text()); }

void LibraryMaintenance::AddFace() {
  HWND owner = host_.PanelWindow();
  const std::wstring chosen = prompts_.pickPicture ? prompts_.pickPicture(owner) : std::wstring();
  if (chosen.empty()) return;
  const std::wstring folder = CurrentFolder();
  if (folder.empty()) return;
  const std::wstring target = folder + L"\\" + foundation::GetFileName(chosen);
  // "Yes" keeps the old file until the new copy is in place; the copy sets it aside.
  if (foundation::FileExists(target) && Ask(owner, kAskReplaceFace) != IDYES) return;
  // The shell's own windows report a copy that fails.
  foundation::CopyFaceVerified(owner, chosen, folder + L"\\");
  const std::wstring category = host_.Combo3Text();
  host_.LoadFace2(category);
  host_.LoadFace(category);
}

void LibraryMaintenance::KillFace() {
  HWND owner = host_.PanelWindow();
  const std::wstring path = host_.CurrentFacePath();
  if (path.empty()) return;
  if (Ask(owner, kAskDeleteFace) != IDYES) return;
  if (foundation::FileExists(path) && !foundation::DeleteFace(path)) Tell(owner, kFaceNotDeleted, foundation::kBoxWarning);
  const std::wstring category = host_.Combo3Text();
  host_.LoadFace(category);
  host_.LoadFace2(category);
}

void LibraryMaintenance::LoadDir() {
  HWND owner = host_.PanelWindow();
  const std::wstring folder = prompts_.pickFolder ? prompts_.pickFolder(owner, kChooseImportFolder) : std::wstring();
  if (folder.empty()) return;
  std::vector<std::wstring> files;
  for (const std::wstring& name : ListImportFiles(folder)) files.push_back(folder + L"\\" + name);
  if (files.empty()) {
    Tell(owner, kNoPicturesInFolder, foundation::kBoxInfo);
    return;
  }
  LoadFile(files);
}

void LibraryMaintenance::LoadFile(const std::vector<std::wstring>& files) {
  HWND owner = host_.PanelWindow();
  const std::wstring folder = CurrentFolder();
  size_t failed = files.size();
  if (!folder.empty()) {
    failed = 0;
    foundation::ThumbnailDropBatch drops;
    for (const std::wstring& file : files)
      if (!foundation::CopyFaceVerified(owner, file, folder + L"\\")) ++failed;
  }
  host_.LoadFace2(host_.Combo3Text());
  host_.LoadFace(host_.Combo1Text());
  if (failed == 0)
    Tell(owner, kImportDone, foundation::kBoxInfo);
  else
    Tell(owner, kImportIncomplete + std::to_wstring(failed), foundation::kBoxWarning);
}

}  // namespace panel
