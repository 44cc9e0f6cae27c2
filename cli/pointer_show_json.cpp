#include "cli/pointer_show_json.h"

#include "cli/command_json.h"

namespace zelko::cli {

nlohmann::json PointerParametersJson(const PointerParameters& p) {
  return {
      {"SpeedLevel", p.speed_level},
      {"MouseSensitivity", PointerSpeedForLevel(p.speed_level).value_or(0)},
      {"Precision", p.precision_on()},
      {"MouseSpeed", p.precision.acceleration},
      {"MouseThreshold1", p.precision.threshold1},
      {"MouseThreshold2", p.precision.threshold2},
      {"DoubleClickLevel", p.double_click_level},
      {"DoubleClickSpeed", DoubleClickTimeForLevel(p.double_click_level).value_or(0)},
      {"ScrollLevel", p.one_screen() ? nlohmann::json("screen") : nlohmann::json(p.scroll_level)},
      {"WheelScrollLines", ScrollLinesForLevel(p.scroll_level).value_or(0)},
  };
}

nlohmann::json PointerShowJson(const PointerParameters& parameters, const std::string& kept_in) {
  nlohmann::json out = PointerParametersJson(parameters);
  out["schema_version"] = kCommandSchemaVersion;
  out["command"] = "pointer show";
  out["Store"] = kept_in;
  return out;
}

}  // namespace zelko::cli
