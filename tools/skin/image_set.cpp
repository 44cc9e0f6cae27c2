#include "tools/skin/image_set.h"

namespace zelko::skin {

std::vector<ImageSpec> AllImages() {
  std::vector<ImageSpec> all;
  for (int n = 1; n <= kLanguageCount; ++n) {
    const std::string l = "L" + std::to_string(n) + "_";
    all.push_back({l + "BackGround", kBackgroundSize});
    for (int page = 1; page <= 4; ++page) all.push_back({l + "Back" + std::to_string(page), kPanelSize});
  }
  auto states = [&](const std::string& base, int count, ImageSize size) {
    for (int i = 1; i <= count; ++i) all.push_back({base + "_0" + std::to_string(i), size});
  };
  states("SetS", 3, kTabSize);
  states("BtnS", 3, kActionSize);
  states("ExitS", 3, kCloseSize);
  states("MiniS", 2, kMinimiseSize);
  states("WebS", 3, kWebSize);
  states("KeyS", 2, kKeyFrameSize);
  states("MacroS", 4, kMacroButtonSize);
  states("MacroBtnS", 3, kPanelButtonSize);
  for (const char* state : {"_D", "_E"}) {
    all.push_back({std::string("Bar1") + state, kSpeedNotchSize});
    all.push_back({std::string("Bar2") + state, kDpiNotchSize});
    all.push_back({std::string("CbS") + state, kMarkerSize});
    all.push_back({std::string("RdS") + state, kRadioSize});
  }
  all.push_back({"Col_F", kSwatchSize});
  all.push_back({"Msg", kDialogSize});
  all.push_back({"InsertDelayBase", kInsertPanelSize});
  all.push_back({"InsertKeyBase", kInsertPanelSize});
  return all;
}

}  // namespace zelko::skin
