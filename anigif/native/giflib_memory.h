// giflib reading a GIF from memory, for the comparison test and the benchmark.
#pragma once
#include <gif_lib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace anigif_native {

struct MemorySource {
  const std::vector<uint8_t>* bytes;
  std::size_t pos = 0;
};

// giflib's input function over a MemorySource given as the file's user data.
inline int ReadMemory(GifFileType* gif, GifByteType* buf, int n) {
  auto* s = static_cast<MemorySource*>(gif->UserData);
  const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), s->bytes->size() - s->pos);
  std::memcpy(buf, s->bytes->data() + s->pos, take);
  s->pos += take;
  return static_cast<int>(take);
}

}  // namespace anigif_native
