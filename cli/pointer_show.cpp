#include "cli/pointer_show.h"

#include <sstream>

#include "cli/pointer_edits.h"
#include "settings/aim_key.h"
#include "settings/dpi_tables.h"

namespace zelko::cli {
namespace {

using nlohmann::json;

json DpiOf(int index) {
  if (index >= 0 && index < kDpiValueCount) return kDpiValues[static_cast<std::size_t>(index)];
  return nullptr;
}

json PaletteNameOf(int index) {
  if (index >= 0 && index < kPaletteSize) return kPalette[static_cast<std::size_t>(index)].name;
  return nullptr;
}

json LevelsJson(const DpiLevels& dpi) {
  json levels = json::array();
  for (int n = 1; n <= kMaxDpiLevels; ++n) {
    const DpiLevel& level = dpi.levels[static_cast<std::size_t>(n - 1)];
    levels.push_back({
        {"Level", n},
        {"Active", n <= dpi.count},
        {"Current", dpi.current == n - 1},
        {"DpiValueIndex", level.value_index},
        {"Dpi", DpiOf(level.value_index)},
        {"DpiPaletteIndex", level.palette_index},
        {"PaletteColour", PaletteNameOf(level.palette_index)},
        {"DpiColour", HexColour(level.colour)},
    });
  }
  return levels;
}

json AimJson(const MouseSettings& settings) {
  json buttons = json::array();
  for (const auto& ref : FindAimButtons(settings.buttons)) {
    buttons.push_back({{"Profile", ref.profile}, {"Button", ref.button}});
  }
  const auto value = settings.aim.value_index;
  return {{"Buttons", buttons},
          {"AimValueIndex", value ? json(*value) : json(nullptr)},
          {"Dpi", value ? DpiOf(*value) : json(nullptr)}};
}

json LightingJson(const MouseSettings& settings) {
  const Lighting& l = settings.lighting;
  json modes = json::array();
  for (int k = 1; k <= kLightingModeCount; ++k) {
    if (l.modes_offered[static_cast<std::size_t>(k - 1)]) modes.push_back(k);
  }
  const bool count_shown = l.led_count >= kMinLedCount && l.led_count <= kMaxLedCount;
  return {
      {"LedType", l.type == LedType::kNormal ? "normal" : "mcu"},
      {"LedOn", l.led_on},
      {"McpiSwitch", l.mcpi_switch},
      {"LcpiSwitch", l.lcpi_switch},
      {"KeyModeSaved", l.key_mode_saved},
      {"KeyMode", settings.buttons.key_mode == KeyMode::kB ? "B" : "A"},
      {"FireOnFnLeft", settings.fire.on_fn_left},
      {"Brightness", l.full_brightness ? "full" : "half"},
      {"LedCount", count_shown ? json(l.led_count) : json(nullptr)},
      {"ModesOffered", modes},
      {"CurrentMode", l.mode == 0 ? json(nullptr) : json(l.mode)},
      {"Step", l.step},
      {"BreathStep", l.breath_step},
      {"KeyMode1Colour", HexColour(l.key_mode_colours[0])},
      {"KeyMode2Colour", HexColour(l.key_mode_colours[1])},
  };
}

std::string Text(const json& value) {
  if (value.is_null()) return "unset";
  if (value.is_string()) return value.get<std::string>();
  if (value.is_boolean()) return value.get<bool>() ? "on" : "off";
  return value.dump();
}

}  // namespace

json PointerSettingsJson(const MouseSettings& settings) {
  return {
      {"DpiLevels", LevelsJson(settings.dpi)},
      {"Aim", AimJson(settings)},
      {"Fire",
       {{"RepeatCount", settings.fire.repeat_count},
        {"Interval", settings.fire.interval},
        {"IntervalMs", settings.fire.interval * kFireIntervalUnitMs}}},
      {"Lighting", LightingJson(settings)},
  };
}

std::string PointerSettingsText(const MouseSettings& settings) {
  const json j = PointerSettingsJson(settings);
  const bool normal = j["Lighting"]["LedType"] == "normal";
  std::ostringstream out;
  out << "DPI levels: " << settings.dpi.count << ", current level " << settings.dpi.current + 1
      << "\n";
  for (const auto& level : j["DpiLevels"]) {
    out << "  level " << level["Level"] << ": " << Text(level["Dpi"]) << " DPI, colour "
        << (normal ? Text(level["PaletteColour"]) : Text(level["DpiColour"]))
        << (level["Active"].get<bool>() ? "" : " (inactive)")
        << (level["Current"].get<bool>() ? " (current)" : "") << "\n";
  }
  const auto& aim = j["Aim"];
  out << "AIM key: ";
  if (aim["Buttons"].empty()) {
    out << "no button carries AIM\n";
  } else {
    std::string on;
    for (const auto& b : aim["Buttons"]) {
      on += (on.empty() ? "" : ", ") + std::string("profile ") + b["Profile"].dump() + " button " +
            b["Button"].dump();
    }
    out << Text(aim["Dpi"]) << " DPI on " << on << "\n";
  }
  out << "Fire key: " << j["Fire"]["RepeatCount"] << " shots, interval " << j["Fire"]["Interval"]
      << " (" << j["Fire"]["IntervalMs"] << " ms)\n";
  const auto& l = j["Lighting"];
  out << "Lighting: " << (normal ? "normal LED" : "MCU LED") << ", LED " << Text(l["LedOn"])
      << ", M+CPI " << Text(l["McpiSwitch"]) << ", L+CPI " << Text(l["LcpiSwitch"])
      << ", key mode " << (l["KeyModeSaved"].get<bool>() ? "saved" : "not saved") << "\n";
  if (normal) {
    out << "  breathing rate " << l["BreathStep"] << ", key mode A colour "
        << Text(l["KeyMode1Colour"]) << "\n";
  } else {
    std::string modes;
    for (const auto& m : l["ModesOffered"]) modes += (modes.empty() ? "" : ",") + m.dump();
    out << "  " << Text(l["LedCount"]) << " LEDs, " << Text(l["Brightness"])
        << " brightness, modes offered " << (modes.empty() ? "none" : modes) << ", mode "
        << Text(l["CurrentMode"]) << ", step " << l["Step"] << "\n";
    out << "  key mode colours A " << Text(l["KeyMode1Colour"]) << ", B "
        << Text(l["KeyMode2Colour"]) << "\n";
  }
  return out.str();
}

}  // namespace zelko::cli
