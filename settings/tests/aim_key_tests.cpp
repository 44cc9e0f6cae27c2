// The AIM value: which button decides it, and what a new AIM button gets.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/aim_key.h"

namespace zelko {
namespace {

struct AimCase {
  const char* name;
  std::optional<ButtonCode> profile1_button3;
  std::optional<ButtonCode> profile2_button8;
  std::optional<std::uint8_t> value;  // what the pages show
  std::uint8_t new_button_index;      // what a button newly made AIM carries
};

class AimValue : public testing::TestWithParam<AimCase> {};

TEST_P(AimValue, ComesFromTheLastAimButtonAndIsCopiedOnlyWhenInRange) {
  const AimCase& c = GetParam();
  ButtonMap map;
  for (auto& profile : map.profiles) profile.fill({0x01, 0x01, 0x00});
  if (c.profile1_button3) map.Code({1, 3}) = *c.profile1_button3;
  if (c.profile2_button8) map.Code({2, 8}) = *c.profile2_button8;
  const AimKey aim = DecodeAimKey(map);
  EXPECT_EQ(aim.value_index, c.value);
  EXPECT_EQ(NewAimButtonCode(aim), (ButtonCode{0x0A, c.new_button_index, 0x00}));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, AimValue,
    testing::Values(AimCase{"NoAimButton", std::nullopt, std::nullopt, std::nullopt, 0},
                    AimCase{"OnlyProfileOne", ButtonCode{0x0A, 4, 0}, std::nullopt, 4, 4},
                    AimCase{"ProfileTwoIsFoundLast", ButtonCode{0x0A, 4, 0}, ButtonCode{0x0A, 9, 0}, 9, 9},
                    AimCase{"IndexOutOfRangeIsKeptButNotCopied", ButtonCode{0x0A, 11, 0}, std::nullopt,
                            11, 0}),
    [](const testing::TestParamInfo<AimCase>& info) { return std::string(info.param.name); });

TEST(AimValue, SettingItNeedsAnAimButtonAndReachesEveryOne) {
  ButtonMap map;
  AimKey aim;
  EXPECT_FALSE(SetAimValue(5, map, aim));
  EXPECT_FALSE(aim.value_index.has_value());
  map.Code({1, 2}) = {0x0A, 1, 0};
  map.Code({2, 9}) = {0x0A, 7, 0};
  ASSERT_TRUE(SetAimValue(5, map, aim));
  EXPECT_EQ(aim.value_index, 5);
  EXPECT_EQ(map.Code({1, 2}), (ButtonCode{0x0A, 5, 0}));
  EXPECT_EQ(map.Code({2, 9}), (ButtonCode{0x0A, 5, 0}));
}

}  // namespace
}  // namespace zelko
