#include "pages/engineer_page_model.h"

#include "pages/control_codec.h"
#include "pages/edit_rules.h"

namespace zelko {
namespace {

bool ValidLevel(int level) { return level >= 1 && level <= kMaxDpiLevels; }

std::string& ChannelOf(ColourEdits& edits, ColourChannel channel) {
  switch (channel) {
    case ColourChannel::kRed: return edits.r;
    case ColourChannel::kGreen: return edits.g;
    case ColourChannel::kBlue: break;
  }
  return edits.b;
}

Checked& PairOf(EngineerControls& c, EngineerPair pair) {
  switch (pair) {
    case EngineerPair::kLedType: return c.led_type;
    case EngineerPair::kLedStatus: return c.led_status;
    case EngineerPair::kMcpiSwitch: return c.mcpi_switch;
    case EngineerPair::kLcpiSwitch: return c.lcpi_switch;
    case EngineerPair::kKeyModeSaving: return c.key_mode_saving;
    case EngineerPair::kBrightness: return c.brightness;
    case EngineerPair::kFireFunction: break;
  }
  return c.fire_function;
}

}  // namespace

std::optional<std::string> IdentityWriteProblem(const MouseSettings& settings, const ExpectedCodes& expected,
                                                bool engineer_mode) {
  const IdentityCodes codes{settings.options.manufacturer_code, settings.options.product_code};
  if (engineer_mode || IsAcceptedIdentity(codes, expected)) return std::nullopt;
  return "Nothing was written: the vendor and product codes " + std::to_string(codes.manufacturer) + " and " +
         std::to_string(codes.product) +
         " are not a pair this program accepts, so the mouse could no longer be read or reset after the write.";
}

void EngineerPageModel::Sync(const MouseSettings& settings) {
  SettingsToControls(settings, controls_);
  RefreshDpiPage(settings, controls_, page_);
  gun_long_press_ = settings.buttons.gun_long_press;
}

void EngineerPageModel::Commit(MouseSettings& settings) const { ControlsToSettings(controls_, settings); }

void EngineerPageModel::Refresh(const MouseSettings& settings) { Sync(settings); }

bool EngineerPageModel::SelectLevelCount(MouseSettings& settings, int list_index) {
  Sync(settings);
  if (!ChangeLevelCount(controls_, page_, list_index + kMinDpiLevels)) return false;
  Commit(settings);
  return true;
}

bool EngineerPageModel::SelectCurrentLevel(MouseSettings& settings, int list_index) {
  Sync(settings);
  if (!zelko::SelectCurrentLevel(controls_, page_, list_index)) return false;
  Commit(settings);
  return true;
}

bool EngineerPageModel::SelectLevelValue(MouseSettings& settings, int level, int list_index) {
  Sync(settings);
  if (!SetLevelValue(controls_, page_, level, list_index)) return false;
  Commit(settings);
  return true;
}

bool EngineerPageModel::SelectLevelPalette(MouseSettings& settings, int level, int list_index) {
  Sync(settings);
  if (!SetLevelPalette(controls_, level, list_index)) return false;
  Commit(settings);
  return true;
}

std::string EngineerPageModel::EditLevelColour(MouseSettings& settings, int level, ColourChannel channel,
                                               std::string_view text) {
  if (!ValidLevel(level)) return std::string(text);
  Sync(settings);
  std::string& edit = ChannelOf(controls_.levels[static_cast<std::size_t>(level - 1)].colour, channel);
  edit = ClampColourEdit(text);
  Commit(settings);
  return edit;
}

AimChange EngineerPageModel::SelectAimValue(MouseSettings& settings, int list_index) {
  Sync(settings);
  return ChangeAimValue(settings, controls_, page_, list_index);
}

void EngineerPageModel::SelectFireCount(MouseSettings& settings, int list_index) {
  Sync(settings);
  zelko::SelectFireCount(controls_, page_, list_index);
  Commit(settings);
}

std::string EngineerPageModel::EditFireTime(MouseSettings& settings, std::string_view text) {
  Sync(settings);
  zelko::EditFireTime(controls_, page_, text);
  Commit(settings);
  return controls_.fire_time;
}

void EngineerPageModel::Choose(MouseSettings& settings, EngineerPair pair, bool first) {
  Sync(settings);
  if (pair == EngineerPair::kKeyModeSaving) {
    SetKeyModeSaving(controls_, first);
  } else {
    PairOf(controls_, pair) = first ? Checked::First : Checked::Second;
  }
  Commit(settings);
}

void EngineerPageModel::SetModeOffered(MouseSettings& settings, int mode, bool offered) {
  if (mode < 1 || mode > kMcuLedModeCount) return;
  Sync(settings);
  controls_.modes_offered[static_cast<std::size_t>(mode - 1)] = offered;
  RebuildCurrentModeList(controls_);
  Commit(settings);
}

bool EngineerPageModel::SelectCurrentMode(MouseSettings& settings, int list_index) {
  Sync(settings);
  if (list_index < 0 || list_index >= kMcuLedModeCount) return false;
  controls_.current_mode_index = list_index;
  Commit(settings);
  return true;
}

std::string EngineerPageModel::EditLedCount(MouseSettings& settings, std::string_view text) {
  Sync(settings);
  controls_.led_count = ClampLedCountEdit(text);
  Commit(settings);
  return controls_.led_count;
}

std::string EngineerPageModel::LeaveLedCount(MouseSettings& settings, std::string_view text) {
  Sync(settings);
  controls_.led_count = ClampLedCountEdit(LedCountEditOnExit(text));
  Commit(settings);
  return controls_.led_count;
}

std::string EngineerPageModel::EditMcuStep(MouseSettings& settings, std::string_view text) {
  Sync(settings);
  controls_.mcu_step = ClampMcuStepEdit(text);
  Commit(settings);
  return controls_.mcu_step;
}

std::string EngineerPageModel::EditBreathStep(MouseSettings& settings, std::string_view text) {
  Sync(settings);
  controls_.breath_step = ClampBreathStepEdit(text);
  Commit(settings);
  return controls_.breath_step;
}

void EngineerPageModel::ChooseCpiBreath(MouseSettings& settings) {
  Sync(settings);
  controls_.normal_led_cpi_breath = true;
  Commit(settings);
}

std::string EngineerPageModel::EditKeyModeColour(MouseSettings& settings, int mode, ColourChannel channel,
                                                 std::string_view text) {
  if (mode != 1 && mode != 2) return std::string(text);
  Sync(settings);
  std::string& edit = ChannelOf(mode == 1 ? controls_.key_mode1_colour : controls_.key_mode2_colour, channel);
  edit = ClampColourEdit(text);
  Commit(settings);
  return edit;
}

bool EngineerPageModel::SelectKeyMode(MouseSettings& settings, int list_index) {
  Sync(settings);
  // While the key mode is not saved the list stays on key mode A.
  if (!controls_.key_mode_enabled || (list_index != 0 && list_index != 1)) return false;
  controls_.key_mode_index = list_index;
  Commit(settings);
  return true;
}

bool EngineerPageModel::SelectSensorOrientation(MouseSettings& settings, int list_index) {
  Sync(settings);
  if (list_index < 0 || list_index >= static_cast<int>(kSensorOrientations.size())) return false;
  controls_.sensor_orientation_index = list_index;
  Commit(settings);
  return true;
}

void EngineerPageModel::SetLongPress(MouseSettings& settings, LongPressKey key, bool on) {
  Sync(settings);
  switch (key) {
    case LongPressKey::kMiddle: controls_.middle_long_press = on; break;
    case LongPressKey::kCpi: controls_.cpi_long_press = on; break;
    case LongPressKey::kGun: break;
  }
  Commit(settings);
  if (key == LongPressKey::kGun) {
    settings.buttons.gun_long_press = on;
    gun_long_press_ = on;
  }
}

std::string EngineerPageModel::EditIdentity(MouseSettings& settings, IdentityCode code, std::string_view text) {
  Sync(settings);
  std::string& edit = code == IdentityCode::kVendor ? controls_.vendor_code : controls_.product_code;
  edit = ClampIdentityCodeEdit(text);
  Commit(settings);
  return edit;
}

}  // namespace zelko
