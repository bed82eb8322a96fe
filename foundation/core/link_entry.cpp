#include "foundation/core/link_entry.h"

namespace foundation {
namespace {

constexpr uint32_t kReparsePointAttribute = 0x400;  // FILE_ATTRIBUTE_REPARSE_POINT
// The bit of a reparse tag that says the entry names another one
// (IsReparseTagNameSurrogate).
constexpr uint32_t kNameSurrogateBit = 0x20000000;

}  // namespace

bool IsLinkEntry(uint32_t attributes, uint32_t reparseTag) {
  if (!(attributes & kReparsePointAttribute)) return false;
  // No reparse point carries tag 0 on Windows; Wine reports its links so.
  // Unknown, it counts as a link: better a folder left alone than one that
  // leads out of the library.
  return reparseTag == 0 || (reparseTag & kNameSurrogateBit) != 0;
}

}  // namespace foundation
