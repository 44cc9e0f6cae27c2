#include "image/macro_area_check.h"

#include <algorithm>

#include "image/checksum.h"

namespace zelko {

bool MacroContentChecksumHolds(std::span<const std::uint8_t, kMacroSlotContentSize> content) {
  const std::size_t n = content[kMacroContentLengthOffset];
  if (n > kMaxMacroContentLength) return false;
  // Offsets 1..n, then the stored checksum at n + 1.
  return SectionChecksum(content.subspan(kMacroContentLengthOffset, n)) == content[n + 1];
}

EmptiedMacroSlots CheckMacroArea(BaseMacroArea& area) {
  EmptiedMacroSlots emptied{};
  for (std::size_t slot = 1; slot <= kMacroSlotCount; ++slot) {
    const auto content = MacroSlotBytes(area, slot).subspan<kMacroSlotNameSize, kMacroSlotContentSize>();
    if (MacroContentChecksumHolds(content)) continue;
    // An empty slot (all zero) fails the check too; only a change counts.
    emptied[slot - 1] = std::any_of(content.begin(), content.end(), [](std::uint8_t b) { return b != 0; });
    std::fill(content.begin(), content.end(), std::uint8_t{0});
  }
  return emptied;
}

}  // namespace zelko
