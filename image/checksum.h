// The section checksum: the sum of the covered bytes modulo 256, exclusive-or
// 0x5A, stored in the byte after them. ParameterA, Profile, FireKey and
// every macro's content are closed this way.
#pragma once
#include <cstdint>
#include <span>

namespace zelko {

inline constexpr std::uint8_t kChecksumXor = 0x5A;

constexpr std::uint8_t SectionChecksum(std::span<const std::uint8_t> covered) {
  unsigned sum = 0;
  for (std::uint8_t b : covered) sum += b;
  return static_cast<std::uint8_t>((sum & 0xFFu) ^ kChecksumXor);
}

// A section whose last byte is the checksum of the others.
constexpr bool ChecksumHolds(std::span<const std::uint8_t> section) {
  if (section.empty()) return false;
  return SectionChecksum(section.first(section.size() - 1)) == section.back();
}

// Stores the checksum of all but the last byte into the last byte.
constexpr void StoreChecksum(std::span<std::uint8_t> section) {
  if (section.empty()) return;
  section.back() = SectionChecksum(section.first(section.size() - 1));
}

}  // namespace zelko
