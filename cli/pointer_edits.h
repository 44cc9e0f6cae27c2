// The set-dpi, set-aim, set-fire and set-led changes, made to the settings
// read from the mouse; the one settings encoder then writes them into the
// image. Each returns an empty string when the change was made, otherwise
// the reason it was refused (the caller then writes nothing). Values are
// checked, never clamped; values the user did not name are left as read.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "image/parameter_record.h"
#include "settings/mouse_settings.h"

namespace zelko::cli {

struct DpiEdit {
  std::optional<int> count;                               // --count
  std::vector<std::pair<int, int>> values;                // --value LEVEL=DPI
  std::vector<std::pair<int, std::string>> colours;       // --colour LEVEL=NAME|#RRGGBB
  std::optional<int> current;                             // --current LEVEL
};

struct FireEdit {
  std::optional<int> count;     // repeat count 2..127
  std::optional<int> interval;  // 0..255, units of 8 ms
};

struct LedEdit {
  bool engineer = false;
  std::optional<std::string> type;        // normal | mcu (engineer only)
  std::optional<bool> led_on;             // --led on|off
  std::optional<bool> mcpi;               // --mcpi on|off
  std::optional<bool> lcpi;               // --lcpi on|off
  std::optional<bool> save_key_mode;      // --save-key-mode on|off
  std::optional<std::string> brightness;  // full | half
  std::optional<int> led_count;           // 4..13
  std::optional<std::vector<int>> modes;  // offered modes 1..7
  std::optional<int> mode;                // current mode
  std::optional<int> step;                // 0..7
  std::optional<int> breath;              // 0..255
  std::optional<std::string> key_mode1_colour;  // #RRGGBB
  std::optional<std::string> key_mode2_colour;  // #RRGGBB
};

// "#RRGGBB" (the '#' may be left out); nothing for anything else.
std::optional<Rgb> ParseHexColour(const std::string& text);
std::string HexColour(const Rgb& rgb);

std::string ApplyDpiEdit(const DpiEdit& edit, MouseSettings& settings);
std::string ApplyAimEdit(int dpi, MouseSettings& settings);
std::string ApplyFireEdit(const FireEdit& edit, MouseSettings& settings);
std::string ApplyLedEdit(const LedEdit& edit, MouseSettings& settings);

}  // namespace zelko::cli
