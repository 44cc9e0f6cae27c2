// The AIM key: a button whose function code is 0x0A, AimValueIndex, 0x00
// switches to the DPI value of that index while held. The value the pages
// show is the second byte of the last AIM button found (Profile 1's nine
// buttons, then Profile 2's), and every write gives all AIM buttons that one
// value.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "keys/button_map.h"

namespace zelko {

// The eleven DPI values an AimValueIndex can name: 0..10.
inline constexpr int kAimValueCount = 11;

// "Please select a AIM Key in Profile!": shown when the AIM value changes
// and no button carries AIM.
inline constexpr std::string_view kNoAimButtonMessage = "Please select a AIM Key in Profile!";

struct AimKey {
  // The value index of the last AIM button; nothing when no button carries
  // AIM. A value above 10 read from the mouse is kept as it is until the
  // user sets one.
  std::optional<std::uint8_t> value_index;
  friend bool operator==(const AimKey&, const AimKey&) = default;
};

// Every AIM button in scan order.
std::vector<ButtonRef> FindAimButtons(const ButtonMap& map);

AimKey DecodeAimKey(const ButtonMap& map);
// Every AIM button of the record's Profile gets 0x0A, value_index, 0x00
// (nothing changes without a value). Runs after the button map was encoded.
void EncodeAimKey(const AimKey& aim, ParameterRecord& record);

// The user sets the AIM value: it becomes the model's, and every AIM
// button of the map carries it at once. False (nothing changes) when no
// button carries AIM.
[[nodiscard]] bool SetAimValue(std::uint8_t value_index, ButtonMap& map, AimKey& aim);

// The code a button newly given the AIM function carries: "0A" with the
// index the AIM buttons already carry, or index 0 when there is none or it
// is not one of the eleven values.
ButtonCode NewAimButtonCode(const AimKey& aim);

}  // namespace zelko
