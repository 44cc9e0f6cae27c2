// The AIM key: a button whose function code is 0x0A, AIM value index, 0x00.
// The AIM value the page shows comes from the last AIM button found
// (profile 1's nine buttons, then profile 2's), and every write gives all
// AIM buttons the same value.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "image/parameter_record.h"

namespace zelko {

// First byte of an AIM button's function code.
inline constexpr std::uint8_t kAimButtonType = 0x0A;

// "Please select a AIM Key in Profile!": shown when the AIM value changes
// and no button carries AIM.
inline constexpr std::string_view kNoAimButtonMessage = "Please select a AIM Key in Profile!";

struct ButtonRef {
  int profile;  // 1 (key mode A) or 2 (key mode B)
  int button;   // 1..9
  friend bool operator==(const ButtonRef&, const ButtonRef&) = default;
};

// Every AIM button in scan order.
std::vector<ButtonRef> FindAimButtons(const ProfileSection& profile);

// The AIM value index the page shows: the second byte of the last AIM
// button found; nothing when no button carries AIM.
std::optional<int> AimValueFromProfile(const ProfileSection& profile);

// AIMKeyToDataBuf: every AIM button gets 0x0A, aim_value_index, 0x00.
// Returns how many buttons were written.
int AIMKeyToDataBuf(ProfileSection& profile, std::uint8_t aim_value_index);

}  // namespace zelko
