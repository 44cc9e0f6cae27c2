#include "profiles/change_text.h"

#include <array>

namespace zelko {
namespace {

// How a setting's values read.
enum class ValueKind {
  kAsIs,          // numbers, colours, names; "" reads as "none"
  kFunction,      // a button code: its label
  kKeyModeName,   // "A" / "B": the packs' names of the two key modes
  kFlag,          // "on" / "off"
  kLedType,       // "mcu" / "normal"
  kTrigger,       // "fn-left" / "left"
  kBrightness,    // "full" / "half"
  kMilliseconds,  // a number of milliseconds
  kMacroName,     // "" reads as "empty"
  kChangedMacro,  // the same name, other events
  kByteCount,     // the whole line is the setting's own text around new_value
};

struct SettingText {
  SettingId id;
  std::string_view label_id;  // "%1" the index, "%2" the key mode's name
  ValueKind values;
};

constexpr std::array<SettingText, 31> kSettingTexts = {{
    {SettingId::kDamagedSections, "Str831", ValueKind::kByteCount},  // Str832 for the second image
    {SettingId::kButtonFunction, "Str800", ValueKind::kFunction},
    {SettingId::kKeyMode, "Str801", ValueKind::kKeyModeName},
    {SettingId::kLongPressSwitch, "Str802", ValueKind::kFlag},  // Str802..Str804 by index
    {SettingId::kDpiLevelCount, "Str805", ValueKind::kAsIs},
    {SettingId::kCurrentDpiLevel, "Str806", ValueKind::kAsIs},
    {SettingId::kDpiValue, "Str807", ValueKind::kAsIs},
    {SettingId::kDpiPaletteColour, "Str808", ValueKind::kAsIs},
    {SettingId::kDpiColour, "Str809", ValueKind::kAsIs},
    {SettingId::kAimValue, "Str810", ValueKind::kAsIs},
    {SettingId::kFireRepeatCount, "Str811", ValueKind::kAsIs},
    {SettingId::kFireInterval, "Str812", ValueKind::kMilliseconds},
    {SettingId::kFireTrigger, "Str813", ValueKind::kTrigger},
    {SettingId::kLedType, "Str814", ValueKind::kLedType},
    {SettingId::kLedOn, "Str815", ValueKind::kFlag},
    {SettingId::kMcpiSwitch, "Str816", ValueKind::kFlag},
    {SettingId::kLcpiSwitch, "Str817", ValueKind::kFlag},
    {SettingId::kKeyModeSaved, "Str818", ValueKind::kFlag},
    {SettingId::kBrightness, "Str819", ValueKind::kBrightness},
    {SettingId::kLedCount, "Str820", ValueKind::kAsIs},
    {SettingId::kLightingModeOffered, "Str821", ValueKind::kFlag},
    {SettingId::kLightingMode, "Str822", ValueKind::kAsIs},
    {SettingId::kLightingStep, "Str823", ValueKind::kAsIs},
    {SettingId::kBreathStep, "Str824", ValueKind::kAsIs},
    {SettingId::kKeyModeColour, "Str825", ValueKind::kAsIs},
    {SettingId::kSensorOrientation, "Str826", ValueKind::kAsIs},
    {SettingId::kManufacturerCode, "Str827", ValueKind::kAsIs},
    {SettingId::kProductCode, "Str828", ValueKind::kAsIs},
    {SettingId::kMacroSlot, "Str829", ValueKind::kMacroName},
    {SettingId::kMacroSlotContent, "Str829", ValueKind::kChangedMacro},
    {SettingId::kOtherBytes, "Str830", ValueKind::kByteCount},
}};

constexpr std::string_view kOnId = "Str840";
constexpr std::string_view kOffId = "Str841";
constexpr std::string_view kNoneId = "Str842";
constexpr std::string_view kEmptyId = "Str843";
constexpr std::string_view kChangedMacroId = "Str844";  // "%1 (other events)"
constexpr std::string_view kMcuLedId = "Str845";
constexpr std::string_view kNormalLedId = "Str846";
constexpr std::string_view kFnLeftId = "Str847";
constexpr std::string_view kLeftId = "Str848";
constexpr std::string_view kFullId = "Str849";
constexpr std::string_view kHalfId = "Str850";
constexpr std::string_view kMillisecondsId = "Str851";  // "%1 ms"
constexpr std::string_view kLineId = "Str860";          // "%1: %2 → %3"
// The names of the two key modes, as the pages show them.
constexpr std::array<std::string_view, 2> kKeyModeNameIds = {"Str004", "Str005"};

const SettingText& TextsOf(SettingId id) {
  for (const auto& entry : kSettingTexts) {
    if (entry.id == id) return entry;
  }
  return kSettingTexts.back();
}

std::string KeyModeName(int profile, const TextLookup& text) {
  return profile == 1 || profile == 2 ? text(kKeyModeNameIds[static_cast<std::size_t>(profile - 1)]) : std::string();
}

std::string ValueText(ValueKind kind, const std::string& value, const std::string& note, const TextLookup& text) {
  switch (kind) {
    case ValueKind::kFunction: {
      const std::string label = KeyCodeToLabel(value, text, [&note](int) { return note; });
      return label.empty() ? value : label;
    }
    case ValueKind::kKeyModeName:
      return KeyModeName(value == "B" ? 2 : 1, text);
    case ValueKind::kFlag:
      return text(value == "on" ? kOnId : kOffId);
    case ValueKind::kLedType:
      return text(value == "mcu" ? kMcuLedId : kNormalLedId);
    case ValueKind::kTrigger:
      return text(value == "fn-left" ? kFnLeftId : kLeftId);
    case ValueKind::kBrightness:
      return text(value == "full" ? kFullId : kHalfId);
    case ValueKind::kMilliseconds:
      return FillText(text(kMillisecondsId), value);
    case ValueKind::kMacroName:
      return value.empty() ? text(kEmptyId) : value;
    case ValueKind::kChangedMacro:
      return FillText(text(kChangedMacroId), value.empty() ? text(kEmptyId) : value);
    case ValueKind::kAsIs:
    case ValueKind::kByteCount:
      break;
  }
  return value.empty() ? text(kNoneId) : value;
}

}  // namespace

std::string FillText(std::string_view pattern, std::string_view a1, std::string_view a2, std::string_view a3) {
  const std::array<std::string_view, 3> args = {a1, a2, a3};
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '3') {
      out += args[static_cast<std::size_t>(pattern[i + 1] - '1')];
      ++i;
    } else {
      out.push_back(pattern[i]);
    }
  }
  return out;
}

std::string ChangeText(const SettingChange& change, const TextLookup& text) {
  const SettingText& texts = TextsOf(change.id);
  std::string label_id(texts.label_id);
  if (change.id == SettingId::kDamagedSections && change.index == 2) label_id = "Str832";
  if (change.id == SettingId::kLongPressSwitch && change.index >= 1 && change.index <= 3) {
    label_id = "Str80" + std::to_string(1 + change.index);
  }
  if (texts.values == ValueKind::kByteCount) return FillText(text(label_id), change.new_value);
  const std::string label = FillText(text(label_id), std::to_string(change.index), KeyModeName(change.profile, text));
  if (texts.values == ValueKind::kChangedMacro) {
    return FillText(text(kLineId), label, ValueText(ValueKind::kMacroName, change.old_value, {}, text),
                    ValueText(ValueKind::kChangedMacro, change.new_value, {}, text));
  }
  return FillText(text(kLineId), label, ValueText(texts.values, change.old_value, change.old_note, text),
                  ValueText(texts.values, change.new_value, change.new_note, text));
}

std::vector<std::string> ChangeLines(const std::vector<SettingChange>& changes, const TextLookup& text) {
  std::vector<std::string> lines;
  lines.reserve(changes.size());
  for (const auto& change : changes) lines.push_back(ChangeText(change, text));
  return lines;
}

}  // namespace zelko
