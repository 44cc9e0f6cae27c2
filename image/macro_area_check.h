// The check every load of the image runs over the macro area: a slot whose
// content fails its checksum (or whose length byte is above 222) reaches the
// working copy, and so the mouse on the next write, with 224 zero bytes of
// content. Its name is kept.
#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "image/image_layout.h"
#include "image/parameter_record.h"

namespace zelko {

// True when a slot's 224 content bytes close with a valid checksum.
bool MacroContentChecksumHolds(std::span<const std::uint8_t, kMacroSlotContentSize> content);

// Which slots (index 0 = slot 1) had content that was emptied.
using EmptiedMacroSlots = std::array<bool, kMacroSlotCount>;

EmptiedMacroSlots CheckMacroArea(BaseMacroArea& area);

}  // namespace zelko
