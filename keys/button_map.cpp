#include "keys/button_map.h"

#include "base/bit_ops.h"

namespace zelko {
namespace {

namespace kms = key_mode_switch_flags;

}  // namespace

bool ButtonRef::valid() const {
  return profile >= 1 && profile <= kProfileCount && button >= 1 &&
         button <= static_cast<int>(kButtonCount);
}

ProfileButtons& ButtonMap::Profile(int profile) { return profiles[profile == 2 ? 1 : 0]; }
const ProfileButtons& ButtonMap::Profile(int profile) const { return profiles[profile == 2 ? 1 : 0]; }

ButtonCode& ButtonMap::Code(ButtonRef ref) {
  return Profile(ref.profile)[static_cast<std::size_t>(ref.button - 1)];
}
const ButtonCode& ButtonMap::Code(ButtonRef ref) const {
  return Profile(ref.profile)[static_cast<std::size_t>(ref.button - 1)];
}

ButtonMap DecodeButtonMap(const ParameterRecord& record) {
  ButtonMap map;
  map.profiles[0] = record.Profile.ModeA;
  map.profiles[1] = record.Profile.ModeB;
  map.key_mode = ByteBitSet(record.ParameterB.KeyModeState, key_mode_state::kModeBBit) ? KeyMode::kB
                                                                                    : KeyMode::kA;
  const std::uint8_t flags = record.ParameterA.KeyModeSwitchFlags;
  map.middle_long_press = ByteBitSet(flags, kms::kMiddleLongPressBit);
  map.cpi_long_press = ByteBitSet(flags, kms::kCpiLongPressBit);
  map.gun_long_press = ByteBitSet(flags, kms::kGunLongPressBit);
  return map;
}

void EncodeButtonMap(const ButtonMap& map, ParameterRecord& record) {
  record.Profile.ModeA = map.profiles[0];
  record.Profile.ModeB = map.profiles[1];
  auto& b = record.ParameterB;
  b.KeyModeState = map.key_mode == KeyMode::kB ? ByteBit(key_mode_state::kModeBBit) : std::uint8_t{0};
  b.KeyModeStateComplement = static_cast<std::uint8_t>(0xFF - b.KeyModeState);
  std::uint8_t& flags = record.ParameterA.KeyModeSwitchFlags;
  PutByteBit(flags, kms::kMiddleLongPressBit, map.middle_long_press);
  PutByteBit(flags, kms::kCpiLongPressBit, map.cpi_long_press);
  PutByteBit(flags, kms::kGunLongPressBit, map.gun_long_press);
}

ProfileKeyCodes KeyCodeTexts(const ButtonMap& map) {
  ProfileKeyCodes codes;
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    codes.ModeA[i] = ButtonCodeText(map.profiles[0][i]);
    codes.ModeB[i] = ButtonCodeText(map.profiles[1][i]);
  }
  return codes;
}

}  // namespace zelko
