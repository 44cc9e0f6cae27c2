// The hidden engineer mode: the logo's double-clicks, the access code and
// what the mode unlocks on the engineer page. Every fifth double-click
// while the mode is off asks for the code; a double-click while it is on
// turns it off. The count is never reset, so a wrong code costs five more.
#pragma once
#include <string_view>

namespace zelko {

// The access code, compared exactly (case-sensitive).
inline constexpr std::string_view kEngineerAccessCode = "TovarikQMBVN";
// Every this many double-clicks the password dialog opens.
inline constexpr int kLogoClicksPerAsk = 5;

enum class LogoOutcome {
  kTurnedOff,     // the mode was on and is off now
  kCounted,       // one more double-click counted; nothing to ask yet
  kAskPassword,   // open the password dialog
};

// What the engineer page shows and lets the user change, by the mode.
struct EngineerModeEffects {
  bool engineer_tab_shown = false;          // ts_Engineer
  bool default_button_shown = false;        // Btn_Default
  bool led_type_enabled = false;            // gbLEDType, rb_NorLED, rb_MCULED
  bool sensor_orientation_enabled = false;  // lbl_SensorOri, cb_SensorOri
  friend bool operator==(const EngineerModeEffects&, const EngineerModeEffects&) = default;
};

class EngineerMode {
 public:
  // Img_Logo4 was double-clicked.
  LogoOutcome LogoDoubleClicked();
  // The password dialog was closed with OK and this text: the mode turns
  // on when it is the access code. Returns whether the mode is on now.
  bool PasswordEntered(std::string_view text);

  bool on() const { return on_; }
  int logoClickCount() const { return logo_click_count_; }
  EngineerModeEffects effects() const;

 private:
  bool on_ = false;
  int logo_click_count_ = 0;
};

}  // namespace zelko
