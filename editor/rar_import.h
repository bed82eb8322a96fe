// "导入RAR": imports an emoticon pack delivered as a RAR archive as a new
// category. The archive is unpacked in a work folder of its own; the user
// names the category in FrmAddRar, which copies the pack's pictures.
#pragma once
#include <string>
#include <vector>

namespace editor {

class Frmmain;

void ImportRarPack(Frmmain& main);

// The folders under root, breadth first: root itself, then its sub-folders
// (each folder's by name), then theirs.
std::vector<std::wstring> GetDir(const std::wstring& root);

}  // namespace editor
