// The DPI, AIM, fire and lighting fields of the image, decoded for `show`
// and `show --json`.
#pragma once
#include <nlohmann/json.hpp>
#include <string>

#include "image/parameter_record.h"

namespace zelko::cli {

// JSON members "DpiLevels", "Aim", "Fire" and "Lighting".
nlohmann::json PointerSettingsJson(const ParameterRecord& record);
// The same as text lines for `show`.
std::string PointerSettingsText(const ParameterRecord& record);

}  // namespace zelko::cli
