#include <gtest/gtest.h>

#include "image/factory_images.h"
#include "image/image_codec.h"
#include "pages/control_codec.h"
#include "pages/dpi_page.h"
#include "pages/value_bars.h"

namespace zelko {
namespace {

ParameterRecord FactoryRecord(int n) {
  const auto image = FactoryImage(n);
  EXPECT_TRUE(image.has_value());
  ParameterRecord record{};
  BaseMacroArea macros{};
  (void)UnpackSections(*image, record, macros);
  return record;
}

// The engineer page shown for a record, and its controls written back into
// it, through the settings as the window does.
void RefreshEngineerControls(const ParameterRecord& record, EngineerControls& controls) {
  SettingsToControls(DecodeMouseSettings(record), controls);
}

EngineerControls Decode(const ParameterRecord& record) {
  EngineerControls controls;
  RefreshEngineerControls(record, controls);
  return controls;
}

void UIToDataBuf(const EngineerControls& controls, ParameterRecord& record) {
  MouseSettings settings = DecodeMouseSettings(record);
  ControlsToSettings(controls, settings);
  EncodeMouseSettings(settings, record);
}

void RefreshDpiPage(const ParameterRecord& record, const EngineerControls& controls,
                    DpiPageState& page) {
  zelko::RefreshDpiPage(DecodeMouseSettings(record), controls, page);
}

TEST(FactoryImage, DecodesToTheShippedSettings) {
  const auto record = FactoryRecord(1);
  const auto c = Decode(record);
  DpiPageState page;
  RefreshDpiPage(record, c, page);

  EXPECT_EQ(page.working_level_count, 7);
  const std::array<std::string, 7> dpi = {"800", "1600", "2400", "3200", "4800", "6400", "3200"};
  EXPECT_EQ(page.value_caption, dpi);
  EXPECT_EQ(c.current_level_index, 1);
  EXPECT_EQ(page.lit_marker, 1);

  EXPECT_EQ(c.led_type, Checked::Second);  // MCU LED
  EXPECT_FALSE(page.normal_led);
  EXPECT_EQ(c.led_count, "10");
  EXPECT_EQ(c.mcpi_switch, Checked::First);
  EXPECT_EQ(c.lcpi_switch, Checked::First);
  EXPECT_EQ(c.key_mode_saving, Checked::First);
  EXPECT_EQ(c.brightness, Checked::First);
  EXPECT_EQ(c.modes_offered, (std::array<bool, 7>{true, true, true, true, true, true, true}));
  EXPECT_EQ(c.current_mode_index, 4);  // mode 5
  EXPECT_EQ(c.led_status, Checked::First);
  EXPECT_EQ(c.mcu_step, "2");
  EXPECT_EQ(StepBar(BarStyle::Slider, 2),
            (std::vector<bool>{false, false, false, false, false, true, false, false}));
  EXPECT_EQ(LedCountBar(BarStyle::Slider, 10)[6], true);  // notch 7
  EXPECT_EQ(c.fire_count_index, 1);                       // repeat count 3
  EXPECT_EQ(c.fire_time, "6");
  EXPECT_EQ(page.repeat_text, "3");
}

TEST(FactoryImage, DecodeThenEncodeGivesTheSameRecord) {
  for (int n = 1; n <= 3; ++n) {
    const auto record = FactoryRecord(n);
    auto encoded = record;
    UIToDataBuf(Decode(record), encoded);
    EXPECT_EQ(encoded, record) << "factory image " << n;
  }
}

// A record whose every bit the controls do not decide is set, so that a
// control that wrongly clears one shows.
ParameterRecord Saturated() {
  ParameterRecord record = FactoryRecord(1);
  record.ParameterA.FeatureFlags = 0x7F;  // MCU LED, every switch bit set
  record.ParameterA.McuLedConfig = 0xFF;  // nibble 15: no LED count the edit can show
  record.ParameterB.LedState = 0xE8 | 0x03;  // off, step 7, mode 3
  record.ParameterB.CurrentDpiLevel = 3;
  return record;
}

TEST(Encoding, UndecidedControlsKeepThePreviousValue) {
  const auto before = Saturated();
  EngineerControls undecided;  // nothing checked, nothing selected
  undecided.led_count = "";
  undecided.mcu_step = "x";
  undecided.breath_step = "12a";
  undecided.fire_time = "";
  undecided.vendor_code = "";
  undecided.product_code = "256";
  undecided.levels[0].colour = {"", "-1", "300"};
  undecided.current_mode_index = 2;
  undecided.middle_long_press = before.ParameterA.KeyModeSwitchFlags & 1;
  undecided.cpi_long_press = before.ParameterA.KeyModeSwitchFlags & 2;
  auto after = before;
  UIToDataBuf(undecided, after);

  const auto& a = after.ParameterA;
  EXPECT_EQ(a.FeatureFlags, before.ParameterA.FeatureFlags);
  EXPECT_EQ(a.DpiLevelCount, before.ParameterA.DpiLevelCount);
  EXPECT_EQ(a.McuLedConfig, before.ParameterA.McuLedConfig);
  EXPECT_EQ(a.BreathStep, before.ParameterA.BreathStep);
  EXPECT_EQ(a.DpiColour[0].r, before.ParameterA.DpiColour[0].r);
  EXPECT_EQ(a.DpiColour[0].g, before.ParameterA.DpiColour[0].g);
  EXPECT_EQ(a.DpiColour[0].b, before.ParameterA.DpiColour[0].b);
  EXPECT_EQ(after.ParameterB.CurrentDpiLevel, 3);
  EXPECT_EQ(after.ParameterB.CurrentDpiLevelComplement, 0xFF - 3);
  EXPECT_EQ(after.ParameterB.LedState, before.ParameterB.LedState);
  EXPECT_EQ(after.ParameterB.KeyModeState, before.ParameterB.KeyModeState);
  EXPECT_EQ(after.ParameterB.ManufacturerCode, before.ParameterB.ManufacturerCode);
  EXPECT_EQ(after.ParameterB.ProductCode, before.ParameterB.ProductCode);
  EXPECT_EQ(after.FireKey.FireRepeatCount, before.FireKey.FireRepeatCount);
  EXPECT_EQ(after.FireKey.FireInterval, before.FireKey.FireInterval);
  // Lists with nothing selected that stand for "unset" write 0xFF.
  EXPECT_EQ(a.DpiValueIndex[0], 0xFF);
  EXPECT_EQ(a.DpiPaletteIndex[0], 0xFF);
}

TEST(Encoding, NormalLedWritesFullMaskAndModeOneWhateverTheMcuControlsShow) {
  auto record = FactoryRecord(1);
  auto c = Decode(record);
  c.led_type = Checked::First;
  c.normal_led_cpi_breath = true;
  c.modes_offered = {};
  c.current_mode_index = 6;
  c.mcu_step = "7";
  UIToDataBuf(c, record);
  EXPECT_EQ(record.ParameterA.McuLedModeMask, 0xFF);
  EXPECT_EQ(record.ParameterA.FeatureFlags & 0x80, 0x80);
  EXPECT_EQ(record.ParameterB.LedState, 0x01);
  EXPECT_EQ(record.ParameterB.LedStateComplement, 0xFE);
}

TEST(Encoding, McuLedFields) {
  auto record = FactoryRecord(1);
  auto c = Decode(record);
  c.modes_offered = {true, false, true, false, false, false, true};
  c.current_mode_index = kNoSelection;  // mode bits 0
  c.mcu_step = "5";
  c.led_status = Checked::Second;
  c.led_count = "4";
  c.brightness = Checked::Second;
  UIToDataBuf(c, record);
  EXPECT_EQ(record.ParameterA.McuLedModeMask, 0b10001011);
  EXPECT_EQ(record.ParameterB.LedState, (5 << 5) | 0x08);
  EXPECT_EQ(record.ParameterA.McuLedConfig, 0x90);  // 13 - 4 = 9, half light, low bits kept (0)
}

TEST(Decoding, ValuesTheControlsCannotShowLeaveThemAlone) {
  auto record = FactoryRecord(1);
  record.ParameterA.McuLedConfig = 0xA8;   // nibble 10
  record.ParameterB.LedState = 0x40;       // mode 0, step 2
  record.ParameterA.DpiValueIndex[2] = 0xFF;
  EngineerControls c;
  c.led_count = "7";
  RefreshEngineerControls(record, c);
  EXPECT_EQ(c.led_count, "7");
  EXPECT_EQ(c.current_mode_index, kNoSelection);
  EXPECT_EQ(c.levels[2].value_index, kNoSelection);

  DpiPageState page;
  page.bar_value[2] = 5;
  RefreshDpiPage(record, c, page);
  EXPECT_EQ(page.bar_value[2], 5);  // bar kept
  EXPECT_EQ(page.value_caption[2], "500");
}

TEST(Decoding, NotSavingTheKeyModeForcesModeA) {
  auto record = FactoryRecord(1);
  record.ParameterA.FeatureFlags |= 0x08;
  record.ParameterB.KeyModeState = 0x80;
  const auto c = Decode(record);
  EXPECT_EQ(c.key_mode_saving, Checked::Second);
  EXPECT_FALSE(c.key_mode_enabled);
  EXPECT_EQ(c.key_mode_index, 0);
}

TEST(FireEdits, LeavingRepeatWithOneStoresCountByteOne) {
  auto record = FactoryRecord(1);
  auto c = Decode(record);
  DpiPageState page;
  EditRepeatCount(c, page, "1");
  EXPECT_EQ(c.fire_count_index, kNoSelection);
  LeaveRepeatCount(c, page);
  EXPECT_EQ(page.repeat_text, "2");
  UIToDataBuf(c, record);
  EXPECT_EQ(record.FireKey.FireRepeatCount, 1);
}

TEST(FireEdits, TwinsMirrorEachOther) {
  EngineerControls c;
  DpiPageState page;
  EditRepeatCount(c, page, "200");
  EXPECT_EQ(page.repeat_text, "127");
  EXPECT_EQ(c.fire_count_index, 125);
  SelectFireCount(c, page, 3);
  EXPECT_EQ(page.repeat_text, "5");
  EditDelayTime(c, page, "-3");
  EXPECT_EQ(c.fire_time, "0");
  EditFireTime(c, page, "");
  EXPECT_EQ(page.delay_text, "100");
  EditFireTime(c, page, "999");
  EXPECT_EQ(page.delay_text, "255");
}

}  // namespace
}  // namespace zelko
