// The Light page over the window's settings: the radio pairs, the current
// mode, the step and LED-count bars and the two key-mode colours. Every
// edit runs the page rules on the engineer controls (filled from the
// settings first) and writes them back into the settings; Refresh redraws
// the page from the settings after every read.
#pragma once
#include <array>
#include <vector>

#include "pages/engineer_controls.h"
#include "pages/lighting_rules.h"
#include "settings/mouse_settings.h"
#include "pages/value_bars.h"

namespace zelko {

// The five two-way choices of the Light page.
enum class LightChoice { LedStatus, McpiSwitch, LcpiSwitch, KeyModeSaving, Brightness };
inline constexpr std::array<LightChoice, 5> kLightChoices{
    LightChoice::LedStatus, LightChoice::McpiSwitch, LightChoice::LcpiSwitch,
    LightChoice::KeyModeSaving, LightChoice::Brightness};

class LightPageModel {
 public:
  void SetBarStyle(BarStyle style) { bar_style_ = style; }

  void Refresh(const MouseSettings& settings);

  // The first button of a pair ("On", "Save", full brightness) or the second.
  void Choose(MouseSettings& settings, LightChoice choice, bool first);
  // A mode label 1..7; refused (false) for a mode that is not offered.
  bool ChooseMode(MouseSettings& settings, int mode);
  // Notches of the step bar (1..8) and the LED-count bar (1..10).
  bool ClickStepNotch(MouseSettings& settings, int notch);
  bool ClickCountNotch(MouseSettings& settings, int notch);
  // Key mode A (1) or B (2) flashes this colour.
  bool SetKeyModeColour(MouseSettings& settings, int mode, const Rgb& rgb);

  // What the page shows.
  bool normal_led() const { return normal_led_; }
  LedTypeLayout layout() const { return LayoutForLedType(normal_led_); }
  // Which button of a pair shows "RdS_E": the first, or not.
  bool FirstChosen(LightChoice choice) const;
  std::array<bool, kMcuLedModeCount> VisibleModes() const { return VisibleModeImages(controls_); }
  std::array<bool, kMcuLedModeCount> LitModes() const { return ModeImagesLit(controls_); }
  std::vector<bool> StepBarLit() const { return PaintBar(bar_style_, kStepBarNotches, step_notch_); }
  std::vector<bool> CountBarLit() const {
    return PaintBar(bar_style_, kLedCountBarNotches, count_notch_);
  }
  Rgb KeyModeColour(int mode) const;
  const EngineerControls& controls() const { return controls_; }

 private:
  void Sync(const MouseSettings& settings);
  void Commit(MouseSettings& settings) const;
  void KeepBarPositions(const MouseSettings& settings);

  BarStyle bar_style_ = BarStyle::Slider;
  EngineerControls controls_;
  bool normal_led_ = false;
  // The notches the bars were last painted for; a value the bar cannot show
  // leaves them.
  int step_notch_ = kStepBarNotches;
  int count_notch_ = kLedCountBarNotches;
};

}  // namespace zelko
