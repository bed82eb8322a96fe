// Which file names the editor takes for pictures: by the text after the last
// ".", compared without regard to letter case. No windows.
#pragma once
#include <span>
#include <string_view>

namespace editor {

// The grid lists GIF and JPEG files; imports take GIF, BMP and JPEG files.
inline constexpr std::wstring_view kGridExtensions[] = {L"gif", L"jpg"};
inline constexpr std::wstring_view kImportExtensions[] = {L"gif", L"bmp", L"jpg"};

// True when the name has a "." and the text after its last one is one of the
// extensions. A name without any "." has no extension, whatever it reads.
bool HasExtension(std::wstring_view name, std::span<const std::wstring_view> extensions);

}  // namespace editor
