#include "cli/pointer_edits.h"

#include <algorithm>
#include <cstdio>

#include "pointer/aim_key.h"
#include "pointer/control_codec.h"
#include "pointer/edit_rules.h"
#include "pointer/lighting_rules.h"

namespace zelko::cli {
namespace {

std::string Range(const char* what, int value, int low, int high) {
  if (value >= low && value <= high) return {};
  return std::string(what) + " " + std::to_string(value) + " is out of range (" +
         std::to_string(low) + " to " + std::to_string(high) + ")";
}

std::string DpiList() {
  std::string list;
  for (int dpi : kDpiValues) list += (list.empty() ? "" : ", ") + std::to_string(dpi);
  return list;
}

std::string PaletteList() {
  std::string list;
  for (const auto& colour : kPalette) list += (list.empty() ? "" : ", ") + std::string(colour.name);
  return list;
}

bool IsNormalLed(const ParameterRecord& record) {
  return (record.ParameterA.FeatureFlags & (1u << feature_flags::kNormalLedBit)) != 0;
}

void Refill(const ParameterRecord& record, PointerWorkspace& ws) {
  RefreshPointerWorkspace(record, ws);
}

ColourEdits EditsOf(const Rgb& rgb) {
  return {std::to_string(rgb.r), std::to_string(rgb.g), std::to_string(rgb.b)};
}

Checked OnOff(bool on) { return on ? Checked::First : Checked::Second; }

}  // namespace

std::optional<Rgb> ParseHexColour(const std::string& text) {
  std::string hex = text;
  if (!hex.empty() && hex.front() == '#') hex.erase(0, 1);
  if (hex.size() != 6) return std::nullopt;
  unsigned values[3] = {};
  for (int i = 0; i < 3; ++i) {
    values[i] = 0;
    for (int k = 0; k < 2; ++k) {
      const char c = hex[static_cast<std::size_t>(2 * i + k)];
      unsigned digit = 0;
      if (c >= '0' && c <= '9') {
        digit = static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        digit = static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        digit = static_cast<unsigned>(c - 'A' + 10);
      } else {
        return std::nullopt;
      }
      values[i] = values[i] * 16 + digit;
    }
  }
  return Rgb{static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
             static_cast<std::uint8_t>(values[2])};
}

std::string HexColour(const Rgb& rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
  return text;
}

std::string ApplyDpiEdit(const DpiEdit& edit, ParameterRecord& record, PointerWorkspace& ws) {
  Refill(record, ws);
  auto& c = ws.controls;
  auto& page = ws.dpi_page;
  if (edit.count) {
    if (auto e = Range("level count", *edit.count, kMinDpiLevels, kMaxDpiLevels); !e.empty()) return e;
    ChangeLevelCount(c, page, *edit.count);
  }
  const int count = page.working_level_count;
  const auto check_level = [count](int level) -> std::string {
    if (level < 1 || level > kMaxDpiLevels) return Range("level", level, 1, kMaxDpiLevels);
    if (level > count) {
      return "level " + std::to_string(level) + " is not active (" + std::to_string(count) +
             " levels); raise --count first";
    }
    return {};
  };
  for (const auto& [level, dpi] : edit.values) {
    if (auto e = check_level(level); !e.empty()) return e;
    const auto index = DpiValueIndexOf(dpi);
    if (!index) return std::to_string(dpi) + " DPI is not offered; choose one of " + DpiList();
    SetLevelValue(c, page, level, *index);
  }
  for (const auto& [level, text] : edit.colours) {
    if (auto e = check_level(level); !e.empty()) return e;
    if (page.normal_led) {
      const auto palette = PaletteIndexOf(text);
      if (!palette) {
        return "the normal LED shows palette colours only; choose one of " + PaletteList();
      }
      SetLevelPalette(c, level, *palette);
    } else {
      const auto rgb = ParseHexColour(text);
      if (!rgb) return "the MCU LED takes a colour as #RRGGBB, not \"" + text + "\"";
      SetLevelRgb(c, level, *rgb);
    }
  }
  if (edit.current) {
    if (auto e = check_level(*edit.current); !e.empty()) return e;
    ClickLevelMarker(c, page, *edit.current);
  }
  UIToDataBuf(c, record);
  return {};
}

std::string ApplyAimEdit(int dpi, ParameterRecord& record, PointerWorkspace& ws) {
  Refill(record, ws);
  const auto index = DpiValueIndexOf(dpi);
  if (!index) return std::to_string(dpi) + " DPI is not offered; choose one of " + DpiList();
  if (FindAimButtons(record.Profile).empty()) return std::string(kNoAimButtonMessage);
  const auto change = ChangeAimValue(record, ws.controls, ws.dpi_page, *index);
  if (change.no_aim_button) return std::string(change.message);
  UIToDataBuf(ws.controls, record);
  return {};
}

std::string ApplyFireEdit(const FireEdit& edit, ParameterRecord& record, PointerWorkspace& ws) {
  Refill(record, ws);
  if (edit.count) {
    if (auto e = Range("repeat count", *edit.count, kMinFireRepeatCount, kMaxFireRepeatCount);
        !e.empty()) {
      return e;
    }
    SelectFireCount(ws.controls, ws.dpi_page, *edit.count - kMinFireRepeatCount);
  }
  if (edit.interval) {
    if (auto e = Range("interval", *edit.interval, 0, 255); !e.empty()) return e;
    EditDelayTime(ws.controls, ws.dpi_page, std::to_string(*edit.interval));
  }
  UIToDataBuf(ws.controls, record);
  return {};
}

std::string ApplyLedEdit(const LedEdit& edit, ParameterRecord& record, PointerWorkspace& ws) {
  Refill(record, ws);
  auto& c = ws.controls;
  bool normal = IsNormalLed(record);
  if (edit.type) {
    if (!edit.engineer) return "the LED type comes from the mouse; changing it needs --engineer";
    if (*edit.type != "normal" && *edit.type != "mcu") {
      return "LED type \"" + *edit.type + "\" is unknown; use normal or mcu";
    }
    normal = *edit.type == "normal";
    c.led_type = OnOff(normal);
    if (normal) c.normal_led_cpi_breath = true;
  }
  const auto mcu_only = [normal](const char* what) -> std::string {
    if (!normal) return {};
    return std::string(what) + " exists only with the MCU LED; this mouse has a normal LED";
  };
  const auto normal_only = [normal](const char* what) -> std::string {
    if (normal) return {};
    return std::string(what) + " exists only with the normal LED; this mouse has an MCU LED";
  };

  if (edit.led_on) c.led_status = OnOff(*edit.led_on);
  if (edit.mcpi) c.mcpi_switch = OnOff(*edit.mcpi);
  if (edit.lcpi) {
    if (auto e = mcu_only("the L+CPI switch"); !e.empty()) return e;
    c.lcpi_switch = OnOff(*edit.lcpi);
  }
  if (edit.save_key_mode) SetKeyModeSaving(c, *edit.save_key_mode);
  if (edit.brightness) {
    if (auto e = mcu_only("brightness"); !e.empty()) return e;
    if (*edit.brightness != "full" && *edit.brightness != "half") {
      return "brightness \"" + *edit.brightness + "\" is unknown; use full or half";
    }
    c.brightness = OnOff(*edit.brightness == "full");
  }
  if (edit.led_count) {
    if (auto e = mcu_only("the LED count"); !e.empty()) return e;
    if (auto e = Range("LED count", *edit.led_count, kMinLedCount, kMaxLedCount); !e.empty()) return e;
    c.led_count = std::to_string(*edit.led_count);
  }
  if (edit.modes) {
    if (auto e = mcu_only("the mode list"); !e.empty()) return e;
    if (edit.modes->empty()) return "offer at least one mode";
    const int previous = c.current_mode_index;
    c.modes_offered = {};
    for (int mode : *edit.modes) {
      if (auto e = Range("mode", mode, 1, kMcuLedModeCount); !e.empty()) return e;
      c.modes_offered[static_cast<std::size_t>(mode - 1)] = true;
    }
    RebuildCurrentModeList(c);
    // The list starts at its first item; keep the current mode when it is
    // still offered, otherwise take the first offered one.
    if (!ChooseCurrentMode(c, previous + 1)) {
      ChooseCurrentMode(c, *std::min_element(edit.modes->begin(), edit.modes->end()));
    }
  }
  if (edit.mode) {
    if (normal) {
      if (*edit.mode != kNormalLedMode) return "the normal LED has only mode 1 (CPI Breath)";
      c.normal_led_cpi_breath = true;
    } else {
      if (auto e = Range("mode", *edit.mode, 1, kMcuLedModeCount); !e.empty()) return e;
      if (!ChooseCurrentMode(c, *edit.mode)) {
        return "mode " + std::to_string(*edit.mode) + " is not offered; offer it with --modes first";
      }
    }
  }
  if (edit.step) {
    if (auto e = mcu_only("the step"); !e.empty()) return e;
    if (auto e = Range("step", *edit.step, 0, kMaxMcuLedStep); !e.empty()) return e;
    c.mcu_step = std::to_string(*edit.step);
  }
  if (edit.breath) {
    if (auto e = normal_only("the breathing rate"); !e.empty()) return e;
    if (auto e = Range("breathing rate", *edit.breath, 0, 255); !e.empty()) return e;
    c.breath_step = std::to_string(*edit.breath);
  }
  const std::pair<const std::optional<std::string>*, ColourEdits*> colours[] = {
      {&edit.key_mode1_colour, &c.key_mode1_colour}, {&edit.key_mode2_colour, &c.key_mode2_colour}};
  for (const auto& [text, edits] : colours) {
    if (!*text) continue;
    const auto rgb = ParseHexColour(**text);
    if (!rgb) return "a key-mode colour is written #RRGGBB, not \"" + **text + "\"";
    *edits = EditsOf(*rgb);
  }
  UIToDataBuf(c, record);
  return {};
}

}  // namespace zelko::cli
