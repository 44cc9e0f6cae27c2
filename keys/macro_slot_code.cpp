#include "keys/macro_slot_code.h"

#include "keys/key_function_code.h"

namespace zelko {

std::string MacroSlotCode(int slot, std::uint8_t release_mode) {
  if (slot < 1 || slot > kMacroSlotCodeCount) return {};
  const std::uint16_t word = kMacroSlotWords[static_cast<std::size_t>(slot - 1)];
  const std::uint8_t type =
      release_mode == 0 ? key_type::kMacroSlotReleaseMode0 : key_type::kMacroSlotReleaseMode1;
  return KeyCodeText({type, static_cast<std::uint8_t>(word >> 8),
                      static_cast<std::uint8_t>(word & 0xFF)});
}

std::optional<int> MacroSlotOfCode(std::string_view code) {
  const auto bytes = KeyCodeBytes(code);
  if (!bytes) return std::nullopt;
  const std::uint8_t type = (*bytes)[0];
  if (type != key_type::kMacroSlotReleaseMode0 && type != key_type::kMacroSlotReleaseMode1) {
    return std::nullopt;
  }
  const auto word = static_cast<std::uint16_t>(((*bytes)[1] << 8) | (*bytes)[2]);
  for (int slot = 1; slot <= kMacroSlotCodeCount; ++slot) {
    if (kMacroSlotWords[static_cast<std::size_t>(slot - 1)] == word) return slot;
  }
  return std::nullopt;
}

}  // namespace zelko
