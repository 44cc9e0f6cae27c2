#include "pages/advanced_page_model.h"

#include "pages/control_codec.h"

namespace zelko {

void AdvancedPageModel::Sync(const MouseSettings& settings) { SettingsToControls(settings, controls_); }

void AdvancedPageModel::Commit(MouseSettings& settings) const { ControlsToSettings(controls_, settings); }

void AdvancedPageModel::Refresh(const MouseSettings& settings) {
  Sync(settings);
  RefreshDpiPage(settings, controls_, page_);
}

bool AdvancedPageModel::ChangeCount(MouseSettings& settings, int count) {
  Sync(settings);
  if (!ChangeLevelCount(controls_, page_, count)) return false;
  Commit(settings);
  return true;
}

bool AdvancedPageModel::ClickLevelName(MouseSettings& settings, int level) {
  Sync(settings);
  if (layout_.count_combo_visible) return false;
  const bool changed = zelko::ClickLevelName(controls_, page_, layout_, level);
  Commit(settings);
  return changed;
}

bool AdvancedPageModel::ClickMarker(MouseSettings& settings, int level) {
  Sync(settings);
  const bool accepted = ClickLevelMarker(controls_, page_, level);
  if (accepted) Commit(settings);
  return accepted;
}

bool AdvancedPageModel::ClickValueNotch(MouseSettings& settings, int level, int notch) {
  Sync(settings);
  if (level < 1 || level > page_.working_level_count) return false;
  if (!SetLevelValue(controls_, page_, level, DpiValueIndexForNotch(notch))) return false;
  Commit(settings);
  return true;
}

bool AdvancedPageModel::ConfirmColour(MouseSettings& settings, const ColourChooser& chooser) {
  Sync(settings);
  if (!chooser.Confirm(controls_)) return false;
  Commit(settings);
  return true;
}

bool AdvancedPageModel::SetLevelColour(MouseSettings& settings, int level, const Rgb& rgb) {
  Sync(settings);
  if (!SetLevelRgb(controls_, level, rgb)) return false;
  Commit(settings);
  return true;
}

AimChange AdvancedPageModel::ClickAimNotch(MouseSettings& settings, int notch) {
  Sync(settings);
  return ChangeAimValue(settings, controls_, page_, DpiValueIndexForNotch(notch));
}

void AdvancedPageModel::EditRepeat(MouseSettings& settings, std::string_view text) {
  Sync(settings);
  EditRepeatCount(controls_, page_, text);
  Commit(settings);
}

void AdvancedPageModel::LeaveRepeat(MouseSettings& settings) {
  Sync(settings);
  LeaveRepeatCount(controls_, page_);
  Commit(settings);
}

void AdvancedPageModel::EditDelay(MouseSettings& settings, std::string_view text) {
  Sync(settings);
  EditDelayTime(controls_, page_, text);
  Commit(settings);
}

std::vector<bool> AdvancedPageModel::ValueBar(int level) const {
  if (level < 1 || level > kMaxDpiLevels) return {};
  return DpiValueBar(layout_.bar_style, page_.bar_value[static_cast<std::size_t>(level - 1)]);
}

std::vector<bool> AdvancedPageModel::AimBar() const {
  return DpiValueBar(layout_.bar_style, page_.aim_value_index);
}

}  // namespace zelko
