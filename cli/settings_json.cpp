#include "cli/settings_json.h"

#include <string>

#include "settings/aim_key.h"
#include "settings/dpi_tables.h"

namespace zelko::cli {
namespace {

using Json = nlohmann::ordered_json;

std::string Hex(const Rgb& rgb) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text = "#";
  for (const std::uint8_t part : {rgb.r, rgb.g, rgb.b}) {
    text += kDigits[part >> 4];
    text += kDigits[part & 0xF];
  }
  return text;
}

Json DpiOf(int index) {
  if (index >= 0 && index < kDpiValueCount) return kDpiValues[static_cast<std::size_t>(index)];
  return nullptr;
}

const PaletteColour* PaletteEntry(int index) {
  return index >= 0 && index < kPaletteSize ? &kPalette[static_cast<std::size_t>(index)] : nullptr;
}

std::string_view KeyModeName(KeyMode mode) { return mode == KeyMode::kB ? "B" : "A"; }

Json ProfilesJson(const ButtonMap& map, const ProfileKeyCodes& labels) {
  const ProfileKeyCodes codes = KeyCodeTexts(map);
  Json profiles = Json::array();
  for (int profile = 1; profile <= kProfileCount; ++profile) {
    const auto& code_table = profile == 1 ? codes.ModeA : codes.ModeB;
    const auto& label_table = profile == 1 ? labels.ModeA : labels.ModeB;
    Json buttons = Json::array();
    for (std::size_t i = 0; i < kButtonCount; ++i) {
      buttons.push_back({{"button", i + 1}, {"code", code_table[i]}, {"label", label_table[i]}});
    }
    profiles.push_back({{"profile", profile},
                        {"key_mode", KeyModeName(profile == 1 ? KeyMode::kA : KeyMode::kB)},
                        {"buttons", buttons}});
  }
  return profiles;
}

// Each level's colour is the one its LED shows: the palette entry with the
// normal LED, the level's own colour with the MCU LED.
Json DpiJson(const DpiLevels& dpi, LedType led) {
  Json levels = Json::array();
  for (int n = 1; n <= kMaxDpiLevels; ++n) {
    const DpiLevel& level = dpi.levels[static_cast<std::size_t>(n - 1)];
    const PaletteColour* palette = PaletteEntry(level.palette_index);
    Json colour = led == LedType::kMcu ? Json(Hex(level.colour)) : palette ? Json(Hex(palette->rgb)) : Json(nullptr);
    levels.push_back({{"level", n},
                      {"active", n <= dpi.count},
                      {"current", dpi.current == n - 1},
                      {"dpi", DpiOf(level.value_index)},
                      {"colour", colour},
                      {"palette_colour", palette ? Json(palette->name) : Json(nullptr)}});
  }
  return {{"level_count", dpi.count}, {"current_level", dpi.current + 1}, {"levels", levels}};
}

Json AimJson(const MouseSettings& settings) {
  Json buttons = Json::array();
  for (const ButtonRef& ref : FindAimButtons(settings.buttons)) {
    buttons.push_back({{"profile", ref.profile}, {"button", ref.button}});
  }
  const auto& value = settings.aim.value_index;
  return {{"dpi", value ? DpiOf(*value) : Json(nullptr)}, {"buttons", buttons}};
}

std::string ModeName(int mode) { return "Mode " + std::to_string(mode); }

Json LightingJson(const Lighting& l) {
  const bool mcu = l.type == LedType::kMcu;
  Json mode = nullptr;
  if (mcu && l.mode >= 1 && l.mode <= kLightingModeCount) mode = ModeName(l.mode);
  if (!mcu && l.mode == kNormalLedMode) mode = "CPI Breath";
  Json offered = Json::array();
  if (mcu) {
    for (int k = 1; k <= kLightingModeCount; ++k) {
      if (l.modes_offered[static_cast<std::size_t>(k - 1)]) offered.push_back(ModeName(k));
    }
  } else {
    offered.push_back("CPI Breath");
  }
  const bool count_known = l.led_count >= kMinLedCount && l.led_count <= kMaxLedCount;
  return {{"led_type", mcu ? "mcu" : "normal"},
          {"on", l.led_on},
          {"mode", mode},
          {"modes_offered", offered},
          {"step", l.step},
          {"led_count", mcu && count_known ? Json(l.led_count) : Json(nullptr)},
          {"brightness", l.full_brightness ? "full" : "half"},
          {"breath_step", l.breath_step},
          {"m_cpi_switch", l.mcpi_switch},
          {"l_cpi_switch", l.lcpi_switch},
          {"key_mode_saved", l.key_mode_saved}};
}

}  // namespace

nlohmann::ordered_json SettingsJson(const MouseSettings& settings, const ProfileKeyCodes& labels) {
  Json orientation = nullptr;
  for (const OrientationEntry& entry : kSensorOrientations) {
    if (entry.code == settings.options.sensor_orientation) orientation = entry.name;
  }
  Json out = Json::object();
  out["identity"] = {{"manufacturer_code", settings.options.manufacturer_code},
                     {"product_code", settings.options.product_code}};
  out["sensor_orientation"] = orientation;
  out["key_mode"] = KeyModeName(settings.buttons.key_mode);
  out["key_mode_long_press"] = {{"middle_key", settings.buttons.middle_long_press},
                                {"cpi_key", settings.buttons.cpi_long_press},
                                {"gun_key", settings.buttons.gun_long_press}};
  out["profiles"] = ProfilesJson(settings.buttons, labels);
  out["dpi"] = DpiJson(settings.dpi, settings.lighting.type);
  out["aim"] = AimJson(settings);
  out["fire"] = {{"repeat_count", settings.fire.repeat_count},
                 {"interval_ms", settings.fire.interval * kFireIntervalUnitMs},
                 {"key", settings.fire.on_fn_left ? "fn+left" : "left"}};
  out["lighting"] = LightingJson(settings.lighting);
  out["key_mode_colours"] = {{"A", Hex(settings.lighting.key_mode_colours[0])},
                             {"B", Hex(settings.lighting.key_mode_colours[1])}};
  return out;
}

}  // namespace zelko::cli
