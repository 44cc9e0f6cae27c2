// The DPI, AIM, fire and lighting fields of the image, decoded for the text
// of `show` (`show --json` prints cli/settings_json.h).
#pragma once
#include <nlohmann/json.hpp>
#include <string>

#include "settings/mouse_settings.h"

namespace zelko::cli {

// JSON members "DpiLevels", "Aim", "Fire" and "Lighting", which the text
// below is made from.
nlohmann::json PointerSettingsJson(const MouseSettings& settings);
// The same as text lines for `show`.
std::string PointerSettingsText(const MouseSettings& settings);

}  // namespace zelko::cli
