#include "cli/image_show.h"

#include <array>
#include <cstdio>
#include <tuple>

#include "cli/button_listing.h"
#include "cli/pointer_show.h"
#include "cli/settings_json.h"

namespace zelko::cli {
namespace {

// The areas `show` prints, in order. Add an area's function here.
constexpr std::array<ShowArea, 4> kShowAreas = {ShowIdentity, ShowRawFields, ShowButtons,
                                                ShowPointerSettings};

nlohmann::ordered_json RgbJson(const Rgb& rgb) { return {rgb.r, rgb.g, rgb.b}; }

}  // namespace

void ShowIdentity(const Workspace& w, ShowOutput& out) {
  const DeviceOptions options = DecodeDeviceOptions(w.record);
  out.json["ManufacturerCode"] = options.manufacturer_code;
  out.json["ProductCode"] = options.product_code;
  char line[96];
  std::snprintf(line, sizeof line, "Identity codes: manufacturer %u, product %u\n",
                options.manufacturer_code, options.product_code);
  out.text += line;
}

void ShowRawFields(const Workspace& w, ShowOutput& out) {
  const auto& a = w.record.ParameterA;
  const auto& b = w.record.ParameterB;
  out.json["FeatureFlags"] = a.FeatureFlags;
  out.json["KeyModeSwitchFlags"] = a.KeyModeSwitchFlags;
  out.json["DpiLevelCount"] = a.DpiLevelCount;
  out.json["McuLedConfig"] = a.McuLedConfig;
  out.json["McuLedModeMask"] = a.McuLedModeMask;
  out.json["BreathStep"] = a.BreathStep;
  out.json["DpiValueIndex"] = a.DpiValueIndex;
  out.json["DpiPaletteIndex"] = a.DpiPaletteIndex;
  out.json["KeyMode1Colour"] = RgbJson(a.KeyMode1Colour);
  out.json["KeyMode2Colour"] = RgbJson(a.KeyMode2Colour);
  auto colours = nlohmann::ordered_json::array();
  for (const Rgb& rgb : a.DpiColour) colours.push_back(RgbJson(rgb));
  out.json["DpiColour"] = colours;
  out.json["CurrentDpiLevel"] = b.CurrentDpiLevel;
  out.json["LedState"] = b.LedState;
  out.json["KeyModeState"] = b.KeyModeState;
  out.json["FireRepeatCount"] = w.record.FireKey.FireRepeatCount;
  out.json["FireInterval"] = w.record.FireKey.FireInterval;
}

void ShowButtons(const Workspace& w, ShowOutput& out) {
  const auto& codes = w.profile_key_codes;
  out.json["ProfileKeyCodes"] = {{"ModeA", codes.ModeA}, {"ModeB", codes.ModeB}};
  const bool mode_b = DecodeButtonMap(w.record).key_mode == KeyMode::kB;
  out.text += std::string("Buttons (key mode in use: ") +
              (mode_b ? "B, Profile 2" : "A, Profile 1") + ")\n";
  const auto labels = ButtonLabels(w, out.language);
  for (const auto& [name, table, shown] :
       {std::tuple{"Profile 1", &codes.ModeA, &labels.ModeA},
        std::tuple{"Profile 2", &codes.ModeB, &labels.ModeB}}) {
    out.text += std::string("  ") + name + "\n";
    for (std::size_t i = 0; i < kButtonCount; ++i) {
      out.text += "    " + std::to_string(i + 1) + ": " + (*table)[i] + "  " + (*shown)[i] + "\n";
    }
  }
}

void ShowPointerSettings(const Workspace& w, ShowOutput& out) {
  out.text += PointerSettingsText(DecodeMouseSettings(w.record));
}

ShowOutput ShowImage(const Workspace& workspace, int language) {
  ShowOutput out;
  out.language = language;
  for (ShowArea area : kShowAreas) area(workspace, out);
  return out;
}

nlohmann::ordered_json ShowJson(const Workspace& workspace, int language,
                                const std::vector<std::string>& repaired_sections) {
  nlohmann::ordered_json json = {{"schema_version", kShowSchemaVersion}, {"command", "show"}};
  json.update(SettingsJson(DecodeMouseSettings(workspace.record), ButtonLabels(workspace, language)));
  json["record"] = ShowImage(workspace, language).json;
  json["repaired_sections"] = repaired_sections;
  return json;
}

}  // namespace zelko::cli
