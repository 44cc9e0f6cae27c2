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

// One bit of a byte of the image: read, and set or cleared in place.
constexpr std::uint8_t ByteBit(unsigned bit) { return static_cast<std::uint8_t>(1u << (bit % 8u)); }
constexpr bool ByteBitSet(std::uint8_t byte, unsigned bit) { return (byte & ByteBit(bit)) != 0; }
constexpr void PutByteBit(std::uint8_t& byte, unsigned bit, bool on) {
  byte = on ? static_cast<std::uint8_t>(byte | ByteBit(bit))
            : static_cast<std::uint8_t>(byte & ~ByteBit(bit));
}

}  // namespace zelko
