// The skinned buttons and the families they belong to, from their names.
// A button is a transparent label "Btn_<name>_<copy>" over a picture
// "Img_<name>_<copy>", one copy per skinned page; the main page's button
// frames are labels "Key<n>" over "Img_Key<n>".
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "pages/image_change.h"

namespace zelko {

enum class ButtonFamily {
  Action,    // A: Confirm, Apply, Read, Confirm1 .. Confirm3
  Tab,       // B: Main, Second, Adv, Breath, Macro, Engineer, Save, Load
  Language,  // D: Lang1 .. Lang3
  Close,     // I: Exit
  Minimise,  // J: Mini
  Web,
  KeyFrame,  // Key1 .. Key9 on the main page
};

struct SkinButtonRef {
  std::string name;  // "Apply", "Lang2", "Key3"
  int copy = 0;      // 1 .. 4; 0 for a key frame
  ButtonFamily family = ButtonFamily::Action;
};

// The button a label belongs to: "Btn_Apply_2" -> Apply, copy 2; "Key3" ->
// key frame 3. Nothing for any other name.
std::optional<SkinButtonRef> ParseButtonLabel(std::string_view labelName);

std::string ButtonLabelName(std::string_view button, int copy);  // "Btn_Apply_2"
// "Img_Apply_2"; copy 0 names a key frame's picture ("Img_Key3").
std::string ButtonImageName(std::string_view button, int copy);
// The picture of every copy of a button set to one image.
ImageChanges AllCopies(std::string_view button, std::string_view image);

}  // namespace zelko
