// SettingsJson: the typed settings of `show --json`, from the models alone.
#include <gtest/gtest.h>

#include "cli/settings_json.h"
#include "image/workspace.h"

namespace zelko::cli {
namespace {

using nlohmann::ordered_json;

MouseSettings FactorySettings(int image) {
  Workspace workspace;
  EXPECT_TRUE(workspace.LoadFactoryImage(image));
  return DecodeMouseSettings(workspace.record);
}

ordered_json Json(const MouseSettings& settings) {
  ProfileKeyCodes labels;
  labels.ModeA.fill("label A");
  labels.ModeB.fill("label B");
  return SettingsJson(settings, labels);
}

TEST(SettingsJson, ButtonsCarryTheirCodeAndTheLabelGiven) {
  MouseSettings settings = FactorySettings(1);
  settings.buttons.Code({2, 9}) = {0x06, 0x00, 0xF0};
  settings.buttons.key_mode = KeyMode::kB;
  const auto json = Json(settings);
  EXPECT_EQ(json["key_mode"], "B");
  ASSERT_EQ(json["profiles"].size(), 2u);
  const auto& button = json["profiles"][1]["buttons"][8];
  EXPECT_EQ(button["button"], 9);
  EXPECT_EQ(button["code"], "0600F0");
  EXPECT_EQ(button["label"], "label B");
  EXPECT_EQ(json["profiles"][0]["key_mode"], "A");
  EXPECT_EQ(json["profiles"][0]["buttons"].size(), 9u);
}

// A level's colour is the one its LED shows; values the mouse holds outside
// the tables are null, never a made-up number.
TEST(SettingsJson, LevelsSayWhatTheMouseShows) {
  MouseSettings settings = FactorySettings(1);
  settings.dpi.count = 3;
  settings.dpi.current = 2;
  settings.dpi.levels[0] = {.value_index = 10, .palette_index = 3, .colour = {0x10, 0x20, 0x30}};
  settings.dpi.levels[1] = {.value_index = 0xFF, .palette_index = 0xFF, .colour = {1, 2, 3}};

  settings.lighting.type = LedType::kMcu;
  auto json = Json(settings);
  EXPECT_EQ(json["dpi"]["level_count"], 3);
  EXPECT_EQ(json["dpi"]["current_level"], 3);
  const auto& first = json["dpi"]["levels"][0];
  EXPECT_EQ(first["dpi"], 6400);
  EXPECT_EQ(first["colour"], "#102030");  // the MCU LED's own colour
  EXPECT_EQ(first["palette_colour"], "Blue");
  EXPECT_TRUE(json["dpi"]["levels"][2]["current"].get<bool>());
  EXPECT_FALSE(json["dpi"]["levels"][3]["active"].get<bool>());
  EXPECT_EQ(json["dpi"]["levels"].size(), 7u);

  settings.lighting.type = LedType::kNormal;
  json = Json(settings);
  EXPECT_EQ(json["dpi"]["levels"][0]["colour"], "#0000FF");  // the palette's Blue
  const auto& unset = json["dpi"]["levels"][1];
  EXPECT_TRUE(unset["dpi"].is_null());
  EXPECT_TRUE(unset["colour"].is_null());
  EXPECT_TRUE(unset["palette_colour"].is_null());
}

TEST(SettingsJson, AimFireAndLightingByName) {
  MouseSettings settings = FactorySettings(1);
  auto json = Json(settings);
  EXPECT_TRUE(json["aim"]["dpi"].is_null());  // no factory button carries AIM
  EXPECT_TRUE(json["aim"]["buttons"].empty());

  settings.buttons.Code({1, 4}) = {0x0A, 0x04, 0x00};
  settings.aim.value_index = 4;
  settings.fire = {.repeat_count = 5, .interval = 10, .on_fn_left = true};
  settings.lighting.type = LedType::kMcu;
  settings.lighting.mode = 0;
  settings.lighting.led_count = 15;  // four stored bits outside 4..13
  settings.lighting.key_mode_colours = {Rgb{255, 0, 0}, Rgb{0, 0x80, 0xFF}};
  json = Json(settings);
  EXPECT_EQ(json["aim"]["dpi"], 1600);
  EXPECT_EQ(json["aim"]["buttons"], ordered_json::parse(R"([{"profile": 1, "button": 4}])"));
  EXPECT_EQ(json["fire"], ordered_json::parse(R"({"repeat_count": 5, "interval_ms": 80, "key": "fn+left"})"));
  EXPECT_TRUE(json["lighting"]["mode"].is_null());
  EXPECT_TRUE(json["lighting"]["led_count"].is_null());
  EXPECT_EQ(json["key_mode_colours"], ordered_json::parse(R"({"A": "#FF0000", "B": "#0080FF"})"));

  settings.lighting.type = LedType::kNormal;
  settings.lighting.mode = 1;
  json = Json(settings);
  EXPECT_EQ(json["lighting"]["led_type"], "normal");
  EXPECT_EQ(json["lighting"]["mode"], "CPI Breath");
  EXPECT_EQ(json["lighting"]["modes_offered"], ordered_json::parse(R"(["CPI Breath"])"));
}

TEST(SettingsJson, IdentityCodesAndOrientation) {
  MouseSettings settings = FactorySettings(2);
  settings.options = {.sensor_orientation = 2, .manufacturer_code = 0x12, .product_code = 0x34};
  const auto json = Json(settings);
  EXPECT_EQ(json["identity"], ordered_json::parse(R"({"manufacturer_code": 18, "product_code": 52})"));
  EXPECT_EQ(json["sensor_orientation"], "90°");
}

}  // namespace
}  // namespace zelko::cli
