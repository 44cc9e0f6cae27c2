// What differs between two images of the mouse, by setting: the buttons'
// functions, the key mode, the DPI levels, the AIM key, the fire key, the
// lighting, the device options and the macro slots by name, never byte by
// byte. The list is data; change_text.h says it in a language, so the
// window and zelko77ctl print the same words.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "image/image_layout.h"

namespace zelko {

enum class SettingId {
  kDamagedSections,       // index 1 the first image, 2 the second; new_value the parts that
                          // failed their check ("ParameterA, Profile"), read as the defaults
  kButtonFunction,        // profile, index = button 1..9; values are codes ("010200")
  kKeyMode,               // "A" / "B"
  kLongPressSwitch,       // index 1 middle key, 2 DPI key, 3 gun key; "on" / "off"
  kDpiLevelCount,         // "2".."7"
  kCurrentDpiLevel,       // level "1".."7"
  kDpiValue,              // index = level; DPI ("1600"), "" unset, "index N" out of range
  kDpiPaletteColour,      // index = level; "#RRGGBB" of the palette entry, "" unset
  kDpiColour,             // index = level; "#RRGGBB"
  kAimValue,              // DPI, "" when no button carries AIM
  kFireRepeatCount,       // presses
  kFireInterval,          // milliseconds
  kFireTrigger,           // "fn-left" / "left"
  kLedType,               // "mcu" / "normal"
  kLedOn,                 // "on" / "off"
  kMcpiSwitch,            // "on" / "off"
  kLcpiSwitch,            // "on" / "off"
  kKeyModeSaved,          // "on" / "off"
  kBrightness,            // "full" / "half"
  kLedCount,              // LEDs
  kLightingModeOffered,   // index = mode 1..7; "on" / "off"
  kLightingMode,          // mode number
  kLightingStep,          // speed step
  kBreathStep,            // breathing rate
  kKeyModeColour,         // profile 1..2; "#RRGGBB"
  kSensorOrientation,     // the orientation's name ("90°")
  kManufacturerCode,      // 0..255
  kProductCode,           // 0..255
  kMacroSlot,             // index = slot 1..7; the macros' names, "" empty
  kMacroSlotContent,      // index = slot; same name, other events; values the name
  kOtherBytes,            // new_value = how many bytes no setting shows differ
};

// A stable name of each setting for machine-readable output
// ("button_function", "dpi_value", ...).
std::string_view SettingIdName(SettingId id);

struct SettingChange {
  SettingId id = SettingId::kOtherBytes;
  int profile = 0;  // 1..2 where the setting belongs to a key mode, else 0
  int index = 0;    // button, level, mode or slot number where the setting has one, else 0
  std::string old_value;  // in the first image, language-neutral (see SettingId)
  std::string new_value;  // in the second
  // For a button function naming a macro slot: the name of the macro in
  // that slot of the first / second image.
  std::string old_note;
  std::string new_note;
  friend bool operator==(const SettingChange&, const SettingChange&) = default;
};

// Every setting whose value differs from `from` to `to`, in the order the
// pages show them (buttons of Profile 1, then Profile 2, key mode, DPI,
// AIM, fire, lighting, device, macro slots), and last how many bytes no
// setting shows differ (the reserved sections and the gaps between them;
// checksums are not counted). An image with a section that fails its check
// is compared as the program would show it (that section from the built-in
// defaults), and the list starts by saying so. Empty when the images hold
// the same.
std::vector<SettingChange> DiffImages(const DataBuf& from, const DataBuf& to);

}  // namespace zelko
