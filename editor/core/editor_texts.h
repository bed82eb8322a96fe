// The editor's fixed texts: captions, prompts and messages. Message boxes are
// titled foundation::kMessageTitle ("提示") unless said otherwise.
#pragma once

namespace editor {

// Window classes (tests find the windows by them).
inline constexpr wchar_t kMainWindowClass[] = L"BrackmereMain";
inline constexpr wchar_t kDialogClass[] = L"BrackmereDialog";

// Captions.
inline constexpr wchar_t kMainCaption[] = L"Wrenlow";
inline constexpr wchar_t kCategoryFrameCaption[] = L"表情分类";
inline constexpr wchar_t kSelectAllLink[] = L"全选";
inline constexpr wchar_t kSelectNoneLink[] = L"全否";
inline constexpr wchar_t kInitialPageLabel[] = L"1/1";
inline constexpr wchar_t kOkCaption[] = L"确定";
inline constexpr wchar_t kCancelCaption[] = L"取消";
inline constexpr wchar_t kAddCategoryCaption[] = L"添加分类";
inline constexpr wchar_t kDeleteCategoryCaption[] = L"删除分类";
inline constexpr wchar_t kExitCaption[] = L"退出";
inline constexpr wchar_t kCopyCaption[] = L"复制表情";
inline constexpr wchar_t kMoveCaption[] = L"移动表情";
inline constexpr wchar_t kDeleteFacesCaption[] = L"删除表情";
inline constexpr wchar_t kAddFaceCaption[] = L"添加表情";
inline constexpr wchar_t kImportFolderCaption[] = L"导入表情";
inline constexpr wchar_t kImportRarCaption[] = L"导入RAR";
inline constexpr wchar_t kNewCategoryLabel[] = L"新表情分类名称：";
inline constexpr wchar_t kCopyTargetLabel[] = L"选择要复制到的分类：";
inline constexpr wchar_t kMoveTargetLabel[] = L"选择要移动到的分类：";
inline constexpr wchar_t kAddRarCaption[] = L"导入表情包";

// Start-up.
inline constexpr wchar_t kStartupFailed[] = L"初始化时发生错误！";

// Emoticon operations.
inline constexpr wchar_t kSelectFacesToDelete[] = L"请先选择要删除的表情！";
inline constexpr wchar_t kConfirmDeleteFaces[] = L"确定要删除选中的表情吗？";
inline constexpr wchar_t kAddFaceFilter[] = L"图片文件(*.bmp,*.jpg,*.gif)|*.bmp;*.jpg;*.gif|";
inline constexpr wchar_t kFaceExists[] = L"要添加的表情已经存在,是否继续添加？";
inline constexpr wchar_t kAddFaceFailed[] = L"表情添加失败！";
inline constexpr wchar_t kChooseImportFolder[] = L"选择要添加的目录：";
inline constexpr wchar_t kNoPicturesInFolder[] = L"在该目录下没有发现任何图片文件！";
inline constexpr wchar_t kImportDone[] = L"表情导入成功！";
inline constexpr wchar_t kImportFailedHeading[] = L"下列表情没有导入成功：";

// Category operations.
inline constexpr wchar_t kEnterCategoryName[] = L"请输入要添加的分类名称！";
inline constexpr wchar_t kCategoryExists[] = L"分类已经存在,请重新输入分类名称！";
inline constexpr wchar_t kCategoryAdded[] = L"新的分类添加成功！";
inline constexpr wchar_t kCategoryNotCreated[] = L"新的分类添加失败！";
inline constexpr wchar_t kConfirmDeleteCategoryStart[] = L"确定要删除表情分类: ";
inline constexpr wchar_t kConfirmDeleteCategoryEnd[] = L" 以及下面的所有表情吗？ ";
inline constexpr wchar_t kCategoryGone[] = L"分类目录已经不存在！";
inline constexpr wchar_t kErrorTitle[] = L"发生错误";

// Copy and move.
inline constexpr wchar_t kSelectFacesToCopy[] = L"请先选择要复制的表情！";
inline constexpr wchar_t kSelectFacesToMove[] = L"请先选择要移动的表情！";
inline constexpr wchar_t kNoCopyTarget[] = L"没有可以复制到的其他分类,请先添加分类！";
inline constexpr wchar_t kNoMoveTarget[] = L"没有可以移动到的其他分类,请先添加分类！";
inline constexpr wchar_t kCopyDone[] = L"表情复制成功！";
inline constexpr wchar_t kMoveDone[] = L"表情移动成功！";
// When not every selected emoticon went: what did (or that none did), then
// each heading below with its names.
inline constexpr wchar_t kCopiedHeading[] = L"下列表情已复制：";
inline constexpr wchar_t kMovedHeading[] = L"下列表情已移动：";
inline constexpr wchar_t kNothingCopied[] = L"没有复制任何表情！";
inline constexpr wchar_t kNothingMoved[] = L"没有移动任何表情！";
inline constexpr wchar_t kCopyDeclinedHeading[] = L"下列表情与目标分类中的表情同名,没有复制：";
inline constexpr wchar_t kMoveDeclinedHeading[] = L"下列表情与目标分类中的表情同名,没有移动,仍保留在原分类中：";
inline constexpr wchar_t kCopyFailedHeading[] = L"下列表情没有复制成功：";
inline constexpr wchar_t kMoveFailedHeading[] = L"下列表情没有移动成功,原文件仍保留在原分类中：";

// RAR pack import.
inline constexpr wchar_t kChooseRarTitle[] = L"导入RAR文件";
inline constexpr wchar_t kRarFilter[] = L"RAR文件|*.rar|";
inline constexpr wchar_t kNamePack[] = L"请为要添加的表情包取一个名字！";
inline constexpr wchar_t kPackNotExtracted[] = L"表情包解压失败,没有导入任何表情！";
inline constexpr wchar_t kNoPicturesInPack[] = L"在该表情包中没有发现任何图片文件！";
inline constexpr wchar_t kWorkFolderName[] = L"Face";

// The library and the reload notification.
inline constexpr wchar_t kLibraryFolderName[] = L"Face";
inline constexpr wchar_t kConfigFileName[] = L"Config.ini";
inline constexpr wchar_t kConfigSection[] = L"Config";
inline constexpr wchar_t kLoadTypeKey[] = L"LoadType";
inline constexpr wchar_t kLoadFaceKey[] = L"LoadFace";
inline constexpr wchar_t kPanelProgramName[] = L"Tarnwick.exe";

}  // namespace editor
