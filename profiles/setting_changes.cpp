#include "profiles/setting_changes.h"

#include <cstdio>

#include "image/image_codec.h"
#include "keys/macro_slot_code.h"
#include "macros/macro_name_codec.h"
#include "macros/macro_record.h"
#include "settings/dpi_tables.h"
#include "settings/mouse_settings.h"

namespace zelko {
namespace {

struct Side {
  ParameterRecord record{};
  BaseMacroArea macros{};
  MouseSettings settings;
  std::vector<std::string> repaired;
};

Side Decode(const DataBuf& image) {
  Side side;
  side.repaired = UnpackSections(image, side.record, side.macros).RepairedParts();
  side.settings = DecodeMouseSettings(side.record);
  return side;
}

std::string Flag(bool on) { return on ? "on" : "off"; }
std::string Number(int n) { return std::to_string(n); }

std::string Hex(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb.r, rgb.g, rgb.b);
  return text;
}

std::string DpiText(std::uint8_t index) {
  if (index == kUnsetIndex) return {};
  if (index < kDpiValueCount) return Number(kDpiValues[index]);
  return "index " + Number(index);
}

std::string PaletteText(std::uint8_t index) {
  if (index == kUnsetIndex) return {};
  if (index < kPaletteSize) return Hex(kPalette[index].rgb);
  return "index " + Number(index);
}

std::string OrientationText(std::uint8_t code) {
  for (const auto& entry : kSensorOrientations) {
    if (entry.code == code) return std::string(entry.name);
  }
  return Number(code);
}

MacroName SlotName(const BaseMacroArea& macros, int slot) {
  MacroName name{};
  const auto bytes = MacroSlotBytes(macros, static_cast<std::size_t>(slot));
  std::copy(bytes.begin(), bytes.begin() + kMacroSlotNameSize, name.begin());
  return name;
}

std::string SlotNameText(const BaseMacroArea& macros, int slot) {
  const MacroName name = SlotName(macros, slot);
  return SlotNameEmpty(name) ? std::string() : MacroNameText(name);
}

// The name of the macro a button code names, in that image.
std::string NoteOf(const std::string& code, const BaseMacroArea& macros) {
  const auto slot = MacroSlotOfCode(code);
  return slot ? SlotNameText(macros, *slot) : std::string();
}

class Collector {
 public:
  void Add(SettingId id, int profile, int index, std::string old_value, std::string new_value) {
    if (old_value == new_value) return;
    changes.push_back({id, profile, index, std::move(old_value), std::move(new_value), {}, {}});
  }
  void Add(SettingId id, std::string old_value, std::string new_value) {
    Add(id, 0, 0, std::move(old_value), std::move(new_value));
  }
  std::vector<SettingChange> changes;
};

void DiffButtons(const Side& a, const Side& b, Collector& out) {
  for (int profile = 1; profile <= kProfileCount; ++profile) {
    for (int button = 1; button <= static_cast<int>(kButtonCount); ++button) {
      const ButtonRef ref{profile, button};
      const std::string from = ButtonCodeText(a.settings.buttons.Code(ref));
      const std::string to = ButtonCodeText(b.settings.buttons.Code(ref));
      const std::string from_note = NoteOf(from, a.macros);
      const std::string to_note = NoteOf(to, b.macros);
      if (from == to && from_note == to_note) continue;
      out.changes.push_back({SettingId::kButtonFunction, profile, button, from, to, from_note, to_note});
    }
  }
  const ButtonMap& ma = a.settings.buttons;
  const ButtonMap& mb = b.settings.buttons;
  out.Add(SettingId::kKeyMode, ma.key_mode == KeyMode::kA ? "A" : "B", mb.key_mode == KeyMode::kA ? "A" : "B");
  out.Add(SettingId::kLongPressSwitch, 0, 1, Flag(ma.middle_long_press), Flag(mb.middle_long_press));
  out.Add(SettingId::kLongPressSwitch, 0, 2, Flag(ma.cpi_long_press), Flag(mb.cpi_long_press));
  out.Add(SettingId::kLongPressSwitch, 0, 3, Flag(ma.gun_long_press), Flag(mb.gun_long_press));
}

void DiffDpi(const Side& a, const Side& b, Collector& out) {
  const DpiLevels& da = a.settings.dpi;
  const DpiLevels& db = b.settings.dpi;
  out.Add(SettingId::kDpiLevelCount, Number(da.count), Number(db.count));
  out.Add(SettingId::kCurrentDpiLevel, Number(da.current + 1), Number(db.current + 1));
  for (int level = 1; level <= kMaxDpiLevels; ++level) {
    const DpiLevel& la = da.levels[static_cast<std::size_t>(level - 1)];
    const DpiLevel& lb = db.levels[static_cast<std::size_t>(level - 1)];
    out.Add(SettingId::kDpiValue, 0, level, DpiText(la.value_index), DpiText(lb.value_index));
    out.Add(SettingId::kDpiPaletteColour, 0, level, PaletteText(la.palette_index), PaletteText(lb.palette_index));
    out.Add(SettingId::kDpiColour, 0, level, Hex(la.colour), Hex(lb.colour));
  }
  const auto aim = [](const AimKey& key) { return key.value_index ? DpiText(*key.value_index) : std::string(); };
  out.Add(SettingId::kAimValue, aim(a.settings.aim), aim(b.settings.aim));
}

void DiffFire(const Side& a, const Side& b, Collector& out) {
  const FireKeySettings& fa = a.settings.fire;
  const FireKeySettings& fb = b.settings.fire;
  out.Add(SettingId::kFireRepeatCount, Number(fa.repeat_count), Number(fb.repeat_count));
  out.Add(SettingId::kFireInterval, Number(fa.interval * kFireIntervalUnitMs), Number(fb.interval * kFireIntervalUnitMs));
  const auto trigger = [](bool fn) { return std::string(fn ? "fn-left" : "left"); };
  out.Add(SettingId::kFireTrigger, trigger(fa.on_fn_left), trigger(fb.on_fn_left));
}

void DiffLighting(const Side& a, const Side& b, Collector& out) {
  const Lighting& la = a.settings.lighting;
  const Lighting& lb = b.settings.lighting;
  const auto type = [](LedType t) { return std::string(t == LedType::kMcu ? "mcu" : "normal"); };
  out.Add(SettingId::kLedType, type(la.type), type(lb.type));
  out.Add(SettingId::kLedOn, Flag(la.led_on), Flag(lb.led_on));
  out.Add(SettingId::kMcpiSwitch, Flag(la.mcpi_switch), Flag(lb.mcpi_switch));
  out.Add(SettingId::kLcpiSwitch, Flag(la.lcpi_switch), Flag(lb.lcpi_switch));
  out.Add(SettingId::kKeyModeSaved, Flag(la.key_mode_saved), Flag(lb.key_mode_saved));
  const auto brightness = [](bool full) { return std::string(full ? "full" : "half"); };
  out.Add(SettingId::kBrightness, brightness(la.full_brightness), brightness(lb.full_brightness));
  out.Add(SettingId::kLedCount, Number(la.led_count), Number(lb.led_count));
  for (int mode = 1; mode <= kLightingModeCount; ++mode) {
    const auto k = static_cast<std::size_t>(mode - 1);
    out.Add(SettingId::kLightingModeOffered, 0, mode, Flag(la.modes_offered[k]), Flag(lb.modes_offered[k]));
  }
  out.Add(SettingId::kLightingMode, Number(la.mode), Number(lb.mode));
  out.Add(SettingId::kLightingStep, Number(la.step), Number(lb.step));
  out.Add(SettingId::kBreathStep, Number(la.breath_step), Number(lb.breath_step));
  for (int profile = 1; profile <= kProfileCount; ++profile) {
    const auto k = static_cast<std::size_t>(profile - 1);
    out.Add(SettingId::kKeyModeColour, profile, 0, Hex(la.key_mode_colours[k]), Hex(lb.key_mode_colours[k]));
  }
}

void DiffDevice(const Side& a, const Side& b, Collector& out) {
  const DeviceOptions& oa = a.settings.options;
  const DeviceOptions& ob = b.settings.options;
  out.Add(SettingId::kSensorOrientation, OrientationText(oa.sensor_orientation), OrientationText(ob.sensor_orientation));
  out.Add(SettingId::kManufacturerCode, Number(oa.manufacturer_code), Number(ob.manufacturer_code));
  out.Add(SettingId::kProductCode, Number(oa.product_code), Number(ob.product_code));
}

void DiffMacroSlots(const Side& a, const Side& b, Collector& out) {
  for (int slot = 1; slot <= static_cast<int>(kMacroSlotCount); ++slot) {
    const std::string from = SlotNameText(a.macros, slot);
    const std::string to = SlotNameText(b.macros, slot);
    if (from != to) {
      out.Add(SettingId::kMacroSlot, 0, slot, from, to);
      continue;
    }
    const auto sa = MacroSlotBytes(a.macros, static_cast<std::size_t>(slot));
    const auto sb = MacroSlotBytes(b.macros, static_cast<std::size_t>(slot));
    if (!std::equal(sa.begin(), sa.end(), sb.begin())) {
      out.changes.push_back({SettingId::kMacroSlotContent, 0, slot, from, to, {}, {}});
    }
  }
}

// Bytes that differ where no setting is shown: those the settings leave
// alone inside the record (found by encoding the second image's settings
// over the first record: what then still differs is not a setting), and
// the bytes outside the sections and the macro area.
int OtherBytesDiffering(const DataBuf& from, const DataBuf& to, const Side& a, const Side& b) {
  const ParameterRecord settled = EncodedRecord(b.settings, a.record);
  int count = 0;
  for (const auto& place : kSectionPlaces) {
    const auto x = settled.SectionBytes(place.section);
    const auto y = b.record.SectionBytes(place.section);
    const std::size_t end = place.has_checksum ? place.length - 1 : place.length;
    for (std::size_t i = 0; i < end; ++i) count += x[i] != y[i];
  }
  for (std::size_t address = 0; address < kMacroAreaOffset; ++address) {
    if (SectionAt(address)) continue;  // counted above
    count += from[address] != to[address];
  }
  return count;
}

}  // namespace

std::string_view SettingIdName(SettingId id) {
  switch (id) {
    case SettingId::kDamagedSections: return "damaged_sections";
    case SettingId::kButtonFunction: return "button_function";
    case SettingId::kKeyMode: return "key_mode";
    case SettingId::kLongPressSwitch: return "long_press_switch";
    case SettingId::kDpiLevelCount: return "dpi_level_count";
    case SettingId::kCurrentDpiLevel: return "current_dpi_level";
    case SettingId::kDpiValue: return "dpi_value";
    case SettingId::kDpiPaletteColour: return "dpi_palette_colour";
    case SettingId::kDpiColour: return "dpi_colour";
    case SettingId::kAimValue: return "aim_value";
    case SettingId::kFireRepeatCount: return "fire_repeat_count";
    case SettingId::kFireInterval: return "fire_interval_ms";
    case SettingId::kFireTrigger: return "fire_trigger";
    case SettingId::kLedType: return "led_type";
    case SettingId::kLedOn: return "led_on";
    case SettingId::kMcpiSwitch: return "mcpi_switch";
    case SettingId::kLcpiSwitch: return "lcpi_switch";
    case SettingId::kKeyModeSaved: return "key_mode_saved";
    case SettingId::kBrightness: return "brightness";
    case SettingId::kLedCount: return "led_count";
    case SettingId::kLightingModeOffered: return "lighting_mode_offered";
    case SettingId::kLightingMode: return "lighting_mode";
    case SettingId::kLightingStep: return "lighting_step";
    case SettingId::kBreathStep: return "breath_step";
    case SettingId::kKeyModeColour: return "key_mode_colour";
    case SettingId::kSensorOrientation: return "sensor_orientation";
    case SettingId::kManufacturerCode: return "manufacturer_code";
    case SettingId::kProductCode: return "product_code";
    case SettingId::kMacroSlot: return "macro_slot";
    case SettingId::kMacroSlotContent: return "macro_slot_content";
    case SettingId::kOtherBytes: return "other_bytes";
  }
  return "unknown";
}

std::vector<SettingChange> DiffImages(const DataBuf& from, const DataBuf& to) {
  const Side a = Decode(from);
  const Side b = Decode(to);
  Collector out;
  for (const Side* side : {&a, &b}) {
    std::string parts;
    for (const auto& part : side->repaired) parts += (parts.empty() ? "" : ", ") + part;
    if (!parts.empty()) out.Add(SettingId::kDamagedSections, 0, side == &a ? 1 : 2, {}, parts);
  }
  DiffButtons(a, b, out);
  DiffDpi(a, b, out);
  DiffFire(a, b, out);
  DiffLighting(a, b, out);
  DiffDevice(a, b, out);
  DiffMacroSlots(a, b, out);
  if (const int other = OtherBytesDiffering(from, to, a, b); other > 0) {
    out.Add(SettingId::kOtherBytes, "0", Number(other));
  }
  return out.changes;
}

}  // namespace zelko
