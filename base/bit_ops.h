// Bit operations used by the image encoders. The bit number is taken
// modulo 32.
#pragma once
#include <cstdint>

namespace zelko {

constexpr std::uint32_t BitMask(int bit) {
  return std::uint32_t{1} << (static_cast<unsigned>(bit) % 32u);
}
constexpr bool TestBit(std::uint32_t value, int bit) { return (value & BitMask(bit)) != 0; }
constexpr std::uint32_t SetBit(std::uint32_t value, int bit) { return value | BitMask(bit); }
constexpr std::uint32_t ClearBit(std::uint32_t value, int bit) { return value & ~BitMask(bit); }

}  // namespace zelko
