#include "editor/core/pack_paths.h"

namespace editor {

std::wstring AddBackslash(std::wstring_view path) {
  if (path.empty()) return L"\\";
  if (path.back() == L'\\') return std::wstring(path);
  return std::wstring(path) + L'\\';
}

std::wstring LastPathPart(std::wstring_view path) {
  if (path.find(L'\\') == std::wstring_view::npos) return {};
  size_t end = path.size();
  while (end > 0 && path[end - 1] == L'\\') --end;
  const size_t start = path.find_last_of(L'\\', end == 0 ? 0 : end - 1);
  const size_t from = start == std::wstring_view::npos ? 0 : start + 1;
  return std::wstring(path.substr(from, end - from));
}

std::wstring PackNameFromArchive(std::wstring_view archiveFileName) {
  if (archiveFileName.size() <= 4) return {};
  return std::wstring(archiveFileName.substr(0, archiveFileName.size() - 4));
}

std::wstring ChoosePackFolder(const std::vector<std::wstring>& walk) {
  if (walk.empty()) return {};
  return walk.size() > 1 ? walk[1] : walk[0];
}

}  // namespace editor
