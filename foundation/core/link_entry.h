// Which entries of a folder the library takes for links: those that lead
// somewhere else (symbolic links, junctions, mount points), which it never
// walks through. Every other reparse point stands for the entry itself: a
// file or folder kept in the cloud, deduplicated or compressed by the system
// is an ordinary file or folder. No windows here.
#pragma once
#include <cstdint>

namespace foundation {

// attributes: a directory entry's attributes; reparseTag: its reparse tag
// (what a folder listing gives with FILE_ATTRIBUTE_REPARSE_POINT), 0 when
// unknown.
bool IsLinkEntry(uint32_t attributes, uint32_t reparseTag);

}  // namespace foundation
