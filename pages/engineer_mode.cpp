#include "pages/engineer_mode.h"

namespace zelko {

LogoOutcome EngineerMode::LogoDoubleClicked() {
  if (on_) {
    on_ = false;
    return LogoOutcome::kTurnedOff;
  }
  ++logo_click_count_;
  return logo_click_count_ % kLogoClicksPerAsk == 0 ? LogoOutcome::kAskPassword : LogoOutcome::kCounted;
}

bool EngineerMode::PasswordEntered(std::string_view text) {
  if (text == kEngineerAccessCode) on_ = true;
  return on_;
}

EngineerModeEffects EngineerMode::effects() const { return {on_, on_, on_, on_}; }

}  // namespace zelko
