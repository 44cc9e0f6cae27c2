#include "settings/aim_key.h"

#include "keys/key_function_code.h"

namespace zelko {

std::vector<ButtonRef> FindAimButtons(const ButtonMap& map) {
  std::vector<ButtonRef> found;
  for (int profile = 1; profile <= kProfileCount; ++profile) {
    for (int button = 1; button <= static_cast<int>(kButtonCount); ++button) {
      if (map.Code({profile, button}).type == key_type::kAimKey) found.push_back({profile, button});
    }
  }
  return found;
}

AimKey DecodeAimKey(const ButtonMap& map) {
  const auto buttons = FindAimButtons(map);
  if (buttons.empty()) return {};
  return AimKey{map.Code(buttons.back()).param1};
}

void EncodeAimKey(const AimKey& aim, ParameterRecord& record) {
  if (!aim.value_index) return;
  for (auto* table : {&record.Profile.ModeA, &record.Profile.ModeB}) {
    for (ButtonCode& code : *table) {
      if (code.type == key_type::kAimKey) code = {key_type::kAimKey, *aim.value_index, 0x00};
    }
  }
}

bool SetAimValue(std::uint8_t value_index, ButtonMap& map, AimKey& aim) {
  const auto buttons = FindAimButtons(map);
  if (buttons.empty()) return false;
  aim.value_index = value_index;
  for (const ButtonRef& ref : buttons) map.Code(ref) = {key_type::kAimKey, value_index, 0x00};
  return true;
}

ButtonCode NewAimButtonCode(const AimKey& aim) {
  const std::uint8_t index =
      aim.value_index && *aim.value_index < kAimValueCount ? *aim.value_index : std::uint8_t{0};
  return {key_type::kAimKey, index, 0x00};
}

}  // namespace zelko
