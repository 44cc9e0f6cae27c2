// The DPI, AIM, fire and lighting fields of the image, decoded for `show`
// and `show --json`.
#pragma once
#include <nlohmann/json.hpp>
#include <string>

#include "settings/mouse_settings.h"

namespace zelko::cli {

// JSON members "DpiLevels", "Aim", "Fire" and "Lighting".
nlohmann::json PointerSettingsJson(const MouseSettings& settings);
// The same as text lines for `show`.
std::string PointerSettingsText(const MouseSettings& settings);

}  // namespace zelko::cli
