#include <gtest/gtest.h>

#include "settings/aim_key.h"
#include "pages/control_codec.h"
#include "pages/dpi_page.h"

namespace zelko {
namespace {

struct DpiPage : ::testing::Test {
  EngineerControls controls;
  DpiPageState page;
  DpiPageLayout layout;
  void SetUp() override { ChangeLevelCount(controls, page, 4); }
  int Count() const { return page.working_level_count; }
};

TEST_F(DpiPage, CountChangeMakesTheHighestLevelCurrentAndHidesTheRest) {
  ChangeLevelCount(controls, page, 7);
  ChangeLevelCount(controls, page, 4);
  EXPECT_EQ(controls.current_level_index, 3);
  EXPECT_EQ(controls.checked_level_radio, 3);
  EXPECT_EQ(controls.current_level_items, 4);
  for (int n = 5; n <= 7; ++n) {
    EXPECT_FALSE(controls.levels[n - 1].shown) << n;
    EXPECT_FALSE(page.level_active[n - 1]) << n;
  }
  ChangeLevelCount(controls, page, 7);
  EXPECT_EQ(controls.current_level_index, 6);
  EXPECT_TRUE(controls.levels[6].shown);
  EXPECT_FALSE(ChangeLevelCount(controls, page, 1));
  EXPECT_FALSE(ChangeLevelCount(controls, page, 8));
  EXPECT_EQ(Count(), 7);
}

TEST_F(DpiPage, LevelNamesAddAndRemove) {
  struct Case {
    int clicked;
    int count_after;
  };
  // From four active levels.
  const Case cases[] = {{5, 5}, {4, 3}, {3, 4}, {2, 4}, {1, 4}, {6, 4}, {7, 4}};
  for (const auto& c : cases) {
    ChangeLevelCount(controls, page, 4);
    ClickLevelName(controls, page, layout, c.clicked);
    EXPECT_EQ(Count(), c.count_after) << "lbl_DPI" << c.clicked;
    EXPECT_EQ(controls.current_level_index, c.count_after - 1) << "lbl_DPI" << c.clicked;
  }
  ChangeLevelCount(controls, page, 7);
  ClickLevelName(controls, page, layout, 7);
  EXPECT_EQ(Count(), 6);
  ChangeLevelCount(controls, page, 2);
  ClickLevelName(controls, page, layout, 2);
  EXPECT_EQ(Count(), 2);
}

TEST_F(DpiPage, LevelNamesDoNothingWhileTheCountListShows) {
  layout.count_combo_visible = true;
  EXPECT_FALSE(ClickLevelName(controls, page, layout, 5));
  EXPECT_EQ(Count(), 4);
}

TEST_F(DpiPage, MarkerOfAnInactiveLevelIsRefused) {
  EXPECT_TRUE(ClickLevelMarker(controls, page, 2));
  EXPECT_EQ(page.lit_marker, 1);
  EXPECT_FALSE(ClickLevelMarker(controls, page, 6));
  EXPECT_EQ(controls.current_level_index, 1);
  EXPECT_EQ(page.lit_marker, 1);
}

TEST_F(DpiPage, RefusedMarkerAfterShrinkingNeverSelectsAGoneLevel) {
  ChangeLevelCount(controls, page, 7);
  ClickLevelMarker(controls, page, 7);
  ChangeLevelCount(controls, page, 3);
  ClickLevelMarker(controls, page, 6);
  EXPECT_LT(controls.current_level_index, 3);
}

TEST_F(DpiPage, ClearThenConfirmKeepsTheColour) {
  SetLevelPalette(controls, 2, 3);
  ColourChooser chooser(2);
  chooser.Pick(5);
  EXPECT_EQ(chooser.markers()[5], true);
  chooser.Clear();
  EXPECT_EQ(chooser.markers(), (std::array<bool, 7>{}));
  EXPECT_FALSE(chooser.Confirm(controls));
  EXPECT_EQ(controls.levels[1].palette_index, 3);
  chooser.Pick(6);
  EXPECT_TRUE(chooser.Confirm(controls));
  EXPECT_EQ(controls.levels[1].palette_index, 6);
}

TEST_F(DpiPage, SwatchFollowsTheLedType) {
  SetLevelPalette(controls, 1, 1);
  SetLevelRgb(controls, 1, {1, 2, 3});
  page.normal_led = true;
  EXPECT_EQ(LevelSwatchColour(controls, page, 1)->g, 255);
  page.normal_led = false;
  EXPECT_EQ(LevelSwatchColour(controls, page, 1)->b, 3);
  controls.levels[0].colour.r = "";
  EXPECT_FALSE(LevelSwatchColour(controls, page, 1).has_value());
}

MouseSettings WithButtons(ButtonCode a5, ButtonCode b8) {
  MouseSettings settings;
  for (auto& profile : settings.buttons.profiles) profile.fill({0x01, 0x01, 0x00});
  settings.buttons.Code({1, 5}) = a5;
  settings.buttons.Code({2, 8}) = b8;
  settings.aim = DecodeAimKey(settings.buttons);
  return settings;
}

TEST(AimKey, TheLastAimButtonDecides) {
  const auto settings = WithButtons({0x0A, 0x02, 0x00}, {0x0A, 0x09, 0x00});
  EXPECT_EQ(FindAimButtons(settings.buttons), (std::vector<ButtonRef>{{1, 5}, {2, 8}}));
  EngineerControls controls;
  SettingsToControls(settings, controls);
  EXPECT_EQ(controls.aim_value_index, 9);
}

TEST(AimKey, ChangingTheValueWithoutAnAimButtonFallsBackToIndexZero) {
  auto settings = WithButtons({0x01, 0x02, 0x00}, {0x01, 0x04, 0x00});
  const auto before = settings;
  EngineerControls controls;
  DpiPageState page;
  const auto change = ChangeAimValue(settings, controls, page, 0);
  EXPECT_TRUE(change.no_aim_button);
  EXPECT_EQ(change.message, "Please select a AIM Key in Profile!");
  EXPECT_EQ(page.aim_value_index, 0);
  EXPECT_EQ(page.aim_caption, "500");
  EXPECT_EQ(settings, before);
  EXPECT_TRUE(ChangeAimValue(settings, controls, page, 7).no_aim_button);
  EXPECT_EQ(controls.aim_value_index, 0);
}

TEST(AimKey, ChangingTheValueGivesEveryAimButtonThatValue) {
  auto settings = WithButtons({0x0A, 0x02, 0x00}, {0x0A, 0x09, 0x00});
  EngineerControls controls;
  DpiPageState page;
  EXPECT_FALSE(ChangeAimValue(settings, controls, page, 4).no_aim_button);
  EXPECT_EQ(settings.buttons.Code({1, 5}), (ButtonCode{0x0A, 0x04, 0x00}));
  EXPECT_EQ(settings.buttons.Code({2, 8}), (ButtonCode{0x0A, 0x04, 0x00}));
  EXPECT_EQ(settings.aim.value_index, 4);
  EXPECT_EQ(page.aim_caption, "1600");
}

}  // namespace
}  // namespace zelko
