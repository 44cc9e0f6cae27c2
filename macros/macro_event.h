// The event codes of a macro's content: first byte, then an optional second
// byte. Bit 7 of a key or button code set means "pressed".
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelko {

namespace macro_event {
inline constexpr std::uint8_t kModifierPress = 0x81;    // + modifier bits
inline constexpr std::uint8_t kModifierRelease = 0x01;  // + modifier bits
inline constexpr std::uint8_t kKeyPress = 0x82;         // + keyboard usage
inline constexpr std::uint8_t kKeyRelease = 0x02;       // + keyboard usage
inline constexpr std::uint8_t kDelay = 0xFE;            // + d: d * 8 ms
inline constexpr std::uint8_t kMoveX = 0xFB;            // + signed step
inline constexpr std::uint8_t kMoveY = 0xFA;            // + signed step
inline constexpr std::uint8_t kRepeatStart = 0xFD;      // + repeat number - 1
inline constexpr std::uint8_t kRepeatEnd = 0xFC;
inline constexpr std::uint8_t kPressedBit = 0x80;
}  // namespace macro_event

// A delay event holds d * 8 ms, 0..2040 ms.
inline constexpr int kDelayStepMs = 8;
inline constexpr int kMaxEventDelayMs = 2040;
inline constexpr std::uint8_t kMaxDelayByte = 0xFF;
// A delay line of the editor merges at most this many delay events.
inline constexpr int kMaxMergedDelayEvents = 5;

// The five mouse buttons a macro presses and releases. The release code is
// the low bits; the press code has bit 7 set as well.
enum class MacroMouseButton { kLeft, kRight, kMiddle, kForward, kBackward };

struct MouseButtonEventInfo {
  MacroMouseButton button;
  std::uint8_t release_code;
  std::string_view name;  // the name part of its lines
};

inline constexpr std::array<MouseButtonEventInfo, 5> kMouseButtonEvents = {{
    {MacroMouseButton::kLeft, 0x21, "LeftKey"},
    {MacroMouseButton::kRight, 0x22, "RightKey"},
    {MacroMouseButton::kMiddle, 0x24, "MiddleKey"},
    {MacroMouseButton::kForward, 0x28, "Forward"},    // X button 2
    {MacroMouseButton::kBackward, 0x30, "Backward"},  // X button 1
}};

const MouseButtonEventInfo& MouseButtonInfo(MacroMouseButton button);
// The button of a one-byte button code, pressed (bit 7) or released.
std::optional<MouseButtonEventInfo> MouseButtonOfCode(std::uint8_t code);

// The modifier bits of 0x81/0x01 events in table order, with the Windows
// virtual key whose key name names them.
struct ModifierBitInfo {
  std::uint8_t bit;
  int virtual_key;
};
inline constexpr std::array<ModifierBitInfo, 5> kModifierBits = {{
    {0x01, 17},  // Ctrl
    {0x02, 16},  // Shift
    {0x04, 18},  // Alt
    {0x08, 91},  // left Windows
    {0x80, 92},  // right Windows
}};

// Number of bytes of the event that starts with this first byte: 2 for key,
// modifier, delay, move and repeat-start events, 1 for button events and the
// repeat end, 0 for a byte that starts no known event.
std::size_t EventSize(std::uint8_t first_byte);

}  // namespace zelko
