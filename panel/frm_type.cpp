#include "panel/frm_type.h"

#include "foundation/file_ops.h"
#include "foundation/folder_listing.h"
#include "foundation/library_ops.h"
#include "foundation/message_box.h"
#include "panel/core/library_texts.h"
#include "panel/library_maintenance.h"

namespace panel {

void SetListItemHeight(HWND control, int height) {
  wchar_t cls[32] = {};
  ::GetClassNameW(control, cls, 32);
  const std::wstring kind = cls;
  if (kind == L"ListBox")
    ::SendMessageW(control, LB_SETITEMHEIGHT, 0, height);
  else if (kind == L"ComboBox")
    ::SendMessageW(control, CB_SETITEMHEIGHT, 0, height);
  else
    return;
  ::InvalidateRect(control, nullptr, TRUE);
}

FrmType::FrmType(LibraryHost& host) : LibraryDialog(host, L"TarnwickFrmType", kTypeCaption, 250, 280) {}

void FrmType::CreateControls() {
  AddListBox(kDlgList1, 12, 12, 226, 220);
  AddButton(kDlgQQButton1, L"QQButton1", kTypeDelete, 40, 244, [this] { QQButton1_Click(); });
  AddButton(kDlgQQButton4, L"QQButton4", kButtonBack, 135, 244, [this] { Unload(); });
}

void FrmType::Form_Load() {
  SetListItemHeight(::GetDlgItem(hwnd(), kDlgList1), 20);
  GetList();
}

void FrmType::GetList() {
  if (!IsLoaded()) return;
  HWND list = ::GetDlgItem(hwnd(), kDlgList1);
  ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
  // The folders as they are; the default category only when it has one.
  for (const std::wstring& name : foundation::ListSubfolders(host().LibraryRoot()))
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

std::wstring FrmType::SelectedName() const {
  HWND list = ::GetDlgItem(hwnd(), kDlgList1);
  const LRESULT index = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return {};
  std::wstring name(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
  name.resize(static_cast<size_t>(::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data()))));
  return name;
}

void FrmType::QQButton1_Click() {
  const std::wstring name = SelectedName();
  if (name.empty()) return;
  if (Ask(kAskDeleteTypeStart + name + kAskDeleteTypeEnd) != IDYES) return;
  const std::wstring folder = CategoryFolderOf(host(), name);
  if (folder.empty() || !foundation::FolderExists(folder)) {
    Tell(kTypeFolderGone, foundation::kBoxWarning);
  } else {
    std::wstring error;
    if (!foundation::DeleteCategoryFolder(folder, &error))
      Tell(kTypeNotDeleted + error, foundation::kBoxWarning);
    // Also after a deletion that stopped part way: the lists show what is left.
    host().LoadType();
  }
  GetList();
}

}  // namespace panel
