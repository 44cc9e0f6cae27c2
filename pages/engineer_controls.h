// The engineer page's controls for DPI, AIM, fire and lighting, as plain
// state. They mirror the controls exactly, including the states the encoder
// treats specially: a list with nothing selected (kNoSelection), a radio
// pair with neither button checked, and an edit whose text is not a number.
// The Advanced and Light pages edit these same values; ControlsToSettings
// turns them into the settings that are written.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "image/parameter_record.h"
#include "settings/dpi_tables.h"
#include "settings/lighting.h"

namespace zelko {

// A list's ItemIndex when nothing is selected.
inline constexpr int kNoSelection = -1;

// Which of a pair of radio buttons is checked. "First" is the button named
// first in the field's comment.
enum class Checked : std::uint8_t { Neither, First, Second };

// R, G and B edit boxes of one colour.
struct ColourEdits {
  std::string r = "0";
  std::string g = "0";
  std::string b = "0";
  friend bool operator==(const ColourEdits&, const ColourEdits&) = default;
};

// The controls of one DPI level n.
struct DpiLevelControls {
  int value_index = kNoSelection;    // cb_CPIn: the eleven DPI value texts
  int palette_index = kNoSelection;  // cb_CPInColor: the seven palette names
  ColourEdits colour;                // edt_CPInR, edt_CPInG, edt_CPInB
  bool shown = true;                 // the group shows while level n is active
  friend bool operator==(const DpiLevelControls&, const DpiLevelControls&) = default;
};

// cb_MCULEDCurrentMode holds seven items: "Mode k" when mode k is offered,
// "------" when not.
inline constexpr std::string_view kModeNotOffered = "------";

struct EngineerControls {
  // --- DPI levels, AIM, fire (Advanced page mirror) ---
  int level_count_index = kNoSelection;    // cb_CPIStep: items "2".."7"
  int current_level_index = kNoSelection;  // cb_CurrentCPI: items "1".."count"
  int current_level_items = 0;             // how many items cb_CurrentCPI holds
  int checked_level_radio = kNoSelection;  // rb_DPI1..rb_DPI7: index of the checked one
  std::array<DpiLevelControls, kDpiLevelMax> levels{};
  int aim_value_index = kNoSelection;      // cb_AIMKeyValue
  int fire_count_index = kNoSelection;     // cb_FireCount: items "2".."127"
  std::string fire_time = "0";             // edt_FireTime, 0..255 (8 ms units)

  // --- lighting (Light page mirror) ---
  Checked led_type = Checked::Neither;        // rb_NorLED / rb_MCULED
  Checked led_status = Checked::Neither;      // rb_LEDOn / rb_LEDOff
  Checked mcpi_switch = Checked::Neither;     // rb_MCPIOn / rb_MCPIOff
  Checked lcpi_switch = Checked::Neither;     // rb_LCPIOn / rb_LCPIOff
  Checked key_mode_saving = Checked::Neither; // rb_Save / rb_NoSave
  Checked brightness = Checked::Neither;      // rb_MCULED3Control (full) / rb_MCULED6Control (half)
  std::array<bool, kMcuLedModeCount> modes_offered{};  // cb_Mode1..cb_Mode7
  std::array<std::string, kMcuLedModeCount> current_mode_items{};  // cb_MCULEDCurrentMode items
  int current_mode_index = kNoSelection;      // cb_MCULEDCurrentMode
  std::string led_count = "13";               // edt_MCULEDNum, 4..13
  std::string mcu_step = "0";                 // edt_MCULEDCrtStep, 0..7
  std::string breath_step = "0";              // edt_NorLEDStep, 0..255
  bool normal_led_cpi_breath = false;         // rb_NorLEDCPI
  ColourEdits key_mode1_colour;               // edt_KeyMode1R/G/B
  ColourEdits key_mode2_colour;               // edt_KeyMode2R/G/B

  // --- the rest of the engineer page's Operation and Engineer tabs ---
  int key_mode_index = kNoSelection;          // cb_KeyMode: 0 = key mode A, 1 = key mode B
  bool key_mode_enabled = true;               // cb_KeyMode is disabled while the key mode is not saved
  Checked fire_function = Checked::Neither;   // rb_FireFnOn (Fn+left) / rb_FireFnOff (left key)
  int sensor_orientation_index = kNoSelection;  // cb_SensorOri, kSensorOrientations order
  bool middle_long_press = false;             // cb_MidPress
  bool cpi_long_press = false;                // cb_CPIPress
  std::string vendor_code = "255";            // edt_VendorID
  std::string product_code = "255";           // edt_ProductID

  friend bool operator==(const EngineerControls&, const EngineerControls&) = default;
};

}  // namespace zelko
