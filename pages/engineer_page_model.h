// The engineer page's plain editors over the window's settings: the DPI
// levels, AIM and fire lists and edits, the lighting radio pairs, mode
// check boxes and edits, the key mode, sensor orientation, long-press
// options and the identity codes. Every edit fills the controls from the
// settings first (so what another page changed is kept), applies the
// control's rule, and writes the controls back; the edits return the text
// the edit box shows afterwards. Refresh redraws from the settings.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "device/device_connection.h"
#include "pages/dpi_page.h"
#include "pages/engineer_controls.h"
#include "pages/lighting_rules.h"
#include "settings/mouse_settings.h"

namespace zelko {

// The radio pairs of the page; "first" is the button named first.
enum class EngineerPair {
  kLedType,        // rb_NorLED / rb_MCULED
  kLedStatus,      // rb_LEDOn / rb_LEDOff
  kMcpiSwitch,     // rb_MCPIOn / rb_MCPIOff
  kLcpiSwitch,     // rb_LCPIOn / rb_LCPIOff
  kKeyModeSaving,  // rb_Save / rb_NoSave
  kBrightness,     // rb_MCULED3Control / rb_MCULED6Control
  kFireFunction,   // rb_FireFnOn / rb_FireFnOff
};

// The three R, G, B edits of a colour.
enum class ColourChannel { kRed, kGreen, kBlue };

// The long-press options: cb_MidPress, cb_CPIPress, cb_GunPress.
enum class LongPressKey { kMiddle, kCpi, kGun };

// The identity code edits: edt_VendorID, edt_ProductID.
enum class IdentityCode { kVendor, kProduct };

// Why the vendor and product codes in the settings must not be written:
// a mouse holding a pair that is not accepted is refused by every later
// read, so the user would be locked out of it. Engineer mode writes any
// pair. Nothing when the write may go ahead.
[[nodiscard]] std::optional<std::string> IdentityWriteProblem(const MouseSettings& settings,
                                                              const ExpectedCodes& expected, bool engineer_mode);

class EngineerPageModel {
 public:
  void Refresh(const MouseSettings& settings);

  // DPI levels, AIM and fire.
  bool SelectLevelCount(MouseSettings& settings, int list_index);       // cb_CPIStep
  bool SelectCurrentLevel(MouseSettings& settings, int list_index);     // cb_CurrentCPI
  bool SelectLevelValue(MouseSettings& settings, int level, int list_index);    // cb_CPIn
  bool SelectLevelPalette(MouseSettings& settings, int level, int list_index);  // cb_CPInColor
  std::string EditLevelColour(MouseSettings& settings, int level, ColourChannel channel,
                              std::string_view text);                   // edt_CPInR/G/B
  AimChange SelectAimValue(MouseSettings& settings, int list_index);    // cb_AIMKeyValue
  void SelectFireCount(MouseSettings& settings, int list_index);        // cb_FireCount
  std::string EditFireTime(MouseSettings& settings, std::string_view text);  // edt_FireTime

  // Lighting.
  void Choose(MouseSettings& settings, EngineerPair pair, bool first);
  void SetModeOffered(MouseSettings& settings, int mode, bool offered);  // cb_Mode1..cb_Mode7
  bool SelectCurrentMode(MouseSettings& settings, int list_index);       // cb_MCULEDCurrentMode
  std::string EditLedCount(MouseSettings& settings, std::string_view text);  // edt_MCULEDNum
  std::string LeaveLedCount(MouseSettings& settings, std::string_view text);
  std::string EditMcuStep(MouseSettings& settings, std::string_view text);    // edt_MCULEDCrtStep
  std::string EditBreathStep(MouseSettings& settings, std::string_view text); // edt_NorLEDStep
  void ChooseCpiBreath(MouseSettings& settings);                              // rb_NorLEDCPI
  std::string EditKeyModeColour(MouseSettings& settings, int mode, ColourChannel channel,
                                std::string_view text);                // edt_KeyMode1R .. 2B

  // Key mode, orientation, long presses, identity.
  bool SelectKeyMode(MouseSettings& settings, int list_index);           // cb_KeyMode
  bool SelectSensorOrientation(MouseSettings& settings, int list_index);  // cb_SensorOri
  void SetLongPress(MouseSettings& settings, LongPressKey key, bool on);
  std::string EditIdentity(MouseSettings& settings, IdentityCode code, std::string_view text);
  // The identity codes the mouse reported at its last read; none without one.
  void ShowReadIdentity(const std::optional<IdentityCodes>& codes) { read_identity_ = codes; }
  const std::optional<IdentityCodes>& readIdentity() const { return read_identity_; }

  const EngineerControls& controls() const { return controls_; }
  const DpiPageState& page() const { return page_; }
  // Which groups show, by the LED type the radio pair holds.
  LedTypeLayout layout() const { return LayoutForLedType(controls_.led_type == Checked::First); }
  // Whether a Gun long press switches the key mode (no engineer control of
  // the shared set holds it).
  bool gunLongPress() const { return gun_long_press_; }

 private:
  void Sync(const MouseSettings& settings);
  void Commit(MouseSettings& settings) const;

  EngineerControls controls_;
  DpiPageState page_;
  bool gun_long_press_ = false;
  std::optional<IdentityCodes> read_identity_;
};

}  // namespace zelko
