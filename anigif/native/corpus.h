// GIF files the native tests, the fuzzer seeds and the benchmark use, made
// here so nothing opaque is checked in.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace anigif_native {

using Bytes = std::vector<uint8_t>;

// Small files covering local tables, interlacing, transparency, every
// disposal, odd sizes and every minimum code size.
std::vector<std::pair<std::string, Bytes>> SmallCorpus();

// The benchmark's files: a large animated screen capture, an interlaced file
// with local tables, and a typical 100 x 100 emoticon.
std::vector<std::pair<std::string, Bytes>> BenchmarkFiles();

}  // namespace anigif_native
