#include "corpus.h"

#include "anigif/gif_builder.h"

namespace anigif_native {
using anigif_test::GifBuilder;
using anigif_test::Image;
using anigif_test::MakeImage;
using anigif_test::Ramp;

std::vector<std::pair<std::string, Bytes>> SmallCorpus() {
  std::vector<std::pair<std::string, Bytes>> out;
  uint32_t seed = 1;
  for (int colours : {2, 4, 16, 256}) {
    for (auto [w, h] : {std::pair{1, 1}, {3, 7}, {17, 5}, {64, 48}, {101, 33}}) {
      for (bool interlaced : {false, true}) {
        for (bool product : {false, true}) {
          GifBuilder b(w, h, Ramp(colours));
          b.Loop(3);
          for (int disposal = 0; disposal < 4; ++disposal) {
            Image im = MakeImage(disposal % 2, disposal / 2, std::max(1, w - disposal), std::max(1, h - disposal), colours, ++seed);
            im.interlaced = interlaced;
            im.productEncoder = product;
            if (disposal == 1) im.localTable = Ramp(colours < 4 ? 4 : colours);
            b.Control(disposal, disposal * 3, disposal == 2 ? 1 : -1).Add(im);
          }
          out.emplace_back("c" + std::to_string(colours) + "_" + std::to_string(w) + "x" + std::to_string(h) +
                               (interlaced ? "_i" : "") + (product ? "_p" : ""),
                           b.Finish());
        }
      }
    }
  }
  // Mid-stream clears and the smallest code size.
  for (int every : {1, 7, 100}) {
    Image im = MakeImage(0, 0, 50, 40, 2, static_cast<uint32_t>(every));
    im.minCodeSize = every == 1 ? 1 : 2;
    im.clearEvery = every;
    out.emplace_back("clear" + std::to_string(every), GifBuilder(50, 40, Ramp(2)).Add(im).Finish());
  }
  return out;
}

namespace {

// A desktop-like picture: flat windows, title bars, text-like speckle.
std::vector<uint8_t> Screen(int w, int h, int frame) {
  std::vector<uint8_t> px(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t v = static_cast<uint8_t>(200 + (y / 40) % 8);
      const int wx = (x + frame * 3) % 300, wy = y % 220;
      if (wx > 20 && wx < 280 && wy > 20 && wy < 200) {
        v = wy < 40 ? 30 : 250;
        if (wy > 50 && (wy % 14) < 9 && ((x * 7 + y * 13) % 11) < 5 && wx < 260) v = static_cast<uint8_t>((x ^ y) & 15);
      }
      px[static_cast<std::size_t>(y) * w + x] = v;
    }
  }
  return px;
}

}  // namespace

std::vector<std::pair<std::string, Bytes>> BenchmarkFiles() {
  std::vector<std::pair<std::string, Bytes>> out;
  {
    const int w = 1280, h = 800;
    GifBuilder b(w, h, Ramp(256));
    b.Loop(0);
    for (int f = 0; f < 12; ++f) {
      Image im;
      if (f == 0) {
        im.width = w, im.height = h, im.pixels = Screen(w, h, 0);
      } else {
        // Later frames repaint a changed region, as capture tools write them.
        const int rw = 640, rh = 400;
        im.left = (f * 97) % (w - rw), im.top = (f * 53) % (h - rh), im.width = rw, im.height = rh;
        auto full = Screen(w, h, f);
        for (int y = 0; y < rh; ++y)
          im.pixels.insert(im.pixels.end(), full.begin() + (im.top + y) * w + im.left,
                           full.begin() + (im.top + y) * w + im.left + rw);
      }
      im.productEncoder = true;
      b.Control(1, 10).Add(im);
    }
    out.emplace_back("screen-capture 1280x800 x12", b.Finish());
  }
  {
    const int w = 320, h = 240;
    GifBuilder b(w, h);
    for (int f = 0; f < 10; ++f) {
      Image im;
      im.width = w, im.height = h, im.interlaced = true, im.productEncoder = true;
      im.localTable = Ramp(256);
      uint32_t s = static_cast<uint32_t>(f + 1);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          s = s * 1103515245u + 12345u;
          im.pixels.push_back(static_cast<uint8_t>((x + y + f * 8) / 3 + ((s >> 16) & 7)));
        }
      b.Control(0, 8).Add(im);
    }
    out.emplace_back("interlaced local-tables 320x240 x10", b.Finish());
  }
  {
    const int w = 100, h = 100;
    GifBuilder b(w, h, Ramp(64));
    b.Loop(0);
    for (int f = 0; f < 16; ++f) {
      Image im;
      im.width = w, im.height = h, im.productEncoder = true;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const int dx = x - 50, dy = y - 50 + (f % 4) * 2;
          const int r2 = dx * dx + dy * dy;
          uint8_t v = 0;  // transparent outside the face
          if (r2 < 45 * 45) v = static_cast<uint8_t>(10 + (r2 / 90) % 20);
          if (r2 < 45 * 45 && dy > 10 && dy < 18 && dx > -20 && dx < 20) v = 40;
          if ((dx + 15) * (dx + 15) + (dy + 12) * (dy + 12) < 30 || (dx - 15) * (dx - 15) + (dy + 12) * (dy + 12) < 30) v = 50;
          im.pixels.push_back(v);
        }
      b.Control(2, 10, 0).Add(im);
    }
    out.emplace_back("emoticon 100x100 x16", b.Finish());
  }
  return out;
}

}  // namespace anigif_native
