// The status reply's chip code and the chip id it stands for.
#pragma once
#include <cstdint>

#include "device/protocol_layout.h"

namespace zelko {

// 0x35 -> 0x90, 0xFD -> 0x98, 0x75 -> 0x99, anything else -> 0.
constexpr std::uint32_t TranslateChipCode(std::uint8_t code) {
  switch (code) {
    case kChipCode90: return 0x90;
    case kChipCode98: return 0x98;
    case kChipCode99: return 0x99;
    default: return 0;
  }
}

}  // namespace zelko
