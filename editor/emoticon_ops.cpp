#include "editor/emoticon_ops.h"

#include <string>
#include <vector>

#include "editor/core/editor_texts.h"
#include "editor/core/picture_names.h"
#include "editor/editor_library.h"
#include "editor/failure_report.h"
#include "editor/frm_main.h"
#include "editor/prompts.h"
#include "editor/reload_notice.h"
#include "foundation/file_ops.h"
#include "foundation/library_ops.h"
#include "foundation/message_box.h"
#include "foundation/path_fields.h"
#include "foundation/thumbnail_cache.h"

namespace editor {
namespace {

int Ask(HWND owner, const std::wstring& question) {
  return foundation::ShowMessage(owner, question, foundation::kMessageTitle, foundation::kBoxQuestion);
}

void Inform(HWND owner, const std::wstring& text) {
  foundation::ShowMessage(owner, text, foundation::kMessageTitle, foundation::kBoxInfo);
}

// Copies the files of folder into the current category (a file of the same
// name is replaced, but only once its new copy is there; nothing goes into a
// category that is a link), then shows the library again and tells the panel.
void LoadFile(Frmmain& main, const std::wstring& folder, const std::vector<std::wstring>& files) {
  const std::wstring target = CategoryFolder(main.CurrentCategory());
  std::vector<std::wstring> failed;
  {
    foundation::ThumbnailDropBatch drops;
    for (const std::wstring& name : files) {
      if (!foundation::CopyFaceVerified(main.hwnd(), foundation::WithTrailingBackslash(folder) + name, target))
        failed.push_back(name);
    }
  }
  main.LoadType();
  main.LoadFace(main.CurrentCategory());
  if (failed.empty()) {
    Inform(main.hwnd(), kImportDone);
  } else {
    ReportFailedFiles(main.hwnd(), kImportFailedHeading, failed);
  }
  if (failed.size() < files.size()) RFace();
}

}  // namespace

void KillFace(Frmmain& main) {
  FaceGrid& grid = main.Grid();
  if (grid.FirstSelected() < 0) {
    Inform(main.hwnd(), kSelectFacesToDelete);
    return;
  }
  if (Ask(main.hwnd(), kConfirmDeleteFaces) != IDYES) return;
  {
    foundation::ThumbnailDropBatch drops;
    for (int i = 0; i < kCellCount; ++i) {
      const FaceCell& cell = grid.Cell(i);
      if (cell.Selected() && foundation::FileExists(cell.Tag())) foundation::DeleteFace(cell.Tag());
    }
  }
  main.LoadFace(main.CurrentCategory());
}

void AddFace(Frmmain& main) {
  const std::wstring chosen = ChooseOpenFile(main.hwnd(), kAddFaceCaption, kAddFaceFilter);
  if (chosen.empty()) return;
  const std::wstring folder = CategoryFolder(main.CurrentCategory());
  const std::wstring target = folder + L"\\" + foundation::GetFileName(chosen);
  // An existing file is replaced only once its new copy is there, so it is
  // not deleted beforehand (the chosen file may even be that very file).
  if (foundation::FileExists(target) && Ask(main.hwnd(), kFaceExists) != IDYES) return;
  const bool copied = foundation::CopyFaceVerified(main.hwnd(), chosen, folder);
  main.LoadFace(main.CurrentCategory());
  if (copied) {
    RFace();
  } else {
    foundation::ShowMessage(main.hwnd(), kAddFaceFailed, foundation::kMessageTitle, foundation::kBoxWarning);
  }
}

void LoadDir(Frmmain& main) {
  const std::wstring folder = ChooseFolder(main.hwnd(), kChooseImportFolder);
  if (folder.empty()) return;
  const std::vector<std::wstring> files = ListFiles(foundation::WithTrailingBackslash(folder), kImportExtensions);
  if (files.empty()) {
    Inform(main.hwnd(), kNoPicturesInFolder);
    return;
  }
  LoadFile(main, folder, files);
}

}  // namespace editor
