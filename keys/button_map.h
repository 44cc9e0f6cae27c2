// The button map: what each of the nine buttons does in each of the two key
// modes ("Profile 1" is key mode A, "Profile 2" key mode B), which key mode
// is current, and the long presses that switch it.
//
// Wire side: ParameterRecord.Profile (the 18 codes), ParameterB.KeyModeState
// with its complement, ParameterA.KeyModeSwitchFlags bits 0..2 (bits 3..7
// are never changed).
#pragma once
#include <array>
#include <cstdint>

#include "image/parameter_record.h"

namespace zelko {

inline constexpr int kProfileCount = 2;

// One button of one profile: profile 1..2, button 1..9.
struct ButtonRef {
  int profile = 1;
  int button = 1;
  bool valid() const;
  friend bool operator==(const ButtonRef&, const ButtonRef&) = default;
};

enum class KeyMode : std::uint8_t { kA, kB };  // Profile 1, Profile 2

using ProfileButtons = std::array<ButtonCode, kButtonCount>;

struct ButtonMap {
  std::array<ProfileButtons, kProfileCount> profiles{};  // [0] Profile 1, [1] Profile 2
  KeyMode key_mode = KeyMode::kA;
  bool middle_long_press = false;  // a long press of the middle key switches key mode
  bool cpi_long_press = false;     // ... of the CPI key
  bool gun_long_press = false;     // ... of the gun key

  // Profile 1 or 2 (anything else is taken as 1).
  ProfileButtons& Profile(int profile);
  const ProfileButtons& Profile(int profile) const;
  // The code of a valid button.
  ButtonCode& Code(ButtonRef ref);
  const ButtonCode& Code(ButtonRef ref) const;

  friend bool operator==(const ButtonMap&, const ButtonMap&) = default;
};

ButtonMap DecodeButtonMap(const ParameterRecord& record);
// Writes the codes, the key mode (0x80 for B, 0x00 for A) with its
// complement and the three long-press bits.
void EncodeButtonMap(const ButtonMap& map, ParameterRecord& record);

// The codes as the button editor's text tables ("010100").
ProfileKeyCodes KeyCodeTexts(const ButtonMap& map);

}  // namespace zelko
