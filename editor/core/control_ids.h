// Child-window ids of the editor's windows (tests reach the controls by them).
#pragma once

namespace editor {

// The main window.
enum MainControlId : int {
  kIdAddCategory = 201,   // QQButton1 .. QQButton9, in this order
  kIdDeleteCategory = 202,
  kIdExit = 203,
  kIdCopyFaces = 204,
  kIdMoveFaces = 205,
  kIdDeleteFaces = 206,
  kIdAddFace = 207,
  kIdImportFolder = 208,
  kIdImportRar = 209,
  kIdPreviousPage = 211,  // Command1
  kIdNextPage = 212,      // Command2
  kIdSelectAll = 221,     // Label1
  kIdPageLabel = 222,     // Label2
  kIdSelectNone = 223,    // Label3
  kIdGridBox = 231,       // Box1
  kIdGrid = 232,          // Picture1: its children are the cells
  kIdStripBox = 233,      // Box2
  kIdStrip = 234,         // Picture2: its children are the category buttons
  kIdStripScroll = 235,   // xp_VScrollBar1
  kIdFirstCell = 300,     // PicF(i) is kIdFirstCell + i; its window text is its Tag
  kIdFirstCategory = 500, // TypeList(i) is kIdFirstCategory + i; its window text is its caption
};

// The dialogs.
enum DialogControlId : int {
  kIdDialogLabel = 101,
  kIdDialogText1 = 102,     // the name box, or the target list of copy and move
  kIdDialogText2 = 103,     // the pack folder (pack import)
  kIdDialogFileList = 104,  // the pack's pictures (pack import)
  kIdDialogOk = 110,
  kIdDialogCancel = 111,
};

}  // namespace editor
