#include "panel/core/symbol_pages.h"

#include <array>

namespace panel {

std::wstring SymbolText(const std::wstring& entry) {
  const size_t at = entry.find(kSymbolSplit);
  return at == std::wstring::npos ? entry : entry.substr(0, at);
}

std::wstring ShownSymbolText(const std::wstring& text) {
  if (text.size() <= kSymbolShownMax) return text;
  size_t kept = kSymbolShownKept;
  if (text[kept - 1] >= 0xD800 && text[kept - 1] <= 0xDBFF) --kept;  // keep a pair whole or not at all
  return text.substr(0, kept) + L"...";
}

std::vector<std::wstring> SymbolPageEntries(const std::vector<std::wstring>& list, int page) {
  std::vector<std::wstring> out;
  if (page < 1) return out;
  const size_t first = static_cast<size_t>(page - 1) * kSymbolsPerPage;
  for (size_t i = first; i < list.size() && i < first + kSymbolsPerPage; ++i) {
    if (list[i].empty()) break;
    out.push_back(list[i]);
  }
  return out;
}

std::wstring SymbolPageLabel(int page, int rowCount) {
  return L"第" + std::to_wstring(page) + L"页/共" + std::to_wstring(PageCount(rowCount, kSymbolsPerPage)) + L"页";
}

SymbolCellPlace SymbolCellTwips(int index) {
  // The design's row tops; the first five rows sit 5 twips further left.
  static constexpr std::array<int, 20> kRowTops{10,   380,  740,  1100, 1450, 1810, 2180, 2540, 2900, 3250,
                                                3620, 3980, 4340, 4700, 5060, 5420, 5780, 6140, 6500, 6860};
  const int row = index / 2, column = index % 2;
  if (index < 0 || row >= static_cast<int>(kRowTops.size())) return {0, 0};
  const int left = (row < 5 ? 10 : 15) + column * 1650;
  return {left, kRowTops[static_cast<size_t>(row)]};
}

}  // namespace panel
