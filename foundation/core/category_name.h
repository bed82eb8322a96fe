// A category is a folder directly inside the library folder Face. Names come
// from what the user types, from category lists and from archive contents, so
// each is checked before any folder is made, renamed or copied into.
// No windows here.
#pragma once
#include <string_view>

namespace foundation {

enum class CategoryNameVerdict {
  kOk,
  kBlank,    // nothing left once every blank (" ") is removed
  kInvalid,  // would not name a folder of its own inside Face
};

// For a name of a folder to be made. kInvalid for "." or ".." as a
// component ("a..b" is fine), a drive ("C:"), a leading "\" or "/", a
// character the file system refuses (< > : " / | ? * and control
// characters), an empty component, a component ending in a dot or a blank
// (the system would drop it and make another folder), and the reserved
// device names (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an
// extension). With allowNesting a "\" separates components that are each
// checked ("x\y": x with y inside); without it any "\" is kInvalid. Blanks in
// front of a name are kept as typed: they are not a reason to refuse it.
CategoryNameVerdict CheckCategoryName(std::wstring_view name, bool allowNesting);

// For a name read back from the library's own folder list: true when it
// names one entry directly inside Face (not empty, not "." or "..", no
// separator or refused character). A folder already on disk whose name
// CheckCategoryName would refuse for a new one (ending in a dot or blank, a
// device name) passes: it is shown, deleted and copied into like any other,
// reached through LiteralPath.
bool IsListedCategoryName(std::wstring_view name);

// True for one name of a file or folder that the system holds as written:
// not empty, not "." or "..", no character the file system refuses
// (< > : " / \ | ? * and control characters), not ending in a dot or a
// blank, not a device name (see IsReshapedName).
bool IsPlainName(std::wstring_view component);

// The one message both programs show for kInvalid.
extern const wchar_t kInvalidCategoryNameMessage[];

}  // namespace foundation
