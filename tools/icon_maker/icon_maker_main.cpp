// Draws each program's icon at every size its icon file holds and writes the
// files the resource scripts put into the programs. The drawing lives here
// alone (the panel's logo is shared with its skin); the windows load the
// icons from the programs' resources, so there is one picture of each.
// Usage: icon_maker.exe <folder>   -> <folder>\tarnwick.ico, <folder>\brackmere.ico
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "controls/picture.h"
#include "foundation/handles.h"
#include "panel/panel_art.h"

namespace {

constexpr std::array<int, 3> kSizes = {16, 32, 48};

// One size of an icon: what it shows, and which pixels show (the rest is
// transparent).
struct IconPicture {
  controls::PictureRef colour;
  controls::PictureRef shape;  // black where the icon shows, white elsewhere
};

void FillBox(HDC dc, int x, int y, int w, int h, COLORREF color) {
  RECT r{x, y, x + w, y + h};
  foundation::UniqueBrush brush(::CreateSolidBrush(color));
  ::FillRect(dc, &r, brush.get());
}

// The panel: its logo, a round face, on a transparent ground.
IconPicture PanelIcon(int size) {
  return {controls::Picture::Draw(size, size,
                                  [size](HDC dc) {
                                    FillBox(dc, 0, 0, size, size, RGB(0, 0, 0));
                                    panel::DrawLogo(dc, 0, 0, size);
                                  }),
          controls::Picture::Draw(size, size, [size](HDC dc) {
            FillBox(dc, 0, 0, size, size, RGB(0xFF, 0xFF, 0xFF));
            foundation::UniqueBrush black(::CreateSolidBrush(RGB(0, 0, 0)));
            foundation::UniquePen edge(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
            foundation::SelectionGuard selectBrush(dc, black.get());
            foundation::SelectionGuard selectPen(dc, edge.get());
            ::Ellipse(dc, 0, 0, size, size);
          })};
}

// The editor: a small picture grid, four tiles on a blue square.
IconPicture EditorIcon(int size) {
  return {controls::Picture::Draw(size, size,
                                  [size](HDC dc) {
                                    FillBox(dc, 0, 0, size, size, RGB(0x31, 0x6A, 0xC4));
                                    const int gap = size / 8, tile = (size - 3 * gap) / 2;
                                    for (int i = 0; i < 4; ++i)
                                      FillBox(dc, gap + (i % 2) * (tile + gap), gap + (i / 2) * (tile + gap), tile,
                                              tile, i == 0 ? RGB(0xFF, 0xD2, 0x3C) : RGB(0xFF, 0xFF, 0xFF));
                                  }),
          controls::Picture::Draw(size, size, [size](HDC dc) { FillBox(dc, 0, 0, size, size, RGB(0, 0, 0)); })};
}

// The picture's pixels as 0x00RRGGBB, bottom row first (as icon files keep them).
std::vector<uint32_t> BottomUpPixels(const controls::Picture& picture, int size) {
  std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  foundation::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  if (::GetDIBits(dc.get(), picture.bitmap(), 0, size, pixels.data(), &info, DIB_RGB_COLORS) != size) return {};
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

void Put16(std::string& out, uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}
void Put32(std::string& out, uint32_t v) {
  Put16(out, static_cast<uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<uint16_t>(v >> 16));
}

// One image of an icon file: a 32-bit picture whose alpha is the shape, then
// the 1-bit mask of the same shape for whatever ignores alpha.
std::string IconImage(const IconPicture& picture, int size) {
  const std::vector<uint32_t> colour = BottomUpPixels(*picture.colour, size);
  const std::vector<uint32_t> shape = BottomUpPixels(*picture.shape, size);
  if (colour.empty() || shape.empty()) return {};
  const int maskStride = (size + 31) / 32 * 4;
  std::string image;
  Put32(image, sizeof(BITMAPINFOHEADER));
  Put32(image, static_cast<uint32_t>(size));
  Put32(image, static_cast<uint32_t>(size * 2));  // the picture and its mask
  Put16(image, 1);
  Put16(image, 32);
  Put32(image, BI_RGB);
  Put32(image, static_cast<uint32_t>(size * size * 4 + maskStride * size));
  for (int i = 0; i < 4; ++i) Put32(image, 0);  // resolution and colour counts
  for (size_t i = 0; i < colour.size(); ++i) Put32(image, shape[i] == 0 ? (colour[i] | 0xFF000000u) : 0);
  for (int y = 0; y < size; ++y) {
    std::string row(static_cast<size_t>(maskStride), '\0');
    for (int x = 0; x < size; ++x) {
      if (shape[static_cast<size_t>(y) * size + x] != 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    image += row;
  }
  return image;
}

std::string IconFile(IconPicture (*draw)(int size)) {
  std::vector<std::string> images;
  for (int size : kSizes) {
    images.push_back(IconImage(draw(size), size));
    if (images.back().empty()) return {};
  }
  std::string file;
  Put16(file, 0);
  Put16(file, 1);  // an icon, not a cursor
  Put16(file, static_cast<uint16_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    file += static_cast<char>(kSizes[i]);
    file += static_cast<char>(kSizes[i]);
    file += '\0';  // no palette
    file += '\0';
    Put16(file, 1);   // planes
    Put16(file, 32);  // bits per pixel
    Put32(file, static_cast<uint32_t>(images[i].size()));
    Put32(file, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::string& image : images) file += image;
  return file;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  foundation::UniqueFile file(
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: icon_maker.exe <folder>\n", stderr);
    return 2;
  }
  const std::wstring folder = std::wstring(argv[1]) + L"\\";
  const struct {
    const wchar_t* name;
    IconPicture (*draw)(int size);
  } icons[] = {{L"tarnwick.ico", PanelIcon}, {L"brackmere.ico", EditorIcon}};
  for (const auto& icon : icons) {
    const std::string bytes = IconFile(icon.draw);
    if (bytes.empty() || !WriteBytes(folder + icon.name, bytes)) {
      std::fprintf(stderr, "icon_maker: could not write %ls%ls\n", folder.c_str(), icon.name);
      return 1;
    }
  }
  return 0;
}
