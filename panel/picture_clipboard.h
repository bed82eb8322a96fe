// Stands in for the embedded browser's copy of an image element: the clipboard
// then holds what a browser leaves there, "HTML Format" with an img element
// naming the picture file, plus a device-independent bitmap of its first frame
// on white. Text symbols go on as Unicode text.
#pragma once
#include <windows.h>

#include <string>

namespace panel {

// False when the clipboard could not be opened (another program holds it).
bool CopyPictureToClipboard(HWND owner, const std::wstring& picturePath);
bool CopyTextToClipboard(HWND owner, const std::wstring& text);

// Largest side of a picture put on the clipboard as a bitmap; larger ones go as HTML only.
inline constexpr UINT kClipboardBitmapMaxSide = 4096;

}  // namespace panel
