#include "pages/light_page_model.h"

#include "pages/control_codec.h"
#include "pages/edit_rules.h"

namespace zelko {

void LightPageModel::Sync(const MouseSettings& settings) { SettingsToControls(settings, controls_); }

void LightPageModel::Commit(MouseSettings& settings) const { ControlsToSettings(controls_, settings); }

void LightPageModel::KeepBarPositions(const MouseSettings& settings) {
  const Lighting& l = settings.lighting;
  if (l.led_count >= kMinLedCount && l.led_count <= kMaxLedCount) count_notch_ = LedCountNotch(l.led_count);
  if (l.step >= 0 && l.step < kStepBarNotches) step_notch_ = StepNotch(l.step);
}

void LightPageModel::Refresh(const MouseSettings& settings) {
  Sync(settings);
  normal_led_ = settings.lighting.type == LedType::kNormal;
  KeepBarPositions(settings);
}

namespace {

// The engineer radio pair behind a choice (const or not).
template <typename Controls>
auto& PairOf(Controls& c, LightChoice choice) {
  switch (choice) {
    case LightChoice::LedStatus: return c.led_status;
    case LightChoice::McpiSwitch: return c.mcpi_switch;
    case LightChoice::LcpiSwitch: return c.lcpi_switch;
    case LightChoice::KeyModeSaving: return c.key_mode_saving;
    case LightChoice::Brightness: break;
  }
  return c.brightness;
}

}  // namespace

bool LightPageModel::FirstChosen(LightChoice choice) const {
  return PairOf(controls_, choice) == Checked::First;
}

void LightPageModel::Choose(MouseSettings& settings, LightChoice choice, bool first) {
  Sync(settings);
  if (choice == LightChoice::KeyModeSaving) {
    SetKeyModeSaving(controls_, first);
  } else {
    PairOf(controls_, choice) = first ? Checked::First : Checked::Second;
  }
  Commit(settings);
}

bool LightPageModel::ChooseMode(MouseSettings& settings, int mode) {
  Sync(settings);
  if (!ChooseCurrentMode(controls_, mode)) return false;
  Commit(settings);
  return true;
}

bool LightPageModel::ClickStepNotch(MouseSettings& settings, int notch) {
  if (notch < 1 || notch > kStepBarNotches) return false;
  Sync(settings);
  controls_.mcu_step = ClampMcuStepEdit(std::to_string(StepForNotch(notch)));
  step_notch_ = notch;
  Commit(settings);
  return true;
}

bool LightPageModel::ClickCountNotch(MouseSettings& settings, int notch) {
  if (notch < 1 || notch > kLedCountBarNotches) return false;
  Sync(settings);
  controls_.led_count = ClampLedCountEdit(std::to_string(LedCountForNotch(notch)));
  count_notch_ = notch;
  Commit(settings);
  return true;
}

bool LightPageModel::SetKeyModeColour(MouseSettings& settings, int mode, const Rgb& rgb) {
  if (mode != 1 && mode != 2) return false;
  Sync(settings);
  ColourEdits& edits = mode == 1 ? controls_.key_mode1_colour : controls_.key_mode2_colour;
  edits = {std::to_string(rgb.r), std::to_string(rgb.g), std::to_string(rgb.b)};
  Commit(settings);
  return true;
}

Rgb LightPageModel::KeyModeColour(int mode) const {
  const ColourEdits& edits = mode == 2 ? controls_.key_mode2_colour : controls_.key_mode1_colour;
  const auto part = [](const std::string& text) {
    return static_cast<std::uint8_t>(EditValueIn(text, 0, 255).value_or(0));
  };
  return {part(edits.r), part(edits.g), part(edits.b)};
}

}  // namespace zelko
