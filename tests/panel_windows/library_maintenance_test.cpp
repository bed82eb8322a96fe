// Adding, deleting and importing emoticons with the panel's own commands, the
// file and folder choices answered by the test.
#include <gtest/gtest.h>

#include "foundation/message_box.h"
#include "panel/core/library_texts.h"
#include "panel/library_maintenance.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"
#include "test_library.h"

using namespace panel_windows_test;
using testing_support::MessageRecorder;

namespace {

class LibraryMaintenanceTest : public ::testing::Test {
 protected:
  LibraryMaintenanceTest() {
    library_.AddFolder(L"A");
    library_.combo1 = library_.combo3 = L"A";
    panel::LibraryPrompts prompts;
    prompts.pickPicture = [this](HWND) { return chosenFile_; };
    prompts.pickFolder = [this](HWND, const std::wstring& title) {
      folderTitle_ = title;
      return chosenFolder_;
    };
    maintenance_ = std::make_unique<panel::LibraryMaintenance>(library_, prompts);
  }
  std::wstring Outside(const std::wstring& name, const std::string& content) {
    testing_support::WriteFileBytes(library_.Outside() + L"\\" + name, content);
    return library_.Outside() + L"\\" + name;
  }
  std::vector<std::wstring> Texts() const { return boxes_.Texts(); }

  TestLibrary library_;
  MessageRecorder boxes_{IDYES};
  std::wstring chosenFile_, chosenFolder_, folderTitle_;
  std::unique_ptr<panel::LibraryMaintenance> maintenance_;
};

}  // namespace

TEST_F(LibraryMaintenanceTest, AddFaceCopiesIntoTheCurrentCategoryAndAsksBeforeReplacing) {
  maintenance_->AddFace();  // cancelled
  EXPECT_TRUE(library_.reloads.empty());

  chosenFile_ = Outside(L"p.gif", "first");
  maintenance_->AddFace();
  EXPECT_EQ(library_.Content(L"A\\p.gif"), "first");
  EXPECT_EQ(library_.reloads, (std::vector<std::wstring>{L"LoadFace2:A", L"LoadFace:A"}));
  EXPECT_TRUE(Texts().empty());

  chosenFile_ = Outside(L"p.gif", "second");
  library_.reloads.clear();
  boxes_.Script({IDNO});
  maintenance_->AddFace();
  EXPECT_EQ(Texts(), std::vector<std::wstring>{panel::kAskReplaceFace});
  EXPECT_EQ(boxes_.messages.back().style, foundation::kBoxQuestion);
  EXPECT_EQ(library_.Content(L"A\\p.gif"), "first");
  EXPECT_TRUE(library_.reloads.empty());

  maintenance_->AddFace();  // Yes
  EXPECT_EQ(library_.Content(L"A\\p.gif"), "second");
  EXPECT_EQ(library_.reloads.size(), 2u);

  // The default category is listed without a folder: adding makes it.
  library_.combo3 = L"默认表情";
  maintenance_->AddFace();
  EXPECT_EQ(library_.Content(L"默认表情\\p.gif"), "second");
}

TEST_F(LibraryMaintenanceTest, KillFaceAsksAndReportsAFileThatCannotGo) {
  maintenance_->KillFace();  // nothing pressed yet
  EXPECT_TRUE(Texts().empty());
  EXPECT_TRUE(library_.reloads.empty());

  library_.AddFile(L"A\\k.gif");
  library_.currentFace = library_.PathOf(L"A\\k.gif");
  boxes_.Script({IDNO});
  maintenance_->KillFace();
  EXPECT_EQ(Texts(), std::vector<std::wstring>{panel::kAskDeleteFace});
  EXPECT_TRUE(library_.HasFile(L"A\\k.gif"));

  {
    LockedFile locked(library_.currentFace);
    ASSERT_TRUE(locked.ok());
    maintenance_->KillFace();
    EXPECT_EQ(Texts().back(), panel::kFaceNotDeleted);
    EXPECT_EQ(boxes_.messages.back().style, foundation::kBoxWarning);
    EXPECT_TRUE(library_.HasFile(L"A\\k.gif"));
  }
  library_.reloads.clear();
  maintenance_->KillFace();
  EXPECT_FALSE(library_.HasFile(L"A\\k.gif"));
  EXPECT_EQ(Texts().back(), panel::kAskDeleteFace);
  EXPECT_EQ(library_.reloads, (std::vector<std::wstring>{L"LoadFace:A", L"LoadFace2:A"}));
}

TEST_F(LibraryMaintenanceTest, LoadDirImportsGifBmpAndJpgOnlyAndCountsFailures) {
  maintenance_->LoadDir();  // cancelled
  EXPECT_EQ(folderTitle_, panel::kChooseImportFolder);
  EXPECT_TRUE(Texts().empty());

  chosenFolder_ = library_.Outside();
  for (const wchar_t* name : {L"a.GIF", L"b.jpeg", L"c.png", L"d", L"e.bmp", L"f.Jpg"}) Outside(name, "x");
  library_.AddFile(L"A\\e.bmp", "old");
  library_.combo1 = L"B";
  maintenance_->LoadDir();
  EXPECT_TRUE(library_.HasFile(L"A\\a.GIF"));
  EXPECT_EQ(library_.Content(L"A\\e.bmp"), "x");  // replaced without asking
  EXPECT_TRUE(library_.HasFile(L"A\\f.Jpg"));
  for (const wchar_t* skipped : {L"A\\b.jpeg", L"A\\c.png", L"A\\d"}) EXPECT_FALSE(library_.HasFile(skipped));
  EXPECT_EQ(Texts(), std::vector<std::wstring>{panel::kImportDone});
  EXPECT_EQ(boxes_.messages.back().style, foundation::kBoxInfo);
  EXPECT_EQ(library_.reloads, (std::vector<std::wstring>{L"LoadFace2:A", L"LoadFace:B"}));

  // A folder in the way of one file: the others arrive, the report says one failed.
  ::DeleteFileW(library_.PathOf(L"A\\a.GIF").c_str());
  library_.AddFolder(L"A\\a.GIF");
  maintenance_->LoadDir();
  EXPECT_EQ(Texts().back(), std::wstring(panel::kImportIncomplete) + L"1");
  EXPECT_EQ(boxes_.messages.back().style, foundation::kBoxWarning);

  testing_support::TempDir empty;
  Outside(L"note.txt", "x");
  chosenFolder_ = empty.path().substr(0, empty.path().size() - 1);
  maintenance_->LoadDir();
  EXPECT_EQ(Texts().back(), panel::kNoPicturesInFolder);
}
