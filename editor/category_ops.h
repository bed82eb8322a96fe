// "删除分类": deletes the current category's folder with every emoticon in it.
#pragma once

namespace editor {

class Frmmain;

// Asks first; sends nothing to the panel. On failure the platform's reason is
// shown in a box titled "发生错误" and the category list stays as it was.
void DeleteCurrentCategory(Frmmain& main);

}  // namespace editor
