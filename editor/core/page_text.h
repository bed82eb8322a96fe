// Paging of the editor's grid: 50 emoticons a page. No windows.
#pragma once
#include <string>

namespace editor {

inline constexpr int kFacesPerPage = 50;

// Pages that hold every file: the count divided by 50, rounded up (0 for none).
int PageCount(int faceCount);

// The page label: "第1页/共1页" while the category has fewer than 50 files,
// else "第<page>页/共<pages>页".
std::wstring PageLabel(int page, int faceCount);

// The file indexes [first, end) shown on a page (empty past the last file).
struct PageSpan {
  int first = 0;
  int end = 0;
};
PageSpan PageFiles(int page, int faceCount);

}  // namespace editor
