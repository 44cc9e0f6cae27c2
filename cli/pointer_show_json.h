// `pointer show --json` (docs/json/pointer-show.schema.json): the six
// pointer values under their Windows registry names, with the levels the
// Advanced page shows, and where they are kept.
#pragma once
#include <nlohmann/json.hpp>
#include <string>

#include "pointer/pointer_parameters.h"

namespace zelko::cli {

// The values alone (also what `pointer set --json` prints).
nlohmann::json PointerParametersJson(const PointerParameters& parameters);
// What `pointer show --json` prints: the schema's version, the values and
// the place they are kept.
nlohmann::json PointerShowJson(const PointerParameters& parameters, const std::string& kept_in);

}  // namespace zelko::cli
