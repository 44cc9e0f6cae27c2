#include "pages/lighting_rules.h"

#include <string>

namespace zelko {

LedTypeLayout LayoutForLedType(bool normal_led) {
  LedTypeLayout layout;
  layout.breath_rate = normal_led;
  layout.level_palette = normal_led;
  layout.key_mode1_colour = normal_led;
  const bool mcu = !normal_led;
  layout.brightness = mcu;
  layout.current_mode_and_step = mcu;
  layout.level_rgb = mcu;
  layout.lcpi_pair = mcu;
  layout.mode_images = mcu;
  layout.step_bar = mcu;
  layout.count_bar = mcu;
  return layout;
}

void RebuildCurrentModeList(EngineerControls& controls) {
  for (int k = 1; k <= kMcuLedModeCount; ++k) {
    const auto i = static_cast<std::size_t>(k - 1);
    controls.current_mode_items[i] =
        controls.modes_offered[i] ? "Mode " + std::to_string(k) : std::string(kModeNotOffered);
  }
  controls.current_mode_index = 0;
}

std::array<bool, kMcuLedModeCount> VisibleModeImages(const EngineerControls& controls) {
  return controls.modes_offered;
}

std::array<bool, kMcuLedModeCount> ModeImagesLit(const EngineerControls& controls) {
  std::array<bool, kMcuLedModeCount> lit{};
  if (controls.current_mode_index >= 0 && controls.current_mode_index < kMcuLedModeCount) {
    lit[static_cast<std::size_t>(controls.current_mode_index)] = true;
  }
  return lit;
}

bool ChooseCurrentMode(EngineerControls& controls, int mode) {
  if (mode < 1 || mode > kMcuLedModeCount) return false;
  if (!controls.modes_offered[static_cast<std::size_t>(mode - 1)]) return false;
  controls.current_mode_index = mode - 1;
  return true;
}

void SetKeyModeSaving(EngineerControls& controls, bool save) {
  controls.key_mode_saving = save ? Checked::First : Checked::Second;
  controls.key_mode_enabled = save;
  if (!save) controls.key_mode_index = 0;
}

}  // namespace zelko
