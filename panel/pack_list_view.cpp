#include "panel/pack_list_view.h"

#include "controls/core/units.h"

namespace panel {

namespace {

constexpr int kColumns = 4;

}  // namespace

PackListView::~PackListView() {
  if (images_) ::ImageList_Destroy(images_);
}

bool PackListView::Create(HWND parent, int id, int x, int y, int width, int height, HFONT font, HICON rowIcon) {
  hwnd_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, x, y,
                            width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  if (font) ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  images_ = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  if (images_ && rowIcon) ::ImageList_AddIcon(images_, rowIcon);
  ListView_SetImageList(hwnd_, images_, LVSIL_SMALL);
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  const wchar_t* names[kColumns] = {L"表情名称", L"大小", L"更新日期", L"状态"};
  for (int c = 0; c < kColumns; ++c) {
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<wchar_t*>(names[c]);
    col.cx = controls::RoundHalfEven(client.right * (c == 0 ? 0.35 : 0.20));
    col.iSubItem = c;
    ::SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
  }
  return true;
}

const PackListView::Row* PackListView::RowData(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (!hwnd_ || !::SendMessageW(hwnd_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
  const size_t index = static_cast<size_t>(item.lParam);
  return index < rows_.size() ? &rows_[index] : nullptr;
}

void PackListView::Clear() {
  ::SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  rows_.clear();
}

int PackListView::AddRow(const PackListEntry& entry) {
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = Count();
  item.pszText = const_cast<wchar_t*>(entry.title.c_str());
  item.iImage = 0;
  item.lParam = static_cast<LPARAM>(rows_.size());
  const int row = static_cast<int>(::SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return -1;
  rows_.push_back({entry.archiveName, false});
  const std::wstring* texts[] = {&entry.sizeText, &entry.dateText};
  for (int c = 1; c <= 2; ++c) {
    LVITEMW sub{};
    sub.iSubItem = c;
    sub.pszText = const_cast<wchar_t*>(texts[c - 1]->c_str());
    ::SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
  }
  return row;
}

int PackListView::Count() const {
  return hwnd_ ? static_cast<int>(::SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::wstring PackListView::Key(int row) const {
  const Row* data = RowData(row);
  return data ? data->key : std::wstring();
}

std::wstring PackListView::Text(int row, int column) const {
  wchar_t buffer[512] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = 512;
  ::SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return buffer;
}

void PackListView::SetStatus(int row, const std::wstring& status) {
  LVITEMW sub{};
  sub.iSubItem = 3;
  sub.pszText = const_cast<wchar_t*>(status.c_str());
  ::SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
}

bool PackListView::IsRed(int row) const {
  const Row* data = RowData(row);
  return data && data->red;
}

void PackListView::SetRed(int row) {
  if (Row* data = RowData(row)) data->red = true;
  ::SendMessageW(hwnd_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
}

bool PackListView::IsChecked(int row) const { return ListView_GetCheckState(hwnd_, row) != 0; }

void PackListView::SetChecked(int row, bool checked) { ListView_SetCheckState(hwnd_, row, checked ? TRUE : FALSE); }

void PackListView::Redraw() { ::InvalidateRect(hwnd_, nullptr, TRUE); }

LRESULT PackListView::CustomDraw(NMLVCUSTOMDRAW* draw) const {
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
      const size_t index = static_cast<size_t>(draw->nmcd.lItemlParam);
      if (index < rows_.size() && rows_[index].red) draw->clrText = kPackRowRed;  // all four columns
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

}  // namespace panel
