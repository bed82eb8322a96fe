// The texts of the panel's library maintenance: dialog captions, labels,
// buttons and every message it shows (all titled "提示").
#pragma once

namespace panel {

// Adding, deleting and importing emoticons.
inline constexpr wchar_t kAddFaceDialogTitle[] = L"添加表情";
inline constexpr wchar_t kAddFaceDialogFilter[] = L"图片文件(*.bmp,*.jpg,*.gif)|*.bmp;*.jpg;*.gif|";
inline constexpr wchar_t kAskReplaceFace[] = L"要添加的表情已经存在,是否继续添加？";
inline constexpr wchar_t kAskDeleteFace[] = L"确定要删除这个表情吗？";
inline constexpr wchar_t kFaceNotDeleted[] = L"表情删除失败,文件可能正在使用！";
inline constexpr wchar_t kChooseImportFolder[] = L"选择要添加的目录：";
inline constexpr wchar_t kNoPicturesInFolder[] = L"在该目录下没有发现任何图片文件！";
inline constexpr wchar_t kImportDone[] = L"表情导入成功！";
// Followed by the number of files that were not copied.
inline constexpr wchar_t kImportIncomplete[] = L"有些表情没有导入成功,未导入的表情数：";

// FrmNewType.
inline constexpr wchar_t kNewTypeCaption[] = L"添加表情分类";
inline constexpr wchar_t kNewTypeLabel[] = L"新表情分类名称：";
inline constexpr wchar_t kNewTypeAdd[] = L"添加";
inline constexpr wchar_t kEnterNewTypeName[] = L"请输入要添加的分类名称！";
inline constexpr wchar_t kTypeExists[] = L"分类已经存在,请重新输入分类名称！";
inline constexpr wchar_t kTypeAdded[] = L"新的分类添加成功！";
inline constexpr wchar_t kTypeNotCreated[] = L"分类文件夹无法创建,分类没有添加！";

// FrmType.
inline constexpr wchar_t kTypeCaption[] = L"分类管理";
inline constexpr wchar_t kTypeDelete[] = L"删除分类";
inline constexpr wchar_t kAskDeleteTypeStart[] = L"确定要删除表情分类: ";
inline constexpr wchar_t kAskDeleteTypeEnd[] = L" 以及下面的所有表情吗？ ";
inline constexpr wchar_t kTypeFolderGone[] = L"分类目录已经不存在！";
// Followed by the reason.
inline constexpr wchar_t kTypeNotDeleted[] = L"分类没有完全删除：";

// FrmEditType.
inline constexpr wchar_t kEditTypeCaption[] = L"修改分类名称";
inline constexpr wchar_t kEditTypeOldLabel[] = L"旧分类名称：";
inline constexpr wchar_t kEditTypeNewLabel[] = L"新分类名称：";
inline constexpr wchar_t kEditTypeConfirm[] = L"确定修改";
inline constexpr wchar_t kEnterNewName[] = L"请输入新的分类名称！";
inline constexpr wchar_t kTypeFolderMissing[] = L"分类目录不存在！";
inline constexpr wchar_t kTypeRenamed[] = L"分类名称修改成功！";
inline constexpr wchar_t kTypeNotRenamed[] = L"分类名称修改失败,分类目录可能正在使用！";

// FrmCopy and FrmMove.
inline constexpr wchar_t kCopyCaption[] = L"复制表情";
inline constexpr wchar_t kCopyLabel[] = L"选择要复制到的分类：";
inline constexpr wchar_t kCopied[] = L"表情复制成功！";
inline constexpr wchar_t kNotCopied[] = L"表情复制失败！";
inline constexpr wchar_t kMoveCaption[] = L"移动表情";
inline constexpr wchar_t kMoveLabel[] = L"选择要移动到的分类：";
inline constexpr wchar_t kMoved[] = L"表情移动成功！";
inline constexpr wchar_t kNotMoved[] = L"表情移动失败！";
inline constexpr wchar_t kMovedButSourceKept[] = L"表情已复制到目标分类,但原来的表情无法删除！";
// The user kept the target's emoticon of that name: "表情 ", the name, the end.
inline constexpr wchar_t kDeclinedFaceStart[] = L"表情 ";
inline constexpr wchar_t kCopyDeclinedEnd[] = L" 与目标分类中的表情同名,没有复制！";
inline constexpr wchar_t kMoveDeclinedEnd[] = L" 与目标分类中的表情同名,没有移动,仍保留在原分类中！";
inline constexpr wchar_t kNoTargetType[] = L"没有可选择的目标分类！";
inline constexpr wchar_t kSelectFaceToCopy[] = L"请先选择要复制的表情！";
inline constexpr wchar_t kSelectFaceToMove[] = L"请先选择要移动的表情！";

// Buttons shared by the dialogs.
inline constexpr wchar_t kButtonOk[] = L"确定";
inline constexpr wchar_t kButtonCancel[] = L"取消";
inline constexpr wchar_t kButtonBack[] = L"返回";

}  // namespace panel
