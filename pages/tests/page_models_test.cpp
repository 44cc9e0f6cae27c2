// The Advanced and Light page models over the settings: a click lands in
// the settings the write encodes, a refused click leaves them, and an edit
// on one page keeps what the other page changed.
#include <gtest/gtest.h>

#include "image/factory_images.h"
#include "image/image_codec.h"
#include "pages/advanced_page_model.h"
#include "pages/light_page_model.h"
#include "pages/pointer_report_text.h"
#include "pages/tests/factory_settings.h"

namespace zelko {
namespace {

using testing::FactorySettings;

struct AdvancedPage : ::testing::Test {
  MouseSettings settings = FactorySettings();
  AdvancedPageModel model;
  void SetUp() override { model.Refresh(settings); }
};

TEST_F(AdvancedPage, FactoryImageShowsSevenLevelsWithTheSecondCurrent) {
  const std::array<const char*, 7> captions{"800", "1600", "2400", "3200", "4800", "6400", "3200"};
  EXPECT_EQ(model.page().working_level_count, 7);
  for (std::size_t n = 0; n < captions.size(); ++n) EXPECT_EQ(model.page().value_caption[n], captions[n]);
  EXPECT_EQ(model.page().lit_marker, 1);
  // Slider style: level 2 (value index 4) lights notch 5 only.
  const auto bar = model.ValueBar(2);
  ASSERT_EQ(bar.size(), 11u);
  for (std::size_t k = 0; k < bar.size(); ++k) EXPECT_EQ(bar[k], k == 4) << k;
}

TEST_F(AdvancedPage, CountNotchAndMarkerReachTheSettings) {
  ASSERT_TRUE(model.ChangeCount(settings, 4));
  EXPECT_EQ(settings.dpi.count, 4);
  EXPECT_EQ(settings.dpi.current, 3);

  ASSERT_TRUE(model.ClickValueNotch(settings, 2, 11));
  EXPECT_EQ(settings.dpi.levels[1].value_index, 10);
  EXPECT_EQ(model.page().value_caption[1], "6400");

  ASSERT_TRUE(model.ClickMarker(settings, 1));
  EXPECT_EQ(settings.dpi.current, 0);
  const MouseSettings before = settings;
  EXPECT_FALSE(model.ClickMarker(settings, 6));  // inactive
  EXPECT_FALSE(model.ClickValueNotch(settings, 6, 3));
  EXPECT_EQ(settings, before);
  EXPECT_EQ(model.page().lit_marker, 0);
}

TEST_F(AdvancedPage, ChooserAppliesOnlyAChosenColourOnConfirm) {
  settings.lighting.type = LedType::kNormal;
  model.Refresh(settings);
  const int before = settings.dpi.levels[2].palette_index;
  ColourChooser chooser(3);
  chooser.Pick(5);
  chooser.Clear();
  EXPECT_FALSE(model.ConfirmColour(settings, chooser));
  EXPECT_EQ(settings.dpi.levels[2].palette_index, before);
  chooser.Pick(3);
  ASSERT_TRUE(model.ConfirmColour(settings, chooser));
  EXPECT_EQ(settings.dpi.levels[2].palette_index, 3);
  EXPECT_EQ(model.Swatch(3), (Rgb{0, 0, 255}));
}

TEST_F(AdvancedPage, AimNotchIsRefusedWithoutAnAimButtonAndWritesEveryAimButtonOtherwise) {
  const MouseSettings before = settings;
  const AimChange refused = model.ClickAimNotch(settings, 6);
  EXPECT_TRUE(refused.no_aim_button);
  EXPECT_EQ(refused.message, kNoAimButtonMessage);
  EXPECT_EQ(settings, before);
  EXPECT_EQ(model.page().aim_caption, "500");

  settings.buttons.Code({1, 4}) = {0x0A, 0x00, 0x00};
  settings.buttons.Code({2, 5}) = {0x0A, 0x02, 0x00};
  const AimChange taken = model.ClickAimNotch(settings, 6);
  EXPECT_FALSE(taken.no_aim_button);
  EXPECT_EQ(settings.buttons.Code({1, 4}).param1, 5);
  EXPECT_EQ(settings.buttons.Code({2, 5}).param1, 5);
  EXPECT_EQ(model.page().aim_caption, "2000");
}

TEST_F(AdvancedPage, FireEditsKeepTheLastCountWhileTypingAndClampOnLeaving) {
  const int kept = settings.fire.repeat_count;
  model.EditRepeat(settings, "1");  // may still become 10..19
  EXPECT_EQ(model.page().repeat_text, "1");
  EXPECT_EQ(settings.fire.repeat_count, kept);
  model.LeaveRepeat(settings);
  EXPECT_EQ(model.page().repeat_text, "2");
  EXPECT_EQ(settings.fire.repeat_count, 2);
  model.EditDelay(settings, "300");
  EXPECT_EQ(model.page().delay_text, "255");
  EXPECT_EQ(settings.fire.interval, 255);
}

TEST(PageModels, AnAdvancedEditKeepsWhatTheLightPageChanged) {
  MouseSettings settings = FactorySettings();
  AdvancedPageModel advanced;
  LightPageModel light;
  advanced.Refresh(settings);
  light.Refresh(settings);
  light.Choose(settings, LightChoice::LedStatus, false);
  ASSERT_TRUE(light.ClickCountNotch(settings, 1));
  ASSERT_TRUE(advanced.ChangeCount(settings, 3));
  EXPECT_FALSE(settings.lighting.led_on);
  EXPECT_EQ(settings.lighting.led_count, 4);
  EXPECT_EQ(settings.dpi.count, 3);
}

struct LightPage : ::testing::Test {
  MouseSettings settings = FactorySettings();
  LightPageModel model;
  void SetUp() override { model.Refresh(settings); }
};

TEST_F(LightPage, FactoryImageShowsTheMcuLedWithModeFiveAndStepTwo) {
  EXPECT_FALSE(model.normal_led());
  EXPECT_TRUE(model.layout().mode_images);
  EXPECT_TRUE(model.FirstChosen(LightChoice::LedStatus));
  EXPECT_TRUE(model.FirstChosen(LightChoice::McpiSwitch));
  EXPECT_TRUE(model.FirstChosen(LightChoice::LcpiSwitch));
  EXPECT_TRUE(model.FirstChosen(LightChoice::KeyModeSaving));
  EXPECT_TRUE(model.FirstChosen(LightChoice::Brightness));
  EXPECT_EQ(model.LitModes(), (std::array<bool, 7>{false, false, false, false, true, false, false}));
  // Slider: step 2 on notch 6, 10 LEDs on notch 7.
  EXPECT_TRUE(model.StepBarLit()[5]);
  EXPECT_TRUE(model.CountBarLit()[6]);
}

TEST_F(LightPage, NotchesModesAndPairsReachTheSettings) {
  ASSERT_TRUE(model.ClickStepNotch(settings, 8));
  EXPECT_EQ(settings.lighting.step, 0);
  ASSERT_TRUE(model.ClickCountNotch(settings, 10));
  EXPECT_EQ(settings.lighting.led_count, 13);
  ASSERT_TRUE(model.ChooseMode(settings, 2));
  EXPECT_EQ(settings.lighting.mode, 2);
  model.Choose(settings, LightChoice::Brightness, false);
  EXPECT_FALSE(settings.lighting.full_brightness);
  ASSERT_TRUE(model.SetKeyModeColour(settings, 2, {1, 2, 3}));
  EXPECT_EQ(settings.lighting.key_mode_colours[1], (Rgb{1, 2, 3}));

  settings.lighting.modes_offered[2] = false;
  model.Refresh(settings);
  EXPECT_FALSE(model.VisibleModes()[2]);
  EXPECT_FALSE(model.ChooseMode(settings, 3));
  EXPECT_EQ(settings.lighting.mode, 2);
}

TEST_F(LightPage, NotSavingTheKeyModeForcesKeyModeA) {
  settings.buttons.key_mode = KeyMode::kB;
  model.Choose(settings, LightChoice::KeyModeSaving, false);
  EXPECT_FALSE(settings.lighting.key_mode_saved);
  EXPECT_EQ(settings.buttons.key_mode, KeyMode::kA);
}

TEST_F(LightPage, ProgressStyleLightsEveryStepNotchUpToTheStep) {
  model.SetBarStyle(BarStyle::Progress);
  ASSERT_TRUE(model.ClickStepNotch(settings, 1));  // step 7
  EXPECT_EQ(settings.lighting.step, 7);
  const auto lit = model.StepBarLit();
  EXPECT_EQ(std::count(lit.begin(), lit.end(), true), 1);
}

// The line's words are the pack's: every word comes from its id.
TEST(PointerReportText, GroupsWhatTheDesktopDidInThePacksWordsAndLeavesOutWhatItWasNotAsked) {
  PointerApplyReport report;
  report.settings = {
      {std::string(kMouseSensitivityValue), "10", true, ApplyOutcome::Taken},
      {std::string(kMouseThreshold1Value), "6", true, std::nullopt},
      {std::string(kMouseSpeedValue), "1", true, ApplyOutcome::Failed},
      {std::string(kDoubleClickSpeedValue), "480", true, ApplyOutcome::Taken},
      {std::string(kWheelScrollLinesValue), "3", true, ApplyOutcome::NoPlace},
  };
  const PackText ids = [](std::string_view id) { return "<" + std::string(id) + ">"; };
  EXPECT_EQ(DesktopOutcomeLine(report, ids),
            "<Str870>: <Str873>, <Str875> \xC2\xB7 <Str871>: <Str876> \xC2\xB7 <Str872>: <Str874>");
  EXPECT_EQ(DesktopOutcomeLine({}, ids), "");
}

}  // namespace
}  // namespace zelko
