#include "foundation/core/rar_extraction_budget.h"

namespace foundation {

bool RarExtractionBudget::Add(uint64_t& total, uint64_t bytes) {
  // Header sizes are the archive's word: no sum of them may wrap around.
  if (total > kMaxRarUnpackedBytes || bytes > kMaxRarUnpackedBytes - total) {
    total = kMaxRarUnpackedBytes + 1;
    return false;
  }
  total += bytes;
  return true;
}

bool RarExtractionBudget::AdmitEntry(uint64_t claimedSize) {
  if (entries_ >= kMaxRarEntries) return false;
  ++entries_;
  return claimedSize == kRarUnknownSize || Add(claimed_, claimedSize);
}

bool RarExtractionBudget::AdmitWritten(uint64_t bytes) { return Add(written_, bytes); }

}  // namespace foundation
