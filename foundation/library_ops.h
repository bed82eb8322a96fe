// Changes to the emoticon library that both programs make from their dialogs:
// copying, moving and deleting emoticons and deleting categories. None of them
// ever loses the only copy of a picture, and each says honestly whether it
// happened.
#pragma once
#include <windows.h>

#include <string>

namespace foundation {

// Copies source into targetFolder (with or without a trailing "\") through
// CopyFileTo, which replaces a file of the same name only once the new copy
// exists, and checks that the copy landed: the target file exists with the
// source's size. False after a failed or cancelled copy, for a missing source,
// when the target would be the source itself, and when targetFolder is a link
// (it leads out of the library). A file of the same name is replaced without
// a question: the callers import, or have asked already.
bool CopyFaceVerified(HWND owner, const std::wstring& source, const std::wstring& targetFolder);

// The question before a copy or move between categories replaces a file:
// start, the file's name, end.
inline constexpr wchar_t kAskReplaceFaceStart[] = L"目标分类中已经存在同名的表情 ";
inline constexpr wchar_t kAskReplaceFaceEnd[] = L",是否替换？";

enum class CopyOutcome {
  kCopied,
  kDeclined,  // the user kept the target's file of that name: nothing changed
  kFailed,
};

// CopyFaceVerified for a copy the user chose between categories: a file of the
// same name already in targetFolder is replaced only after a yes to a
// question naming it (a message box through ShowMessage, owned by owner).
CopyOutcome CopyFaceAsking(HWND owner, const std::wstring& source, const std::wstring& targetFolder);

enum class MoveOutcome {
  kMoved,
  kDeclined,          // as CopyOutcome::kDeclined: the source is where it was
  kCopyFailed,        // nothing changed: the source is where it was
  kSourceNotDeleted,  // the copy is in the target, the source could not go
};

// CopyFaceAsking; the source is deleted only after a verified copy.
MoveOutcome MoveFace(HWND owner, const std::wstring& source, const std::wstring& targetFolder);

// Deletes one emoticon file; true when it is gone, and its cached drawings
// with it (ForgetThumbnails). A locked or read-only file stays as it was
// (false).
bool DeleteFace(const std::wstring& path);

// Deletes a category folder and everything in it, without forcing read-only
// files, stopping at the first thing that can't go. True when the folder is
// gone. Otherwise error (when given) names what could not be deleted and why;
// what was deleted before stays deleted. A folder that is itself a link, and
// every link inside, is removed as a link: what it points at is never
// entered. Paths are taken literally (LiteralPath), so a name ending in a dot
// or blank deletes that entry, not the one its trimmed name would open. The
// cached drawings of every path below the folder are dropped, however far
// the deletion went (ForgetFolderThumbnails).
bool DeleteCategoryFolder(const std::wstring& folder, std::wstring* error);

// Deletes a folder of the programs' own making (an unpacked pack, a category
// a failed download made) with everything in it, read-only entries included,
// going past anything that stays. Links, the folder itself included, are
// removed as links, never followed. True when the folder is gone. Cached
// drawings go as for DeleteCategoryFolder.
bool RemoveScratchFolder(const std::wstring& folder);

}  // namespace foundation
