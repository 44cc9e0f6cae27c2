// Codes that bind a button to a device macro slot: "06" (release mode 0) or
// "0E" (release mode 1) followed by the slot word of the slot as four
// hexadecimal digits. Slot n (1..7) has the slot word 0x0n21, the device
// address of its content's length byte.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

inline constexpr int kMacroSlotCodeCount = 7;
inline constexpr std::array<std::uint16_t, kMacroSlotCodeCount> kMacroSlotWords = {
    0x0121, 0x0221, 0x0321, 0x0421, 0x0521, 0x0621, 0x0721};

// The code of slot 1..7 for a release mode byte (0 gives type 0x06, any other
// value 0x0E). Empty text for a slot outside 1..7.
std::string MacroSlotCode(int slot, std::uint8_t release_mode);

// The slot 1..7 a code names: type 0x06 or 0x0E and a slot word as its
// parameters. Nothing for any other code, the fire key "0600F0" included.
std::optional<int> MacroSlotOfCode(std::string_view code);

}  // namespace zelko
