// What the text-symbol page shows: the symbol of an entry, its shortened
// form for a cell, the entries of one page and the page label. No windows here.
#pragma once
#include <string>
#include <vector>

#include "panel/core/page_math.h"

namespace panel {

// A symbol entry is its text, this marker and its description.
inline constexpr wchar_t kSymbolSplit[] = L"|Split|";

// Symbol texts longer than this are cut for their cell ...
inline constexpr size_t kSymbolShownMax = 12;
// ... to this many characters followed by "...".
inline constexpr size_t kSymbolShownKept = 9;

// The part of an entry before its first marker; the whole entry without one.
std::wstring SymbolText(const std::wstring& entry);

// What a cell shows of a symbol's text. A cut never splits a surrogate pair.
std::wstring ShownSymbolText(const std::wstring& text);

// The entries of a 1-based page of a category's list, 40 at most, ending at
// the list's first empty entry (the end marker). A page outside the list is empty.
std::vector<std::wstring> SymbolPageEntries(const std::vector<std::wstring>& list, int page);

// "第<page>页/共<pages>页" for a category of rowCount symbols.
std::wstring SymbolPageLabel(int page, int rowCount);

// Top-left corners of the 40 symbol cells in twips, two to a row.
struct SymbolCellPlace {
  int left, top;
};
inline constexpr int kSymbolCellWidthTwips = 1635;
inline constexpr int kSymbolCellHeightTwips = 345;
inline constexpr int kSymbolContentWidthTwips = 3320;
inline constexpr int kSymbolContentHeightTwips = 7215;
SymbolCellPlace SymbolCellTwips(int index);

}  // namespace panel
