// The pack window's list: a report-view list control with check boxes, four
// columns (name 35 % of the width, size, date and status 20 % each), the
// same small icon in every row, and rows drawn red when their pack is on
// disk, was downloaded or failed. Its parent hands custom-draw notifications
// to CustomDraw.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "panel/core/pack_list.h"

namespace panel {

inline constexpr COLORREF kPackRowRed = RGB(255, 0, 0);  // colour value 255

class PackListView {
 public:
  PackListView() = default;
  PackListView(const PackListView&) = delete;
  PackListView& operator=(const PackListView&) = delete;
  ~PackListView();

  bool Create(HWND parent, int id, int x, int y, int width, int height, HFONT font, HICON rowIcon);
  HWND hwnd() const noexcept { return hwnd_; }

  void Clear();
  // Adds a row for the pack; returns its index.
  int AddRow(const PackListEntry& entry);
  int Count() const;
  // The row's key (its archive name) and its columns' texts.
  std::wstring Key(int row) const;
  std::wstring Text(int row, int column) const;
  std::wstring Status(int row) const { return Text(row, 3); }
  void SetStatus(int row, const std::wstring& status);
  bool IsRed(int row) const;
  void SetRed(int row);
  bool IsChecked(int row) const;
  void SetChecked(int row, bool checked);
  void Redraw();

  // NM_CUSTOMDRAW of the list: red text for red rows.
  LRESULT CustomDraw(NMLVCUSTOMDRAW* draw) const;

 private:
  // What the list itself has no place for; an item's data is its index here.
  struct Row {
    std::wstring key;
    bool red = false;
  };
  const Row* RowData(int row) const;
  Row* RowData(int row) { return const_cast<Row*>(static_cast<const PackListView*>(this)->RowData(row)); }

  HWND hwnd_ = nullptr;
  std::vector<Row> rows_;
  HIMAGELIST images_ = nullptr;
};

}  // namespace panel
