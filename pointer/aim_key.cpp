#include "pointer/aim_key.h"

namespace zelko {
namespace {

ButtonCode& CodeOf(ProfileSection& profile, const ButtonRef& ref) {
  auto& table = ref.profile == 1 ? profile.ModeA : profile.ModeB;
  return table[static_cast<std::size_t>(ref.button - 1)];
}

}  // namespace

std::vector<ButtonRef> FindAimButtons(const ProfileSection& profile) {
  std::vector<ButtonRef> found;
  for (int p = 1; p <= 2; ++p) {
    const auto& table = p == 1 ? profile.ModeA : profile.ModeB;
    for (int button = 1; button <= static_cast<int>(kButtonCount); ++button) {
      if (table[static_cast<std::size_t>(button - 1)].type == kAimButtonType) {
        found.push_back({p, button});
      }
    }
  }
  return found;
}

std::optional<int> AimValueFromProfile(const ProfileSection& profile) {
  const auto buttons = FindAimButtons(profile);
  if (buttons.empty()) return std::nullopt;
  const auto& last = buttons.back();
  const auto& table = last.profile == 1 ? profile.ModeA : profile.ModeB;
  return table[static_cast<std::size_t>(last.button - 1)].param1;
}

int AIMKeyToDataBuf(ProfileSection& profile, std::uint8_t aim_value_index) {
  const auto buttons = FindAimButtons(profile);
  for (const auto& ref : buttons) CodeOf(profile, ref) = {kAimButtonType, aim_value_index, 0x00};
  return static_cast<int>(buttons.size());
}

}  // namespace zelko
