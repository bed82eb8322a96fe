// How much one extraction may write. Archives come from anywhere, and a pack
// of a few kilobytes can hold entries that unpack to any size or count; the
// bounds are far above any real emoticon pack. No windows here.
#pragma once
#include <cstddef>
#include <cstdint>

namespace foundation {

inline constexpr uint64_t kMaxRarUnpackedBytes = uint64_t{256} << 20;
inline constexpr size_t kMaxRarEntries = 10000;
// The unpacked size the RAR library reports for an entry whose header leaves
// it open (an archive written as a stream): the entry is unpacked to the end
// of its data, whatever that holds.
inline constexpr uint64_t kRarUnknownSize = 0x7FFFFFFF7FFFFFFFull;

// The running totals of one extraction against the bounds above.
class RarExtractionBudget {
 public:
  // An entry about to be written, with the size its header claims. False once
  // the archive holds more than kMaxRarEntries entries, or the claimed sizes
  // add up to more than kMaxRarUnpackedBytes; an unknown size claims nothing
  // here, its bytes are counted as they are written.
  bool AdmitEntry(uint64_t claimedSize);
  // Bytes the library has just unpacked; false once all bytes written come to
  // more than kMaxRarUnpackedBytes. The library never writes more than a
  // known claimed size, so this is what bounds entries of unknown size.
  bool AdmitWritten(uint64_t bytes);

 private:
  static bool Add(uint64_t& total, uint64_t bytes);

  size_t entries_ = 0;
  uint64_t claimed_ = 0;
  uint64_t written_ = 0;
};

}  // namespace foundation
