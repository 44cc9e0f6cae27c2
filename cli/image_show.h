// `show`: the settings held in the image, decoded. Each area adds its
// fields to the JSON object (keys are the image's field names) and its
// lines to the text; another area's fields are one more function in the
// list of image_show.cpp.
#pragma once
#include <nlohmann/json.hpp>
#include <string>

#include "image/workspace.h"

namespace zelko::cli {

struct ShowOutput {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  std::string text;
  int language = 1;  // --lang: the language pack of button labels
};

using ShowArea = void (*)(const Workspace& workspace, ShowOutput& out);

// ManufacturerCode, ProductCode.
void ShowIdentity(const Workspace& workspace, ShowOutput& out);
// The raw fields of ParameterA, ParameterB and FireKey under their names
// (JSON only; the decoded forms follow in the areas below).
void ShowRawFields(const Workspace& workspace, ShowOutput& out);
// ProfileKeyCodes with each button's label, and the key mode in use.
void ShowButtons(const Workspace& workspace, ShowOutput& out);
// DPI levels, AIM, fire key and lighting, decoded.
void ShowPointerSettings(const Workspace& workspace, ShowOutput& out);

// Every area in order.
ShowOutput ShowImage(const Workspace& workspace, int language = 1);

}  // namespace zelko::cli
