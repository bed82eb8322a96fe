// Decoding speed, every frame from memory to palette indexes: our core
// against giflib's DGifSlurp, one thread, same files, same run.
#include <gif_lib.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "anigif/core/frame_strip.h"
#include "corpus.h"
#include "giflib_memory.h"

namespace {

using anigif_native::MemorySource;
using anigif_native::ReadMemory;

uint64_t g_sink = 0;

// Returns frames and pixels decoded.
std::pair<int, uint64_t> Giflib(const std::vector<uint8_t>& bytes) {
  MemorySource src{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&src, ReadMemory, &error);
  DGifSlurp(gif);
  uint64_t pixels = 0;
  for (int i = 0; i < gif->ImageCount; ++i) {
    pixels += static_cast<uint64_t>(gif->SavedImages[i].ImageDesc.Width) * gif->SavedImages[i].ImageDesc.Height;
    g_sink += gif->SavedImages[i].RasterBits[0];
  }
  const int n = gif->ImageCount;
  DGifCloseFile(gif, &error);
  return {n, pixels};
}

std::pair<int, uint64_t> Ours(const std::vector<uint8_t>& bytes, anigif::LzwDecoder& dec, std::vector<uint8_t>& bits) {
  anigif::GifStream g;
  anigif::ParseGifStream(bytes.data(), bytes.size(), g);
  anigif::StripPlan plan;
  anigif::PlanStrip(g, false, plan);
  const int stride = anigif::ScanlineBytes(8, plan.width);
  bits.resize(static_cast<std::size_t>(stride) * plan.height);
  anigif::IndexSurface strip{bits.data() + static_cast<std::ptrdiff_t>(stride) * (plan.height - 1), -stride,
                             plan.width, plan.height};
  anigif::BuildStripFrames(bytes.data(), bytes.size(), g, plan, strip, 0, g.FrameCount(), dec);
  uint64_t pixels = 0;
  for (const auto& f : g.Frames) pixels += static_cast<uint64_t>(f.Width) * f.Height;
  g_sink += bits[0];
  return {g.FrameCount(), pixels};
}

template <typename Fn>
void Measure(const char* who, Fn fn, double& fps, double& mps) {
  using clock = std::chrono::steady_clock;
  int frames = 0;
  uint64_t pixels = 0;
  const auto start = clock::now();
  double elapsed = 0;
  while (elapsed < 1.5) {
    auto [f, p] = fn();
    frames += f;
    pixels += p;
    elapsed = std::chrono::duration<double>(clock::now() - start).count();
  }
  fps = frames / elapsed;
  mps = static_cast<double>(pixels) / elapsed / 1e6;
  std::printf("  %-7s %10.1f frames/s %9.1f Mpixel/s\n", who, fps, mps);
}

}  // namespace

int main() {
  anigif::LzwDecoder dec;
  std::vector<uint8_t> bits;
  bool allMet = true;
  for (const auto& file : anigif_native::BenchmarkFiles()) {
    const std::string& name = file.first;
    const std::vector<uint8_t>& bytes = file.second;
    std::printf("%s (%zu bytes)\n", name.c_str(), bytes.size());
    double fo, mo, fg, mg;
    Measure("core", [&] { return Ours(bytes, dec, bits); }, fo, mo);
    Measure("giflib", [&] { return Giflib(bytes); }, fg, mg);
    std::printf("  ratio   %10.2fx\n", fo / fg);
    if (fo / fg < 1.5) allMet = false;
  }
  std::printf("goal (1.5x giflib on each file): %s\n", allMet ? "met" : "NOT met");
  return g_sink == 42 ? 1 : 0;
}
