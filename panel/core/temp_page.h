// The page written to Temp.html on Windows 2003, whose script copies the
// picture when it loads.
#pragma once
#include <string>
#include <string_view>

namespace panel {

// The design template: 24 lines, each ending in CR LF, "ImageURL" standing for the picture.
std::wstring TempPageTemplate();

// "file:///" & path with every blank replaced by "%20"; nothing else changes.
std::wstring TempPageImageUrl(std::wstring_view path);

// The page for a picture: the template with every "ImageURL" replaced by the
// URL, followed by CR LF (the file is written in the system code page).
std::wstring BuildTempPage(std::wstring_view picturePath);

}  // namespace panel
