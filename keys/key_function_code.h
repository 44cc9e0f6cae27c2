// KeyFunctionCode: the three bytes (type, parameter 1, parameter 2) that tell
// the mouse what a button does, and its text form of six upper-case
// hexadecimal digits with the type first ("010100" is the left click).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

using KeyFunctionCode = std::array<std::uint8_t, 3>;
inline constexpr std::size_t kKeyCodeTextLength = 6;

// The type byte.
namespace key_type {
inline constexpr std::uint8_t kDisabled = 0x00;
inline constexpr std::uint8_t kMouseButton = 0x01;         // parameter 1: button mask
inline constexpr std::uint8_t kKeyboardCombination = 0x02; // modifiers, keyboard usage
inline constexpr std::uint8_t kConsumerControl = 0x03;     // 16-bit consumer usage, high byte first
inline constexpr std::uint8_t kDpiLoop = 0x05;
inline constexpr std::uint8_t kMacroSlotReleaseMode0 = 0x06;  // 0x00 0xF0 is the fire key instead
inline constexpr std::uint8_t kDpiUp = 0x07;
inline constexpr std::uint8_t kDpiDown = 0x08;
inline constexpr std::uint8_t kLedOnOff = 0x09;
inline constexpr std::uint8_t kAimKey = 0x0A;              // parameter 1: AimValueIndex
inline constexpr std::uint8_t kFireMacro = 0x0C;
inline constexpr std::uint8_t kMenuTag1003 = 0x0D;
inline constexpr std::uint8_t kMacroSlotReleaseMode1 = 0x0E;
inline constexpr std::uint8_t kProfileSwitch = 0x0F;
inline constexpr std::uint8_t kLedModeSwitch = 0x10;
}  // namespace key_type

// Modifier bits of a keyboard combination (parameter 1); bits 4..7 are zero.
namespace key_modifier {
inline constexpr std::uint8_t kCtrl = 0x01;
inline constexpr std::uint8_t kShift = 0x02;
inline constexpr std::uint8_t kAlt = 0x04;
inline constexpr std::uint8_t kWin = 0x08;
}  // namespace key_modifier

// Well-known codes.
inline constexpr std::string_view kLeftClickCode = "010100";
inline constexpr std::string_view kDisabledCode = "000000";
inline constexpr std::string_view kFireKeyCode = "0600F0";

// True for exactly six hexadecimal digits (either case).
bool IsKeyCodeText(std::string_view text);

// Text to bytes: digit pairs 1-2, 3-4 and 5-6 as hexadecimal bytes. Nothing
// when the text is not six hexadecimal digits.
std::optional<KeyFunctionCode> KeyCodeBytes(std::string_view text);

// Bytes to text: each byte as two upper-case hexadecimal digits.
std::string KeyCodeText(const KeyFunctionCode& code);

// The code text of a keyboard combination: "02", modifiers, usage.
std::string CombinationCode(std::uint8_t modifiers, std::uint8_t usage);

// The code text of the AIM key for an AimValueIndex: "0A", index, "00".
std::string AimKeyCode(std::uint8_t aim_value_index);

}  // namespace zelko
