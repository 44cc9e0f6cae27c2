#include "cli/pointer_edits.h"

#include <algorithm>
#include <cstdio>

#include "settings/aim_key.h"
#include "settings/dpi_tables.h"

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

std::string ApplyDpiEdit(const DpiEdit& edit, MouseSettings& settings) {
  DpiLevels& dpi = settings.dpi;
  if (edit.count) {
    if (auto e = Range("level count", *edit.count, kMinDpiLevels, kMaxDpiLevels); !e.empty()) return e;
    SetLevelCount(dpi, *edit.count);
  }
  const int count = dpi.count;
  const auto check_level = [count](int level) -> std::string {
    if (level < 1 || level > kMaxDpiLevels) return Range("level", level, 1, kMaxDpiLevels);
    if (level > count) {
      return "level " + std::to_string(level) + " is not active (" + std::to_string(count) +
             " levels); raise --count first";
    }
    return {};
  };
  const auto level_of = [&dpi](int level) -> DpiLevel& {
    return dpi.levels[static_cast<std::size_t>(level - 1)];
  };
  for (const auto& [level, value] : edit.values) {
    if (auto e = check_level(level); !e.empty()) return e;
    const auto index = DpiValueIndexOf(value);
    if (!index) return std::to_string(value) + " DPI is not offered; choose one of " + DpiList();
    level_of(level).value_index = static_cast<std::uint8_t>(*index);
  }
  for (const auto& [level, text] : edit.colours) {
    if (auto e = check_level(level); !e.empty()) return e;
    if (settings.lighting.type == LedType::kNormal) {
      const auto palette = PaletteIndexOf(text);
      if (!palette) {
        return "the normal LED shows palette colours only; choose one of " + PaletteList();
      }
      level_of(level).palette_index = static_cast<std::uint8_t>(*palette);
    } else {
      const auto rgb = ParseHexColour(text);
      if (!rgb) return "the MCU LED takes a colour as #RRGGBB, not \"" + text + "\"";
      level_of(level).colour = *rgb;
    }
  }
  if (edit.current) {
    if (auto e = check_level(*edit.current); !e.empty()) return e;
    dpi.current = *edit.current - 1;
  }
  return {};
}

std::string ApplyAimEdit(int dpi, MouseSettings& settings) {
  const auto index = DpiValueIndexOf(dpi);
  if (!index) return std::to_string(dpi) + " DPI is not offered; choose one of " + DpiList();
  if (!SetAimValue(static_cast<std::uint8_t>(*index), settings.buttons, settings.aim)) {
    return std::string(kNoAimButtonMessage) +
           " (give a button the AIM function first, e.g. set-button --profile 1 4 AIM)";
  }
  return {};
}

std::string ApplyFireEdit(const FireEdit& edit, MouseSettings& settings) {
  if (edit.count) {
    if (auto e = Range("repeat count", *edit.count, kMinFireRepeatCount, kMaxFireRepeatCount);
        !e.empty()) {
      return e;
    }
    settings.fire.repeat_count = *edit.count;
  }
  if (edit.interval) {
    if (auto e = Range("interval", *edit.interval, 0, 255); !e.empty()) return e;
    settings.fire.interval = *edit.interval;
  }
  return {};
}

std::string ApplyLedEdit(const LedEdit& edit, MouseSettings& settings) {
  Lighting& l = settings.lighting;
  if (edit.type) {
    if (!edit.engineer) return "the LED type comes from the mouse; changing it needs --engineer";
    if (*edit.type != "normal" && *edit.type != "mcu") {
      return "LED type \"" + *edit.type + "\" is unknown; use normal or mcu";
    }
    l.type = *edit.type == "normal" ? LedType::kNormal : LedType::kMcu;
    // The normal LED's one mode is CPI Breath; an MCU LED starts at mode 1.
    if (l.type == LedType::kNormal || l.mode == 0) l.mode = kNormalLedMode;
  }
  const bool normal = l.type == LedType::kNormal;
  const auto mcu_only = [normal](const char* what) -> std::string {
    if (!normal) return {};
    return std::string(what) + " exists only with the MCU LED; this mouse has a normal LED";
  };
  const auto normal_only = [normal](const char* what) -> std::string {
    if (normal) return {};
    return std::string(what) + " exists only with the normal LED; this mouse has an MCU LED";
  };

  if (edit.led_on) l.led_on = *edit.led_on;
  if (edit.mcpi) l.mcpi_switch = *edit.mcpi;
  if (edit.lcpi) {
    if (auto e = mcu_only("the L+CPI switch"); !e.empty()) return e;
    l.lcpi_switch = *edit.lcpi;
  }
  if (edit.save_key_mode) {
    l.key_mode_saved = *edit.save_key_mode;
    // A key mode that is not saved starts as A: the mouse is told so too.
    if (!l.key_mode_saved) settings.buttons.key_mode = KeyMode::kA;
  }
  if (edit.brightness) {
    if (auto e = mcu_only("brightness"); !e.empty()) return e;
    if (*edit.brightness != "full" && *edit.brightness != "half") {
      return "brightness \"" + *edit.brightness + "\" is unknown; use full or half";
    }
    l.full_brightness = *edit.brightness == "full";
  }
  if (edit.led_count) {
    if (auto e = mcu_only("the LED count"); !e.empty()) return e;
    if (auto e = Range("LED count", *edit.led_count, kMinLedCount, kMaxLedCount); !e.empty()) return e;
    l.led_count = *edit.led_count;
  }
  if (edit.modes) {
    if (auto e = mcu_only("the mode list"); !e.empty()) return e;
    if (edit.modes->empty()) return "offer at least one mode";
    std::array<bool, kLightingModeCount> offered{};
    for (int mode : *edit.modes) {
      if (auto e = Range("mode", mode, 1, kLightingModeCount); !e.empty()) return e;
      offered[static_cast<std::size_t>(mode - 1)] = true;
    }
    l.modes_offered = offered;
    // Keep the current mode when it is still offered, otherwise take the
    // first offered one.
    const bool still_offered = l.mode >= 1 && l.mode <= kLightingModeCount &&
                               offered[static_cast<std::size_t>(l.mode - 1)];
    if (!still_offered) l.mode = *std::min_element(edit.modes->begin(), edit.modes->end());
  }
  if (edit.mode) {
    if (normal) {
      if (*edit.mode != kNormalLedMode) return "the normal LED has only mode 1 (CPI Breath)";
      l.mode = kNormalLedMode;
    } else {
      if (auto e = Range("mode", *edit.mode, 1, kLightingModeCount); !e.empty()) return e;
      if (!l.modes_offered[static_cast<std::size_t>(*edit.mode - 1)]) {
        return "mode " + std::to_string(*edit.mode) + " is not offered; offer it with --modes first";
      }
      l.mode = *edit.mode;
    }
  }
  if (edit.step) {
    if (auto e = mcu_only("the step"); !e.empty()) return e;
    if (auto e = Range("step", *edit.step, 0, kMaxMcuLedStep); !e.empty()) return e;
    l.step = *edit.step;
  }
  if (edit.breath) {
    if (auto e = normal_only("the breathing rate"); !e.empty()) return e;
    if (auto e = Range("breathing rate", *edit.breath, 0, 255); !e.empty()) return e;
    l.breath_step = static_cast<std::uint8_t>(*edit.breath);
  }
  const std::pair<const std::optional<std::string>*, Rgb*> colours[] = {
      {&edit.key_mode1_colour, &l.key_mode_colours[0]}, {&edit.key_mode2_colour, &l.key_mode_colours[1]}};
  for (const auto& [text, rgb] : colours) {
    if (!*text) continue;
    const auto parsed = ParseHexColour(**text);
    if (!parsed) return "a key-mode colour is written #RRGGBB, not \"" + **text + "\"";
    *rgb = *parsed;
  }
  return {};
}

}  // namespace zelko::cli
