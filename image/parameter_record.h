// The working copies the window edits: ParameterRecord (the seven sections
// back to back, 202 bytes), BaseMacroArea (the macro area, 1792 bytes) and
// ProfileKeyCodes (the button codes as text). Field names are the ones the
// editing code uses; every struct here is a plain byte layout, so a section
// can be copied to and from DataBuf as a whole.
#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "image/image_layout.h"

namespace zelko {

inline constexpr std::size_t kDpiLevelMax = 7;
inline constexpr std::size_t kButtonCount = 9;

struct Rgb {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
static_assert(sizeof(Rgb) == 3);

// Bits of ParameterA.FeatureFlags.
namespace feature_flags {
inline constexpr unsigned kMcpiLedSwitchBit = 0;     // M+CPI LED switch on (1) / off (0)
inline constexpr unsigned kFireOnFnLeftBit = 1;      // fire on Fn+left (1) / left key (0)
inline constexpr unsigned kLcpiLedModeSwitchBit = 2; // L+CPI LED mode switch on (1) / off (0)
inline constexpr unsigned kKeyModeNotSavedBit = 3;   // key mode not saved (1) / saved (0)
inline constexpr unsigned kSensorOrientationShift = 4;
inline constexpr std::uint8_t kSensorOrientationMask = 0x70;  // bits 4..6, code 0..7
inline constexpr unsigned kNormalLedBit = 7;         // normal LED (1) / MCU LED (0)
}  // namespace feature_flags

// Bits of ParameterA.KeyModeSwitchFlags (bits 3..7 are never changed).
namespace key_mode_switch_flags {
inline constexpr unsigned kMiddleLongPressBit = 0;
inline constexpr unsigned kCpiLongPressBit = 1;
inline constexpr unsigned kGunLongPressBit = 2;
}  // namespace key_mode_switch_flags

// Bits of ParameterA.McuLedConfig (bits 0..2 are never changed).
namespace mcu_led_config {
inline constexpr unsigned kAllLightBit = 3;           // all-light (1) / half-light (0)
inline constexpr unsigned kLedCountShift = 4;         // bits 4..7 = 13 - number of LEDs
inline constexpr std::uint8_t kLedCountMask = 0xF0;
inline constexpr int kLedCountBase = 13;
}  // namespace mcu_led_config

// Bits of ParameterB.LedState.
namespace led_state {
inline constexpr std::uint8_t kModeMask = 0x07;      // bits 0..2: current lighting mode
inline constexpr unsigned kLedOffBit = 3;            // LED off (1) / on (0)
inline constexpr unsigned kMcuStepShift = 5;         // bits 5..7: current MCU LED step
inline constexpr std::uint8_t kMcuStepMask = 0xE0;
}  // namespace led_state

// Bits of ParameterB.KeyModeState.
namespace key_mode_state {
inline constexpr unsigned kModeBBit = 7;  // key mode B (1) / A (0)
}  // namespace key_mode_state

// ParameterA: device addresses 0x000..0x02F.
struct ParameterASection {
  std::uint8_t FeatureFlags;                          // 0x00
  std::uint8_t KeyModeSwitchFlags;                    // 0x01
  std::uint8_t DpiLevelCount;                         // 0x02, 2..7
  std::uint8_t McuLedConfig;                          // 0x03
  std::uint8_t McuLedModeMask;                        // 0x04, 0xFF with normal LED
  std::uint8_t BreathStep;                            // 0x05
  std::array<std::uint8_t, kDpiLevelMax> DpiValueIndex;    // 0x06..0x0C, 0..10, 0xFF unset
  std::array<std::uint8_t, kDpiLevelMax> DpiPaletteIndex;  // 0x0D..0x13, 0..6
  Rgb KeyMode1Colour;                                 // 0x14..0x16
  Rgb KeyMode2Colour;                                 // 0x17..0x19
  std::array<Rgb, kDpiLevelMax> DpiColour;            // 0x1A..0x2E
  std::uint8_t checksum;                              // 0x2F
};
static_assert(sizeof(ParameterASection) == kParameterASize);

// ParameterB: device addresses 0x030..0x037. The first three bytes each
// have a complement (0xFF - value) after them.
struct ParameterBSection {
  std::uint8_t CurrentDpiLevel;             // 0x30, 0..6
  std::uint8_t CurrentDpiLevelComplement;   // 0x31
  std::uint8_t LedState;                    // 0x32
  std::uint8_t LedStateComplement;          // 0x33
  std::uint8_t KeyModeState;                // 0x34
  std::uint8_t KeyModeStateComplement;      // 0x35
  std::uint8_t ManufacturerCode;            // 0x36, 255 generic
  std::uint8_t ProductCode;                 // 0x37, 255 generic
};
static_assert(sizeof(ParameterBSection) == kParameterBSize);

// The three bytes of one button's function code: type, parameter 1,
// parameter 2 ("010100" is the left click).
struct ButtonCode {
  std::uint8_t type;
  std::uint8_t param1;
  std::uint8_t param2;
  friend bool operator==(const ButtonCode&, const ButtonCode&) = default;
};
static_assert(sizeof(ButtonCode) == 3);

// Profile: device addresses 0x040..0x076. Entry n-1 belongs to button n.
struct ProfileSection {
  std::array<ButtonCode, kButtonCount> ModeA;  // "Profile 1", bytes 0..26
  std::array<ButtonCode, kButtonCount> ModeB;  // "Profile 2", bytes 27..53
  std::uint8_t checksum;                       // byte 54
};
static_assert(sizeof(ProfileSection) == kProfileSize);

// FireKey: device addresses 0x0F0..0x0FA, an event script laid out like a
// macro's content from its length byte on. Only FireRepeatCount and
// FireInterval are edited.
struct FireKeySection {
  std::uint8_t Length;           // 0x0A: length of the script, checksum included
  std::uint8_t RepeatStart;      // 0xFD
  std::uint8_t FireRepeatCount;  // repeat count (2..127) minus one
  std::uint8_t LeftDown;         // 0xA1
  std::uint8_t PressDelayCode;   // 0xFE
  std::uint8_t PressDelay;       // 0x03
  std::uint8_t LeftUp;           // 0x21
  std::uint8_t IntervalCode;     // 0xFE
  std::uint8_t FireInterval;     // delay after each release, 0..255 (8 ms units)
  std::uint8_t RepeatEnd;        // 0xFC
  std::uint8_t checksum;
};
static_assert(sizeof(FireKeySection) == kFireKeySize);

using ReserveASection = std::array<std::uint8_t, kReserveASize>;
using ReserveBSection = std::array<std::uint8_t, kReserveBSize>;
using ReserveCSection = std::array<std::uint8_t, kReserveCSize>;

// The window's working copy of the seven sections.
struct ParameterRecord {
  ParameterASection ParameterA;
  ParameterBSection ParameterB;
  ProfileSection Profile;
  ReserveASection ReserveA;
  ReserveBSection ReserveB;
  ReserveCSection ReserveC;
  FireKeySection FireKey;

  // The record as 202 bytes, sections back to back.
  std::span<std::uint8_t, kParameterRecordSize> Bytes() {
    return std::span<std::uint8_t, kParameterRecordSize>(
        reinterpret_cast<std::uint8_t*>(this), kParameterRecordSize);
  }
  std::span<const std::uint8_t, kParameterRecordSize> Bytes() const {
    return std::span<const std::uint8_t, kParameterRecordSize>(
        reinterpret_cast<const std::uint8_t*>(this), kParameterRecordSize);
  }
  // One section's bytes inside the record.
  std::span<std::uint8_t> SectionBytes(Section section) {
    const auto& place = PlaceOf(section);
    return Bytes().subspan(place.record_offset, place.length);
  }
  std::span<const std::uint8_t> SectionBytes(Section section) const {
    const auto& place = PlaceOf(section);
    return Bytes().subspan(place.record_offset, place.length);
  }

  friend bool operator==(const ParameterRecord& a, const ParameterRecord& b) {
    return std::equal(a.Bytes().begin(), a.Bytes().end(), b.Bytes().begin());
  }
};
static_assert(sizeof(ParameterRecord) == kParameterRecordSize);
static_assert(offsetof(ParameterRecord, ParameterB) == 48);
static_assert(offsetof(ParameterRecord, Profile) == 56);
static_assert(offsetof(ParameterRecord, ReserveA) == 111);
static_assert(offsetof(ParameterRecord, ReserveB) == 141);
static_assert(offsetof(ParameterRecord, ReserveC) == 161);
static_assert(offsetof(ParameterRecord, FireKey) == 191);

// The working copy of DataBuf 0x100..0x7FF: seven macro slots of 256 bytes.
using BaseMacroArea = std::array<std::uint8_t, kMacroAreaSize>;

// Slot n (1..7) of the macro area: 32-byte name, then 224 bytes of content.
inline std::span<std::uint8_t, kMacroSlotSize> MacroSlotBytes(BaseMacroArea& area,
                                                              std::size_t slot) {
  return std::span<std::uint8_t, kMacroSlotSize>(area.data() + MacroSlotAreaOffset(slot),
                                                 kMacroSlotSize);
}
inline std::span<const std::uint8_t, kMacroSlotSize> MacroSlotBytes(const BaseMacroArea& area,
                                                                    std::size_t slot) {
  return std::span<const std::uint8_t, kMacroSlotSize>(area.data() + MacroSlotAreaOffset(slot),
                                                       kMacroSlotSize);
}

// The button codes of both key modes as six upper-case hexadecimal digits
// ("010100"); entry n-1 belongs to button n. The button editor works on
// these and stores the bytes into ParameterRecord.Profile in the same step.
struct ProfileKeyCodes {
  std::array<std::string, kButtonCount> ModeA;  // "Profile 1"
  std::array<std::string, kButtonCount> ModeB;  // "Profile 2"

  void Clear() {
    ModeA = {};
    ModeB = {};
  }
  friend bool operator==(const ProfileKeyCodes&, const ProfileKeyCodes&) = default;
};

// "010100" from {0x01, 0x01, 0x00}.
std::string ButtonCodeText(const ButtonCode& code);
// Both tables rebuilt from the Profile section.
ProfileKeyCodes BuildProfileKeyCodes(const ProfileSection& profile);

}  // namespace zelko
