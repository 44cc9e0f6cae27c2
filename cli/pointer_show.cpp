#include "cli/pointer_show.h"

#include <sstream>

#include "cli/pointer_edits.h"
#include "pointer/aim_key.h"
#include "pointer/dpi_tables.h"

namespace zelko::cli {
namespace {

using nlohmann::json;

bool BitSet(std::uint8_t byte, unsigned bit) { return (byte & (1u << bit)) != 0; }

json DpiOf(int index) {
  if (index >= 0 && index < kDpiValueCount) return kDpiValues[static_cast<std::size_t>(index)];
  return nullptr;
}

json PaletteNameOf(int index) {
  if (index >= 0 && index < kPaletteSize) return kPalette[static_cast<std::size_t>(index)].name;
  return nullptr;
}

json LevelsJson(const ParameterRecord& record) {
  const auto& a = record.ParameterA;
  json levels = json::array();
  for (int n = 1; n <= kMaxDpiLevels; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    levels.push_back({
        {"Level", n},
        {"Active", n <= a.DpiLevelCount},
        {"Current", record.ParameterB.CurrentDpiLevel == n - 1},
        {"DpiValueIndex", a.DpiValueIndex[i]},
        {"Dpi", DpiOf(a.DpiValueIndex[i])},
        {"DpiPaletteIndex", a.DpiPaletteIndex[i]},
        {"PaletteColour", PaletteNameOf(a.DpiPaletteIndex[i])},
        {"DpiColour", HexColour(a.DpiColour[i])},
    });
  }
  return levels;
}

json AimJson(const ParameterRecord& record) {
  json buttons = json::array();
  for (const auto& ref : FindAimButtons(record.Profile)) {
    buttons.push_back({{"Profile", ref.profile}, {"Button", ref.button}});
  }
  const auto value = AimValueFromProfile(record.Profile);
  return {{"Buttons", buttons},
          {"AimValueIndex", value ? json(*value) : json(nullptr)},
          {"Dpi", value ? DpiOf(*value) : json(nullptr)}};
}

json LightingJson(const ParameterRecord& record) {
  namespace ff = feature_flags;
  const auto& a = record.ParameterA;
  const auto& b = record.ParameterB;
  const bool normal = BitSet(a.FeatureFlags, ff::kNormalLedBit);
  const int nibble = (a.McuLedConfig & mcu_led_config::kLedCountMask) >> mcu_led_config::kLedCountShift;
  json modes = json::array();
  for (int k = 1; k <= kMcuLedModeCount; ++k) {
    if (BitSet(a.McuLedModeMask, static_cast<unsigned>(k))) modes.push_back(k);
  }
  const int mode = b.LedState & led_state::kModeMask;
  return {
      {"LedType", normal ? "normal" : "mcu"},
      {"LedOn", !BitSet(b.LedState, led_state::kLedOffBit)},
      {"McpiSwitch", BitSet(a.FeatureFlags, ff::kMcpiLedSwitchBit)},
      {"LcpiSwitch", BitSet(a.FeatureFlags, ff::kLcpiLedModeSwitchBit)},
      {"KeyModeSaved", !BitSet(a.FeatureFlags, ff::kKeyModeNotSavedBit)},
      {"KeyMode", BitSet(b.KeyModeState, key_mode_state::kModeBBit) ? "B" : "A"},
      {"FireOnFnLeft", BitSet(a.FeatureFlags, ff::kFireOnFnLeftBit)},
      {"Brightness", BitSet(a.McuLedConfig, mcu_led_config::kAllLightBit) ? "full" : "half"},
      {"LedCount", nibble <= mcu_led_config::kLedCountBase - kMinLedCount
                       ? json(mcu_led_config::kLedCountBase - nibble)
                       : json(nullptr)},
      {"ModesOffered", modes},
      {"CurrentMode", mode == 0 ? json(nullptr) : json(mode)},
      {"Step", (b.LedState & led_state::kMcuStepMask) >> led_state::kMcuStepShift},
      {"BreathStep", a.BreathStep},
      {"KeyMode1Colour", HexColour(a.KeyMode1Colour)},
      {"KeyMode2Colour", HexColour(a.KeyMode2Colour)},
  };
}

std::string Text(const json& value) {
  if (value.is_null()) return "unset";
  if (value.is_string()) return value.get<std::string>();
  if (value.is_boolean()) return value.get<bool>() ? "on" : "off";
  return value.dump();
}

}  // namespace

json PointerSettingsJson(const ParameterRecord& record) {
  return {
      {"DpiLevels", LevelsJson(record)},
      {"Aim", AimJson(record)},
      {"Fire",
       {{"RepeatCount", record.FireKey.FireRepeatCount + 1},
        {"Interval", record.FireKey.FireInterval},
        {"IntervalMs", record.FireKey.FireInterval * 8}}},
      {"Lighting", LightingJson(record)},
  };
}

std::string PointerSettingsText(const ParameterRecord& record) {
  const json j = PointerSettingsJson(record);
  const bool normal = j["Lighting"]["LedType"] == "normal";
  std::ostringstream out;
  out << "DPI levels: " << int(record.ParameterA.DpiLevelCount) << ", current level "
      << int(record.ParameterB.CurrentDpiLevel) + 1 << "\n";
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
