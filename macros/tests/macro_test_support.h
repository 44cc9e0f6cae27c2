// Small builders shared by the macro tests.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "image/checksum.h"
#include "macros/macro_record.h"

namespace zelko::testing_support {

// A content holding these event bytes, with its length byte and checksum.
inline MacroContent ContentOf(std::initializer_list<std::uint8_t> events, std::uint8_t release = 0) {
  MacroContent content{};
  content[kReleaseModeOffset] = release;
  content[kLengthOffset] = static_cast<std::uint8_t>(events.size() + 1);
  std::size_t p = kFirstEventOffset;
  for (std::uint8_t b : events) content[p++] = b;
  content[p] = SectionChecksum(std::span<const std::uint8_t>(content.data() + kLengthOffset, events.size() + 1));
  return content;
}

inline std::vector<std::uint8_t> EventBytes(const MacroContent& content) {
  const std::size_t n = content[kLengthOffset];
  return {content.begin() + kFirstEventOffset, content.begin() + static_cast<std::ptrdiff_t>(n + 1)};
}

}  // namespace zelko::testing_support
