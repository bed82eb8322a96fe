// Writes the generated GIFs into a folder: fuzzing seeds and files to look at.
#include <cstdio>
#include <string>

#include "corpus.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s folder\n", argv[0]);
    return 2;
  }
  int n = 0;
  auto write = [&](const std::string& name, const anigif_native::Bytes& b) {
    std::string safe;
    for (char c : name) safe += (c == ' ' || c == '/') ? '_' : c;
    if (FILE* f = std::fopen((std::string(argv[1]) + "/" + safe + ".gif").c_str(), "wb")) {
      std::fwrite(b.data(), 1, b.size(), f);
      std::fclose(f);
      ++n;
    }
  };
  for (const auto& [name, b] : anigif_native::SmallCorpus()) write(name, b);
  if (argc > 2) {
    for (const auto& [name, b] : anigif_native::BenchmarkFiles()) write(name, b);
  }
  std::printf("%d files\n", n);
  return 0;
}
