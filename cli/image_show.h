// `show`: the settings held in the image, decoded. Each area adds its
// lines to the text, and the raw fields it holds to the JSON object of the
// record (keys are the image's field names); another area's fields are one
// more function in the list of image_show.cpp. `show --json` prints the
// typed settings (cli/settings_json.h) with that record under "record".
#pragma once
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "image/workspace.h"

namespace zelko::cli {

struct ShowOutput {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();  // the raw record fields
  std::string text;
  int language = 1;  // --lang: the language pack of button labels
};

using ShowArea = void (*)(const Workspace& workspace, ShowOutput& out);

// ManufacturerCode, ProductCode.
void ShowIdentity(const Workspace& workspace, ShowOutput& out);
// The raw fields of ParameterA, ParameterB and FireKey under their names
// (JSON only; the decoded forms follow in the areas below).
void ShowRawFields(const Workspace& workspace, ShowOutput& out);
// ProfileKeyCodes, and each button's label with the key mode in use (text).
void ShowButtons(const Workspace& workspace, ShowOutput& out);
// DPI levels, AIM, fire key and lighting, decoded (text).
void ShowPointerSettings(const Workspace& workspace, ShowOutput& out);

// Every area in order.
ShowOutput ShowImage(const Workspace& workspace, int language = 1);

// What `show --json` prints (docs/json/show.schema.json): the schema's
// version, the typed settings, the raw fields under "record", and the
// sections repaired from the built-in defaults.
nlohmann::ordered_json ShowJson(const Workspace& workspace, int language,
                                const std::vector<std::string>& repaired_sections);

}  // namespace zelko::cli
