#include "editor/core/page_text.h"

#include <algorithm>

namespace editor {

int PageCount(int faceCount) { return faceCount <= 0 ? 0 : (faceCount + kFacesPerPage - 1) / kFacesPerPage; }

std::wstring PageLabel(int page, int faceCount) {
  if (faceCount < kFacesPerPage) return L"第1页/共1页";
  return L"第" + std::to_wstring(page) + L"页/共" + std::to_wstring(PageCount(faceCount)) + L"页";
}

PageSpan PageFiles(int page, int faceCount) {
  if (page < 1 || faceCount <= 0) return {};
  const long long first = static_cast<long long>(page - 1) * kFacesPerPage;
  if (first >= faceCount) return {};
  return {static_cast<int>(first), std::min(faceCount, static_cast<int>(first) + kFacesPerPage)};
}

}  // namespace editor
