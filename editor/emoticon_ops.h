// The operations on single emoticons started from the main window's buttons:
// delete the selected ones, add one file, import a folder's pictures.
#pragma once

namespace editor {

class Frmmain;

// "删除表情": deletes the selected cells' files after a question; sends nothing.
void KillFace(Frmmain& main);
// "添加表情": copies one chosen picture file into the current category.
void AddFace(Frmmain& main);
// "导入表情": copies every GIF, BMP and JPEG file of a chosen folder into the
// current category, replacing files of the same name without asking.
void LoadDir(Frmmain& main);

}  // namespace editor
