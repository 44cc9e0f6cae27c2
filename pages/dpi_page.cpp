#include "pages/dpi_page.h"

#include "pages/edit_rules.h"

namespace zelko {
namespace {

bool ValidLevel(int level) { return level >= 1 && level <= kMaxDpiLevels; }
std::size_t Slot(int level) { return static_cast<std::size_t>(level - 1); }

void MakeCurrent(EngineerControls& controls, DpiPageState& page, int level_index) {
  page.lit_marker = level_index;
  controls.checked_level_radio = level_index;
  controls.current_level_index = level_index;
  page.remembered_level = level_index;
}

}  // namespace

std::string DpiValueCaption(int value_index) {
  if (value_index < 0 || value_index >= kDpiValueCount) return {};
  return std::to_string(kDpiValues[static_cast<std::size_t>(value_index)]);
}

bool ChangeLevelCount(EngineerControls& controls, DpiPageState& page, int count) {
  if (count < kMinDpiLevels || count > kMaxDpiLevels) return false;
  controls.level_count_index = count - kMinDpiLevels;
  controls.current_level_items = count;
  // The highest active level becomes current. The remembered level follows,
  // so that a refused marker click cannot select a level the list no longer
  // holds.
  MakeCurrent(controls, page, CurrentLevelForCount(count));
  for (int n = 1; n <= kMaxDpiLevels; ++n) {
    const bool active = n <= count;
    page.level_active[Slot(n)] = active;
    controls.levels[Slot(n)].shown = active;
  }
  page.working_level_count = count;
  return true;
}

bool ClickLevelName(EngineerControls& controls, DpiPageState& page, const DpiPageLayout& layout,
                    int level) {
  if (layout.count_combo_visible || !ValidLevel(level)) return false;
  int count = page.working_level_count;
  const auto active = [&](int n) { return n >= 1 && n <= kMaxDpiLevels && page.level_active[Slot(n)]; };
  if (!active(level) && active(level - 1)) {
    ++count;
  } else if (level >= 3 && active(level) && (level == kMaxDpiLevels || !active(level + 1))) {
    --count;
  }
  const bool changed = count != page.working_level_count;
  // Every click ends by running the count change, so the highest active
  // level becomes current.
  ChangeLevelCount(controls, page, count);
  return changed;
}

bool ClickLevelMarker(EngineerControls& controls, DpiPageState& page, int level) {
  const bool accepted = ValidLevel(level) && level <= page.working_level_count;
  if (accepted) {
    MakeCurrent(controls, page, level - 1);
  } else {
    controls.current_level_index = page.remembered_level;
  }
  return accepted;
}

bool SelectCurrentLevel(EngineerControls& controls, DpiPageState& page, int level_index) {
  if (level_index < 0 || level_index >= page.working_level_count) return false;
  MakeCurrent(controls, page, level_index);
  return true;
}

bool SetLevelValue(EngineerControls& controls, DpiPageState& page, int level, int value_index) {
  if (!ValidLevel(level) || value_index < 0 || value_index >= kDpiValueCount) return false;
  controls.levels[Slot(level)].value_index = value_index;
  page.bar_value[Slot(level)] = value_index;
  page.value_caption[Slot(level)] = DpiValueCaption(value_index);
  return true;
}

bool SetLevelRgb(EngineerControls& controls, int level, const Rgb& rgb) {
  if (!ValidLevel(level)) return false;
  controls.levels[Slot(level)].colour = {std::to_string(rgb.r), std::to_string(rgb.g),
                                         std::to_string(rgb.b)};
  return true;
}

bool SetLevelPalette(EngineerControls& controls, int level, int palette_index) {
  if (!ValidLevel(level) || palette_index < 0 || palette_index >= kPaletteSize) return false;
  controls.levels[Slot(level)].palette_index = palette_index;
  return true;
}

std::optional<Rgb> LevelSwatchColour(const EngineerControls& controls, const DpiPageState& page,
                                     int level) {
  if (!ValidLevel(level)) return std::nullopt;
  const auto& l = controls.levels[Slot(level)];
  if (page.normal_led) {
    if (l.palette_index < 0 || l.palette_index >= kPaletteSize) return std::nullopt;
    return kPalette[static_cast<std::size_t>(l.palette_index)].rgb;
  }
  const auto r = EditValueIn(l.colour.r, 0, 255);
  const auto g = EditValueIn(l.colour.g, 0, 255);
  const auto b = EditValueIn(l.colour.b, 0, 255);
  if (!r || !g || !b) return std::nullopt;
  return Rgb{static_cast<std::uint8_t>(*r), static_cast<std::uint8_t>(*g),
             static_cast<std::uint8_t>(*b)};
}

void ColourChooser::Pick(int palette_index) {
  if (palette_index >= 0 && palette_index < kPaletteSize) chosen_ = palette_index;
}

void ColourChooser::Clear() { chosen_ = kNothingChosen; }

std::array<bool, kPaletteSize> ColourChooser::markers() const {
  std::array<bool, kPaletteSize> lit{};
  if (chosen_ != kNothingChosen) lit[static_cast<std::size_t>(chosen_)] = true;
  return lit;
}

bool ColourChooser::Confirm(EngineerControls& controls) const {
  if (chosen_ == kNothingChosen) return false;
  return SetLevelPalette(controls, target_level_, chosen_);
}

AimChange ChangeAimValue(MouseSettings& settings, EngineerControls& controls, DpiPageState& page,
                         int value_index) {
  AimChange change;
  if (value_index < 0 || value_index >= kDpiValueCount) value_index = 0;
  if (!SetAimValue(static_cast<std::uint8_t>(value_index), settings.buttons, settings.aim)) {
    change.no_aim_button = true;
    change.message = kNoAimButtonMessage;
    value_index = 0;
  }
  controls.aim_value_index = value_index;
  page.aim_value_index = value_index;
  page.aim_caption = DpiValueCaption(value_index);
  return change;
}

void EditRepeatCount(EngineerControls& controls, DpiPageState& page, std::string_view text) {
  page.repeat_text = ClampRepeatCountEdit(text);
  controls.fire_count_index = FireCountIndexForText(page.repeat_text);
}

void LeaveRepeatCount(EngineerControls& controls, DpiPageState& page) {
  EditRepeatCount(controls, page, RepeatCountEditOnExit(page.repeat_text));
}

void EditDelayTime(EngineerControls& controls, DpiPageState& page, std::string_view text) {
  page.delay_text = ClampDelayTimeEdit(text);
  controls.fire_time = page.delay_text;
}

void SelectFireCount(EngineerControls& controls, DpiPageState& page, int index) {
  if (index < 0 || index > kMaxFireRepeatCount - kMinFireRepeatCount) return;
  controls.fire_count_index = index;
  page.repeat_text = std::to_string(index + kMinFireRepeatCount);
}

void EditFireTime(EngineerControls& controls, DpiPageState& page, std::string_view text) {
  controls.fire_time = ClampFireTimeEdit(text);
  page.delay_text = controls.fire_time;
}

void RefreshDpiPage(const MouseSettings& settings, const EngineerControls& controls,
                    DpiPageState& page) {
  page.normal_led = settings.lighting.type == LedType::kNormal;
  const int count = controls.level_count_index == kNoSelection
                        ? page.working_level_count
                        : controls.level_count_index + kMinDpiLevels;
  page.working_level_count = count;
  for (int n = 1; n <= kMaxDpiLevels; ++n) page.level_active[Slot(n)] = n <= count;
  for (std::size_t n = 0; n < kDpiLevelMax; ++n) {
    const int value = settings.dpi.levels[n].value_index;
    if (value < kDpiValueCount) {
      page.bar_value[n] = value;
      page.value_caption[n] = DpiValueCaption(value);
    } else {
      // Unset (or not a table index): the first value's caption, bar kept.
      page.value_caption[n] = DpiValueCaption(0);
    }
  }
  if (controls.current_level_index != kNoSelection) {
    page.lit_marker = controls.current_level_index;
    page.remembered_level = controls.current_level_index;
  }
  page.repeat_text = std::to_string(settings.fire.repeat_count);
  page.delay_text = std::to_string(settings.fire.interval);
  if (const auto aim = settings.aim.value_index; aim && *aim < kDpiValueCount) {
    page.aim_value_index = *aim;
  }
  page.aim_caption = DpiValueCaption(page.aim_value_index);
}

}  // namespace zelko
