#include <gtest/gtest.h>

#include "pages/lighting_rules.h"
#include "pages/value_bars.h"

namespace zelko {
namespace {

std::vector<bool> Lit(std::initializer_list<int> notches, int count) {
  std::vector<bool> v(static_cast<std::size_t>(count), false);
  for (int n : notches) v[static_cast<std::size_t>(n - 1)] = true;
  return v;
}

TEST(ValueBars, SliderLightsOneNotchProgressLightsUpToIt) {
  EXPECT_EQ(DpiValueBar(BarStyle::Slider, 4), Lit({5}, 11));
  EXPECT_EQ(DpiValueBar(BarStyle::Progress, 4), Lit({1, 2, 3, 4, 5}, 11));
  EXPECT_EQ(StepBar(BarStyle::Progress, 0), Lit({1, 2, 3, 4, 5, 6, 7, 8}, 8));
  EXPECT_EQ(StepBar(BarStyle::Progress, 7), Lit({1}, 8));
  EXPECT_EQ(LedCountBar(BarStyle::Slider, 4), Lit({1}, 10));
  EXPECT_EQ(PaintBar(BarStyle::Progress, 11, 4), Lit({1, 2, 3, 4}, 11));  // double-click level 4
  EXPECT_EQ(BarStyleFromLayout(1), BarStyle::Slider);
  EXPECT_EQ(BarStyleFromLayout(2), BarStyle::Progress);
}

TEST(ValueBars, NumberOrderReversesLabelsButNotMeaning) {
  EXPECT_EQ(LedCountBarLabels(0).front(), "4");
  EXPECT_EQ(LedCountBarLabels(1).front(), "13");
  EXPECT_EQ(StepBarLabels(1).front(), "8");
  EXPECT_EQ(StepBarLabels(0).back(), "8");
  EXPECT_EQ(LedCountForNotch(1), 4);
  EXPECT_EQ(StepForNotch(1), 7);
  EXPECT_EQ(StepForNotch(8), 0);
}

TEST(LightingRules, CurrentModeListFollowsTheModeBoxes) {
  EngineerControls c;
  c.modes_offered = {true, true, false, true, true, true, true};
  c.current_mode_index = 4;
  RebuildCurrentModeList(c);
  EXPECT_EQ(c.current_mode_items[2], "------");
  EXPECT_EQ(c.current_mode_items[3], "Mode 4");
  EXPECT_EQ(c.current_mode_index, 0);
  EXPECT_FALSE(VisibleModeImages(c)[2]);
  EXPECT_FALSE(ChooseCurrentMode(c, 3));
  EXPECT_TRUE(ChooseCurrentMode(c, 4));
  EXPECT_EQ(ModeImagesLit(c), (std::array<bool, 7>{false, false, false, true, false, false, false}));
}

TEST(LightingRules, NotSavingTheKeyModeForcesModeAUntilSavingAgain) {
  EngineerControls c;
  c.key_mode_index = 1;
  SetKeyModeSaving(c, false);
  EXPECT_EQ(c.key_mode_index, 0);
  EXPECT_FALSE(c.key_mode_enabled);
  SetKeyModeSaving(c, true);
  EXPECT_TRUE(c.key_mode_enabled);
}

TEST(LightingRules, LedTypeLayout) {
  const auto normal = LayoutForLedType(true);
  const auto mcu = LayoutForLedType(false);
  EXPECT_TRUE(normal.breath_rate && normal.level_palette && normal.key_mode1_colour);
  EXPECT_FALSE(normal.lcpi_pair || normal.mode_images || normal.step_bar || normal.count_bar ||
               normal.level_rgb || normal.brightness);
  EXPECT_TRUE(mcu.lcpi_pair && mcu.mode_images && mcu.step_bar && mcu.count_bar && mcu.level_rgb);
  EXPECT_FALSE(mcu.breath_rate || mcu.level_palette);
}

}  // namespace
}  // namespace zelko
