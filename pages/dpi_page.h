// The Advanced page's DPI, AIM and fire rules as a model over the engineer
// controls and the page's own working values: the level count, adding and
// removing a level by its name, the current level, level values and
// colours, the AIM value and the fire edits.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "image/parameter_record.h"
#include "settings/mouse_settings.h"
#include "pages/engineer_controls.h"
#include "pages/value_bars.h"

namespace zelko {

// The layout pack values the page depends on.
struct DpiPageLayout {
  BarStyle bar_style = BarStyle::Slider;  // DPILED_Status
  bool count_combo_visible = false;       // DPI_Count_Visible = 1
};

struct DpiPageState {
  int working_level_count = kMaxDpiLevels;  // WorkingLevelCount
  int remembered_level = 0;                 // RememberedLevel, index 0..6
  // Level n active: lbl_DPIn in Color_D_Selected, its notches, marker and
  // swatch label enabled.
  std::array<bool, kDpiLevelMax> level_active{true, true, true, true, true, true, true};
  int lit_marker = 0;  // the level index whose marker shows "CbS_E"
  // The value index each level bar is painted for; a level whose value is
  // unset keeps its bar.
  std::array<int, kDpiLevelMax> bar_value{};
  std::array<std::string, kDpiLevelMax> value_caption{};  // lbl_DPInValue
  int aim_value_index = 0;        // AimValueIndex
  std::string aim_caption;        // lbl_AIMKeyValue
  bool normal_led = false;        // LedType "ZKLED" (true) or "MCULED"
  std::string repeat_text = "3";  // Edt_Repeat1
  std::string delay_text = "0";   // Edt_DelayTime1
};

// The caption of a DPI value index ("800"); the language packs carry the
// same texts in all three languages.
std::string DpiValueCaption(int value_index);

// cb_CPIStepChange: `count` 2..7 levels; the highest becomes current.
// Counts outside 2..7 change nothing and return false.
bool ChangeLevelCount(EngineerControls& controls, DpiPageState& page, int count);

// A click on lbl_DPIn adds the first inactive level or
// removes the last active one (3..7). Nothing happens when the count list
// is visible. Returns whether the count changed.
bool ClickLevelName(EngineerControls& controls, DpiPageState& page, const DpiPageLayout& layout,
                    int level);

// A click on marker n makes level n current when it is active;
// a click on an inactive level is refused (false) and the list goes back
// to the remembered level.
bool ClickLevelMarker(EngineerControls& controls, DpiPageState& page, int level);

// cb_CurrentCPIChange: level index 0..count-1 becomes current.
bool SelectCurrentLevel(EngineerControls& controls, DpiPageState& page, int level_index);

// A notch click or the engineer value list: level n gets value index 0..10.
bool SetLevelValue(EngineerControls& controls, DpiPageState& page, int level, int value_index);

// MCU LED: the colour dialog's result goes into level n's R, G, B edits.
bool SetLevelRgb(EngineerControls& controls, int level, const Rgb& rgb);
// Normal LED: palette entry 0..6 for level n.
bool SetLevelPalette(EngineerControls& controls, int level, int palette_index);

// The colour a level's swatch shows: the palette colour (normal LED) or the
// R, G, B edits (MCU LED); nothing when the controls hold no colour.
std::optional<Rgb> LevelSwatchColour(const EngineerControls& controls, const DpiPageState& page,
                                     int level);

// The seven-colour chooser of the normal LED, from the swatch click to
// Confirm or Close.
class ColourChooser {
 public:
  static constexpr int kNothingChosen = 255;
  explicit ColourChooser(int target_level) : target_level_(target_level) {}
  void Pick(int palette_index);  // swatch i (0..6)
  void Clear();                  // IB_Cancel ("Reset")
  int chosen() const { return chosen_; }
  // Which marker shows "CbS_E" under each swatch.
  std::array<bool, kPaletteSize> markers() const;
  // IB_Confirm (RefreshNormalLEDColor): applies a chosen entry to the target
  // level; with nothing chosen the level keeps its colour. Returns whether
  // the colour changed.
  bool Confirm(EngineerControls& controls) const;

 private:
  int target_level_;
  int chosen_ = kNothingChosen;
};

// The AIM value changed (list or notch click). With no AIM button in the
// record the value falls back to index 0 and the message is returned;
// otherwise every AIM button in the settings gets the new value.
struct AimChange {
  bool no_aim_button = false;
  std::string_view message;  // kNoAimButtonMessage or empty
};
AimChange ChangeAimValue(MouseSettings& settings, EngineerControls& controls, DpiPageState& page,
                         int value_index);

// Fire edits: the Advanced page's twins mirror the engineer page's.
void EditRepeatCount(EngineerControls& controls, DpiPageState& page, std::string_view text);
void LeaveRepeatCount(EngineerControls& controls, DpiPageState& page);
void EditDelayTime(EngineerControls& controls, DpiPageState& page, std::string_view text);
void SelectFireCount(EngineerControls& controls, DpiPageState& page, int index);
void EditFireTime(EngineerControls& controls, DpiPageState& page, std::string_view text);

// The DPI, AIM and fire parts of RefreshUI that the Advanced page shows
// (the engineer controls are filled by SettingsToControls first).
void RefreshDpiPage(const MouseSettings& settings, const EngineerControls& controls,
                    DpiPageState& page);

}  // namespace zelko
