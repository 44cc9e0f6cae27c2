// `show --json`: the mouse's settings as typed JSON, named by what they are
// rather than by the bytes that hold them (docs/json/show.schema.json).
// A pure function of the settings models; the command adds the raw record
// fields under "record" and the repaired sections.
#pragma once
#include <nlohmann/json.hpp>

#include "image/parameter_record.h"
#include "settings/mouse_settings.h"

namespace zelko::cli {

// The version of show.schema.json this output follows; a change that could
// break a reader (a key renamed, removed or retyped) makes it the next one.
inline constexpr int kShowSchemaVersion = 1;

// "identity", "sensor_orientation", "key_mode", "profiles" (each button's
// code and the label of `labels`, laid out like ProfileKeyCodes), "dpi",
// "aim", "fire", "lighting", "key_mode_colours".
nlohmann::ordered_json SettingsJson(const MouseSettings& settings, const ProfileKeyCodes& labels);

}  // namespace zelko::cli
