// Fitting a picture file into a box: DrawImageFit draws it with GDI+ onto a
// device context, FitPreviewImage only computes where a preview control goes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace foundation {

// The cell drawing shrinks pictures into the box less 10 pixels a side.
inline constexpr int32_t kDrawFitReduction = 10;
// The preview works in twips and keeps 30 twips (two pixels) free.
inline constexpr int32_t kPreviewFitReduction = 30;
inline constexpr int32_t kTwipsPerPixel = 15;

// Draws the picture file fitted and centred into the box width x height of dc
// (not cleared first). Starts and stops its own GDI+ around the drawing,
// nested inside any start-up the program holds. The caller's width and height
// are each lowered by 10, as callers set them again before every call.
// A file GDI+ cannot decode, or a dc GDI+ cannot draw on, draws nothing.
// True when the picture was drawn.
bool DrawImageFit(HDC dc, const std::wstring& path, int32_t& width, int32_t& height);

// Where the preview control goes, in twips, for the picture file fitted into
// the box (twips); the box variables are each lowered by 30. nullopt when the
// file cannot be read as a picture (the box is still lowered).
struct PreviewPlacement {
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Top = 0;
  int32_t Left = 0;
};
std::optional<PreviewPlacement> FitPreviewImage(const std::wstring& path, int32_t& boxWidth, int32_t& boxHeight);

}  // namespace foundation
