// The five library dialogs driven as a user would (typing, clicking, Esc),
// with the library checked on disk afterwards.
#include <gtest/gtest.h>

#include "foundation/core/category_name.h"
#include "foundation/file_ops.h"
#include "foundation/message_box.h"
#include "panel/core/library_texts.h"
#include "panel/library_dialogs.h"
#include "support/host_link.h"
#include "support/message_recorder.h"
#include "test_library.h"

using namespace panel_windows_test;
using testing_support::MessageRecorder;

namespace {

class LibraryDialogsTest : public ::testing::Test {
 protected:
  HWND Item(const panel::LibraryDialog& d, int id) const { return ::GetDlgItem(d.hwnd(), id); }
  void Click(const panel::LibraryDialog& d, int id) { ClickOn(Item(d, id)); }
  void Type(const panel::LibraryDialog& d, int id, const std::wstring& text) {
    ::SetWindowTextW(Item(d, id), L"");
    TypeInto(Item(d, id), text);
  }
  std::vector<std::wstring> ListItems(HWND list) const {
    std::vector<std::wstring> out;
    wchar_t cls[32] = {};
    ::GetClassNameW(list, cls, 32);
    const bool combo = std::wstring(cls) == L"ComboBox";
    const LRESULT n = ::SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      wchar_t buf[256] = {};
      ::SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
      out.push_back(buf);
    }
    return out;
  }
  // The last box shown: its text and style.
  void ExpectLastBox(const std::wstring& text, UINT style) {
    ASSERT_FALSE(boxes_.messages.empty());
    EXPECT_EQ(boxes_.messages.back().text, text);
    EXPECT_EQ(boxes_.messages.back().title, L"提示");
    EXPECT_EQ(boxes_.messages.back().style, style);
  }

  // Categories A and B (folders) besides the default one; the panel shows A.
  void ShowingCategoryA() {
    library_.categories = {L"默认表情", L"A", L"B"};
    library_.combo1 = library_.combo3 = L"A";
    library_.AddFolder(L"A");
    library_.AddFolder(L"B");
  }

  TestLibrary library_;
  MessageRecorder boxes_{IDYES};
  panel::LibraryDialogs dialogs_{library_};
};

}  // namespace

TEST_F(LibraryDialogsTest, NewTypeAddsNestedCategoriesAndRefusesNamesOutsideTheLibrary) {
  panel::FrmNewType& d = dialogs_.NewType();
  d.Show();
  ASSERT_TRUE(d.IsLoaded());
  EXPECT_EQ(WindowText(d.hwnd()), panel::kNewTypeCaption);
  EXPECT_EQ(::GetFocus(), Item(d, panel::kDlgText1));

  Type(d, panel::kDlgText1, L"   ");
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kEnterNewTypeName, foundation::kBoxStop);
  EXPECT_EQ(WindowText(Item(d, panel::kDlgText1)), L"");

  for (const wchar_t* bad :
       {L"..\\逃出", L"C:\\逃出", L"\\逃出", L"a|b", L"x\\..\\..\\逃出", L"CON", L"x ", L"x.", L"x.\\y"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(bad)));
    Type(d, panel::kDlgText1, bad);
    Click(d, panel::kDlgQQButton1);
    ExpectLastBox(foundation::kInvalidCategoryNameMessage, foundation::kBoxWarning);
  }
  EXPECT_FALSE(library_.HasFolder(L"..\\逃出"));
  EXPECT_FALSE(library_.HasFolder(L"x"));
  EXPECT_TRUE(library_.reloads.empty());

  // Two dots inside a name are a name like any other.
  Type(d, panel::kDlgText1, L"a..b");
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kTypeAdded, foundation::kBoxInfo);
  EXPECT_TRUE(library_.HasFolder(L"a..b"));
  library_.reloads.clear();
  d.Show();

  library_.AddFolder(L"猫");
  Type(d, panel::kDlgText1, L"猫");
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kTypeExists, foundation::kBoxWarning);
  EXPECT_EQ(WindowText(Item(d, panel::kDlgText1)), L"");

  // Nothing is made inside a category that is a link.
  testing_support::HostLink link(library_.PathOf(L"链接"), library_.Outside());
  ASSERT_TRUE(link.ok());
  Type(d, panel::kDlgText1, L"链接\\y");
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kTypeNotCreated, foundation::kBoxStop);
  EXPECT_FALSE(foundation::FolderExists(library_.Outside() + L"\\y"));

  Type(d, panel::kDlgText1, L"x\\y");
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kTypeAdded, foundation::kBoxInfo);
  EXPECT_TRUE(library_.HasFolder(L"x\\y"));
  EXPECT_EQ(library_.reloads, std::vector<std::wstring>{L"LoadType"});
  EXPECT_FALSE(d.IsLoaded());

  // Esc closes it from the text box; "取消" too.
  d.Show();
  PressEscapeOn(Item(d, panel::kDlgText1));
  EXPECT_FALSE(d.IsLoaded());
  d.Show();
  Click(d, panel::kDlgQQButton2);
  EXPECT_FALSE(d.IsLoaded());
}

TEST_F(LibraryDialogsTest, TypeDeletesAfterTheQuestionAndReportsWhatCouldNotGo) {
  library_.AddFolder(L"A");
  library_.AddFile(L"A\\a.gif");
  library_.AddFolder(L"B");
  library_.AddFile(L"B\\b.gif");
  library_.AddFolder(L"C");
  panel::FrmType& d = dialogs_.Type();
  d.Show();
  HWND list = Item(d, panel::kDlgList1);
  EXPECT_EQ(ListItems(list), (std::vector<std::wstring>{L"A", L"B", L"C"}));
  EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 20);

  Click(d, panel::kDlgQQButton1);  // nothing selected
  EXPECT_TRUE(boxes_.messages.empty());

  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
  boxes_.Script({IDNO});
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(L"确定要删除表情分类: A 以及下面的所有表情吗？ ", foundation::kBoxQuestion);
  EXPECT_TRUE(library_.HasFile(L"A\\a.gif"));

  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
  Click(d, panel::kDlgQQButton1);
  EXPECT_FALSE(library_.HasFolder(L"A"));
  EXPECT_EQ(ListItems(list), (std::vector<std::wstring>{L"B", L"C"}));
  EXPECT_EQ(library_.reloads, std::vector<std::wstring>{L"LoadType"});
  EXPECT_TRUE(d.IsLoaded());

  {
    // A file in use stops the deletion: reported, the category stays listed.
    LockedFile locked(library_.PathOf(L"B\\b.gif"));
    ASSERT_TRUE(locked.ok());
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    Click(d, panel::kDlgQQButton1);
    ASSERT_FALSE(boxes_.messages.empty());
    EXPECT_EQ(boxes_.messages.back().text.rfind(panel::kTypeNotDeleted, 0), 0u) << boxes_.messages.back().text;
    EXPECT_GT(boxes_.messages.back().text.size(), std::wstring(panel::kTypeNotDeleted).size());
    EXPECT_EQ(boxes_.messages.back().style, foundation::kBoxWarning);
    EXPECT_TRUE(library_.HasFile(L"B\\b.gif"));
    EXPECT_EQ(ListItems(list), (std::vector<std::wstring>{L"B", L"C"}));
    EXPECT_EQ(library_.reloads.size(), 2u);
  }

  // A folder that vanished meanwhile.
  ::SendMessageW(list, LB_SETCURSEL, 1, 0);
  ::RemoveDirectoryW(library_.PathOf(L"C").c_str());
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kTypeFolderGone, foundation::kBoxWarning);
  EXPECT_EQ(ListItems(list), std::vector<std::wstring>{L"B"});

  PressEscapeOn(list);
  EXPECT_FALSE(d.IsLoaded());
}

TEST_F(LibraryDialogsTest, TypeDeletesALinkAsALinkAndFoldersWhateverTheirNames) {
  library_.AddFolder(L"x");
  library_.AddFile(L"x\\keep.gif", "x");
  for (const wchar_t* name : {L"x.", L"a..b"}) {
    library_.AddFolder(name);
    library_.AddFile(std::wstring(name) + L"\\f.gif");
  }
  testing_support::WriteFileBytes(library_.Outside() + L"\\there.gif", "there");
  testing_support::HostLink link(library_.PathOf(L"链接"), library_.Outside());
  ASSERT_TRUE(link.ok());
  panel::FrmType& d = dialogs_.Type();
  d.Show();
  HWND list = Item(d, panel::kDlgList1);
  auto remove = [&](const std::wstring& name) {
    const LRESULT index = ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_NE(index, LB_ERR) << testing::PrintToString(name);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    boxes_.messages.clear();
    Click(d, panel::kDlgQQButton1);
    ASSERT_FALSE(boxes_.messages.empty());
    EXPECT_EQ(boxes_.messages.front().text, panel::kAskDeleteTypeStart + name + panel::kAskDeleteTypeEnd);
  };

  // A folder whose name the system would trim, and one with two dots inside.
  remove(L"x.");
  remove(L"a..b");
  EXPECT_EQ(boxes_.messages.size(), 1u);  // the question only
  EXPECT_FALSE(library_.HasFolder(L"x."));
  EXPECT_FALSE(library_.HasFolder(L"a..b"));
  EXPECT_EQ(library_.Content(L"x\\keep.gif"), "x");

  // The link goes as a link where the system can take it away (Windows);
  // Wine 8 follows it and refuses, which is said. Its target stays whole.
  remove(L"链接");
  EXPECT_EQ(testing_support::ReadFileBytes(library_.Outside() + L"\\there.gif"), "there");
  const bool linkGone = !library_.HasFolder(L"链接");
  ASSERT_FALSE(boxes_.messages.empty());
  EXPECT_EQ(boxes_.messages.back().style, linkGone ? foundation::kBoxQuestion : foundation::kBoxWarning);
  if (!linkGone) {
    EXPECT_EQ(boxes_.messages.back().text.rfind(panel::kTypeNotDeleted, 0), 0u);
  }
  EXPECT_EQ(ListItems(list), linkGone ? std::vector<std::wstring>{L"x"} : (std::vector<std::wstring>{L"x", L"链接"}));
}

TEST_F(LibraryDialogsTest, EditTypeRenamesOnlyToAFreeNameInsideTheLibrary) {
  library_.AddFolder(L"Old");
  library_.AddFile(L"Old\\o.gif");
  library_.AddFolder(L"Other");
  dialogs_.Type().Show();
  panel::FrmEditType& d = dialogs_.EditType();
  d.ShowFor(L"Old");
  ASSERT_TRUE(d.IsLoaded());
  EXPECT_EQ(WindowText(d.hwnd()), panel::kEditTypeCaption);
  EXPECT_EQ(WindowText(Item(d, panel::kDlgText1)), L"Old");

  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kEnterNewName, foundation::kBoxStop);
  EXPECT_TRUE(d.IsLoaded());

  for (const wchar_t* bad : {L"..\\Old2", L"Old2.", L"Old2 "}) {
    Type(d, panel::kDlgText2, bad);
    Click(d, panel::kDlgQQButton1);
    ExpectLastBox(foundation::kInvalidCategoryNameMessage, foundation::kBoxWarning);
  }
  EXPECT_TRUE(library_.HasFile(L"Old\\o.gif"));

  Type(d, panel::kDlgText2, L"Other");
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kTypeExists, foundation::kBoxWarning);
  EXPECT_TRUE(library_.HasFile(L"Old\\o.gif"));
  EXPECT_FALSE(library_.HasFile(L"Other\\o.gif"));

  Type(d, panel::kDlgText2, L"New");
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kTypeRenamed, foundation::kBoxInfo);
  EXPECT_TRUE(library_.HasFile(L"New\\o.gif"));
  EXPECT_FALSE(library_.HasFolder(L"Old"));
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(ListItems(Item(dialogs_.Type(), panel::kDlgList1)), (std::vector<std::wstring>{L"New", L"Other"}));
  EXPECT_EQ(library_.reloads, std::vector<std::wstring>{L"LoadType"});

  d.ShowFor(L"Gone");
  Type(d, panel::kDlgText2, L"X");
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kTypeFolderMissing, foundation::kBoxWarning);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_FALSE(library_.HasFolder(L"X"));
}

TEST_F(LibraryDialogsTest, CopyOffersTheOtherCategoriesAndReportsTheRealOutcome) {
  ShowingCategoryA();
  library_.AddFile(L"A\\f.gif", "f");
  library_.currentFace = library_.PathOf(L"A\\f.gif");
  panel::FrmCopy& d = dialogs_.Copy();
  d.Show();
  HWND combo = Item(d, panel::kDlgCombo1);
  EXPECT_EQ(ListItems(combo), (std::vector<std::wstring>{L"默认表情", L"B"}));
  EXPECT_EQ(WindowText(combo), L"默认表情");

  // Into the default category, which has no folder yet.
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kCopied, foundation::kBoxInfo);
  EXPECT_EQ(library_.Content(L"默认表情\\f.gif"), "f");
  EXPECT_EQ(library_.Content(L"A\\f.gif"), "f");
  EXPECT_EQ(library_.reloads, (std::vector<std::wstring>{L"LoadFace2:A", L"LoadFace:A"}));
  EXPECT_FALSE(d.IsLoaded());

  // A folder in the way of the copy: a failure, said so.
  library_.AddFolder(L"B\\f.gif");
  d.Show();
  ::SendMessageW(Item(d, panel::kDlgCombo1), CB_SETCURSEL, 1, 0);
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kNotCopied, foundation::kBoxWarning);
  EXPECT_TRUE(library_.HasFolder(L"B\\f.gif"));

  // Open twice: brought to the front, the list built once.
  library_.combo3 = L"默认表情";
  d.Show();
  library_.categories.push_back(L"C");
  d.Show();
  EXPECT_EQ(ListItems(Item(d, panel::kDlgCombo1)), (std::vector<std::wstring>{L"A", L"B"}));
  PressEscapeOn(Item(d, panel::kDlgCombo1));
  EXPECT_FALSE(d.IsLoaded());

  // The emoticon gone before "确定" (none pressed, or deleted meanwhile):
  // said; not even the default category's folder is made.
  ::DeleteFileW(library_.PathOf(L"默认表情\\f.gif").c_str());
  ::RemoveDirectoryW(library_.PathOf(L"默认表情").c_str());
  library_.reloads.clear();
  library_.combo3 = L"B";
  for (const std::wstring& gone : {std::wstring(), library_.PathOf(L"A\\gone.gif")}) {
    library_.currentFace = gone;
    d.Show();
    EXPECT_EQ(WindowText(Item(d, panel::kDlgCombo1)), L"默认表情");
    Click(d, panel::kDlgQQButton1);
    ExpectLastBox(panel::kSelectFaceToCopy, foundation::kBoxInfo);
    EXPECT_TRUE(d.IsLoaded());
    PressEscapeOn(Item(d, panel::kDlgCombo1));
  }
  EXPECT_TRUE(library_.reloads.empty());
  EXPECT_FALSE(library_.HasFolder(L"默认表情"));

  // No other category: refused, nothing lands in the library folder itself.
  library_.categories = {L"A"};
  library_.combo3 = L"A";
  d.Show();
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kNoTargetType, foundation::kBoxWarning);
  EXPECT_FALSE(library_.HasFile(L"f.gif"));
}

TEST_F(LibraryDialogsTest, MoveDeletesTheSourceOnlyAfterAVerifiedCopy) {
  ShowingCategoryA();
  library_.AddFile(L"A\\g.gif", "g");
  library_.AddFile(L"A\\h.gif", "h");
  library_.AddFile(L"A\\k.gif", "k");
  panel::FrmMove& d = dialogs_.Move();
  auto moveTo = [&](const std::wstring& file, int targetIndex) {
    library_.currentFace = library_.PathOf(L"A\\" + file);
    d.Show();
    EXPECT_EQ(WindowText(d.hwnd()), panel::kMoveCaption);
    ::SendMessageW(Item(d, panel::kDlgCombo1), CB_SETCURSEL, targetIndex, 0);
    Click(d, panel::kDlgQQButton1);
    EXPECT_FALSE(d.IsLoaded());
  };

  moveTo(L"g.gif", 1);
  ExpectLastBox(panel::kMoved, foundation::kBoxInfo);
  EXPECT_EQ(library_.Content(L"B\\g.gif"), "g");
  EXPECT_FALSE(library_.HasFile(L"A\\g.gif"));

  library_.AddFolder(L"B\\h.gif");
  moveTo(L"h.gif", 1);
  ExpectLastBox(panel::kNotMoved, foundation::kBoxWarning);
  EXPECT_EQ(library_.Content(L"A\\h.gif"), "h");

  {
    LockedFile locked(library_.PathOf(L"A\\k.gif"));
    ASSERT_TRUE(locked.ok());
    moveTo(L"k.gif", 1);
    ExpectLastBox(panel::kMovedButSourceKept, foundation::kBoxWarning);
  }
  EXPECT_EQ(library_.Content(L"B\\k.gif"), "k");
  EXPECT_EQ(library_.Content(L"A\\k.gif"), "k");

  // The emoticon deleted while the dialog was open: said, nothing moved.
  library_.reloads.clear();
  library_.currentFace = library_.PathOf(L"A\\g.gif");
  d.Show();
  Click(d, panel::kDlgQQButton1);
  ExpectLastBox(panel::kSelectFaceToMove, foundation::kBoxInfo);
  EXPECT_TRUE(d.IsLoaded());
  EXPECT_TRUE(library_.reloads.empty());
  EXPECT_EQ(library_.Content(L"B\\g.gif"), "g");
}

TEST_F(LibraryDialogsTest, CopyAndMoveReplaceASameNamedEmoticonOnlyAfterYes) {
  ShowingCategoryA();
  library_.AddFile(L"A\\1.gif", "new");
  library_.AddFile(L"B\\1.gif", "old");
  library_.currentFace = library_.PathOf(L"A\\1.gif");
  // Into "B", answering the question that names the file.
  auto transferTo = [&](panel::LibraryDialog& d, int answer) {
    boxes_.messages.clear();
    library_.reloads.clear();
    boxes_.Script({answer});
    d.Show();
    ::SendMessageW(Item(d, panel::kDlgCombo1), CB_SETCURSEL, 1, 0);
    Click(d, panel::kDlgQQButton1);
    EXPECT_FALSE(d.IsLoaded());
    ASSERT_EQ(boxes_.messages.size(), 2u);
    EXPECT_EQ(boxes_.messages.front().text, L"目标分类中已经存在同名的表情 1.gif,是否替换？");
    EXPECT_EQ(boxes_.messages.front().style, foundation::kBoxQuestion);
  };

  transferTo(dialogs_.Copy(), IDNO);
  ExpectLastBox(L"表情 1.gif 与目标分类中的表情同名,没有复制！", foundation::kBoxInfo);
  EXPECT_EQ(library_.Content(L"B\\1.gif"), "old");
  EXPECT_TRUE(library_.reloads.empty());
  transferTo(dialogs_.Copy(), IDYES);
  ExpectLastBox(panel::kCopied, foundation::kBoxInfo);
  EXPECT_EQ(library_.Content(L"B\\1.gif"), "new");
  EXPECT_EQ(library_.reloads.size(), 2u);

  library_.AddFile(L"B\\1.gif", "old");
  transferTo(dialogs_.Move(), IDNO);
  ExpectLastBox(L"表情 1.gif 与目标分类中的表情同名,没有移动,仍保留在原分类中！", foundation::kBoxInfo);
  EXPECT_EQ(library_.Content(L"A\\1.gif"), "new");
  EXPECT_EQ(library_.Content(L"B\\1.gif"), "old");
  EXPECT_TRUE(library_.reloads.empty());
  transferTo(dialogs_.Move(), IDYES);
  ExpectLastBox(panel::kMoved, foundation::kBoxInfo);
  EXPECT_FALSE(library_.HasFile(L"A\\1.gif"));
  EXPECT_EQ(library_.Content(L"B\\1.gif"), "new");
  EXPECT_EQ(library_.reloads.size(), 2u);
}
