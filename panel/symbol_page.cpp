#include "panel/symbol_page.h"

#include "foundation/chat_windows.h"
#include "foundation/mod_data.h"
#include "foundation/ole_color.h"
#include "panel/core/symbol_pages.h"
#include "panel/picture_clipboard.h"
#include "panel/send_to_chat.h"

namespace panel {
namespace {

constexpr COLORREF kContainerColor = RGB(0xE0, 0xE0, 0xE0);
constexpr int kLabelLeft = 6, kLabelTop = 6, kLabelWidth = 120, kLabelHeight = 16;

}  // namespace

void SymbolPage::Create(const Places& places, const controls::AmbientProperties& ambient) {
  owner_ = places.owner;
  combo_ = places.combo;
  scroll_ = places.scroll;
  strip_ = places.statusStrip;
  font_.reset(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));

  GridLook look;
  look.cellWidth = TwipsToPixels(kSymbolCellWidthTwips);
  look.cellHeight = TwipsToPixels(kSymbolCellHeightTwips);
  look.className = L"TarnwickSymbolGrid";
  look.id = kIdPicT;
  look.activatesPanel = false;
  const int contentHeight = TwipsToPixels(kSymbolContentHeightTwips);
  picT_.Create(places.viewport, 0, 0, TwipsToPixels(kSymbolContentWidthTwips), contentHeight, kContainerColor, look);
  std::vector<POINT> corners;
  for (int k = 0; k < kSymbolsPerPage; ++k) {
    const SymbolCellPlace p = SymbolCellTwips(k);
    corners.push_back({TwipsToPixels(p.left), TwipsToPixels(p.top)});
  }
  picT_.SetCells(corners, contentHeight);
  picT_.CellMouseDown = [this](int i, int16_t b) { PicT_MouseDown(i, b); };
  picT_.CellMouseMove = [this](int i) { picT_.SetFramedCell(i); };

  label5_ = ::CreateWindowExW(0, L"STATIC", L"第1页/共1页", WS_CHILD | WS_VISIBLE | SS_LEFT, kLabelLeft, kLabelTop,
                              kLabelWidth, kLabelHeight, strip_->hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdLabel5)), ::GetModuleHandleW(nullptr),
                              nullptr);
  ::SendMessageW(label5_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);

  buttons_.Create(strip_->hwnd(), places.statusWidth, ambient, kIdCommand1, kIdCommand4);
  buttons_.previous->Click = [this] { Command1_Click(); };
  buttons_.next->Click = [this] { Command4_Click(); };
  if (scroll_) scroll_->Change = scroll_->Scroll = [this] { picT_.SetTop(-scroll_->GetValue()); };
}

void SymbolPage::Layout(int statusWidth) { buttons_.Layout(statusWidth); }

HBRUSH SymbolPage::LabelBackground(HWND control, HDC dc) {
  if (control != label5_ || !label5_) return nullptr;
  const COLORREF color = foundation::OleColorToRgb(strip_->GetBackColor());
  if (!labelBrush_ || color != labelBrushColor_) {
    labelBrush_.reset(::CreateSolidBrush(color));
    labelBrushColor_ = color;
  }
  ::SetBkColor(dc, color);
  return labelBrush_.get();
}

void SymbolPage::ResetPages() {
  for (SymbolList& list : lists_) list.page = 1;
}

void SymbolPage::LoadAllCategories() {
  for (int c = 0; c < kSymbolCategories; ++c) QueryCategory(c, true);
}

bool SymbolPage::QueryCategory(int category, bool keepWhenEmpty) {
  foundation::SqlText = L"select  * from FHList where type='" + std::to_wstring(category + 1) + L"'";
  auto rs = foundation::OpenRecordset(foundation::DBConnection, foundation::SqlText);
  if (!rs) return false;  // no database: the list stays as it was
  foundation::DBRecordset = std::move(*rs);
  const long n = foundation::DBRecordset.RecordCount();
  if (n > 0 || !keepWhenEmpty) {
    SymbolList& list = lists_[static_cast<size_t>(category)];
    list.count = n;
    list.entries.assign(static_cast<size_t>(n) + 1, L"");
    for (size_t i = 0; !foundation::DBRecordset.EndOfRows(); foundation::DBRecordset.MoveNext(), ++i)
      list.entries[i] = foundation::DBRecordset.Field(L"text").value_or(L"") + kSymbolSplit +
                        foundation::DBRecordset.Field(L"desc").value_or(L"");
  }
  foundation::DBRecordset.Close();
  return true;
}

int SymbolPage::SelectedCategory() const {
  const LRESULT k = ::SendMessageW(combo_, CB_GETCURSEL, 0, 0);
  return k >= 0 && k < kSymbolCategories ? static_cast<int>(k) : -1;
}

void SymbolPage::Combo2_Click() {
  const int k = SelectedCategory();
  if (k < 0) return;
  QueryCategory(k, false);
  lists_[static_cast<size_t>(k)].page = 1;
  ShowPage2(1);
}

void SymbolPage::ShowPage2(int page) {
  const int k = SelectedCategory();
  if (k < 0) return;
  const SymbolList& list = lists_[static_cast<size_t>(k)];
  picT_.SetTop(0);
  if (scroll_) scroll_->SetValue(0);
  picT_.ClearAll();
  if (list.count < 1) return;  // the label keeps its text
  const std::vector<std::wstring> entries = SymbolPageEntries(list.entries, page);
  for (size_t j = 0; j < entries.size(); ++j) {
    const int cell = static_cast<int>(j);
    picT_.DrawCellText(cell, ShownSymbolText(SymbolText(entries[j])), font_.get());
    picT_.SetTag(cell, entries[j]);
  }
  ::SetWindowTextW(label5_, SymbolPageLabel(page, static_cast<int>(list.count)).c_str());
}

void SymbolPage::Command1_Click() {
  const int k = SelectedCategory();
  if (k < 0) return;
  SymbolList& list = lists_[static_cast<size_t>(k)];
  if (list.page > 1) ShowPage2(--list.page);
}

void SymbolPage::Command4_Click() {
  const int k = SelectedCategory();
  if (k < 0) return;
  SymbolList& list = lists_[static_cast<size_t>(k)];
  // Pages round up, so the last symbols of a category are always reachable.
  if (list.page < PageCount(static_cast<int>(list.count), kSymbolsPerPage)) ShowPage2(++list.page);
}

void SymbolPage::PicT_MouseDown(int index, int16_t button) {
  const std::wstring entry = picT_.Tag(index);  // a copy: the paste pumps messages
  // A blank cell holds nothing; a chat window that is gone would let the keys
  // reach whatever window is active.
  HWND chat = foundation::ChatWindowHandle;
  if (entry.empty() || !chat || !::IsWindow(chat)) return;
  if (!CopyTextToClipboard(owner_, SymbolText(entry))) return;
  if (PasteIntoChat(chat) && button == 2) ClickSendButton(chat);
}

}  // namespace panel
