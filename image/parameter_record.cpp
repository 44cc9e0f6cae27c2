#include "image/parameter_record.h"

#include <cstdio>

namespace zelko {

std::string ButtonCodeText(const ButtonCode& code) {
  char text[7];
  std::snprintf(text, sizeof text, "%02X%02X%02X", code.type, code.param1, code.param2);
  return text;
}

ProfileKeyCodes BuildProfileKeyCodes(const ProfileSection& profile) {
  ProfileKeyCodes codes;
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    codes.ModeA[i] = ButtonCodeText(profile.ModeA[i]);
    codes.ModeB[i] = ButtonCodeText(profile.ModeB[i]);
  }
  return codes;
}

}  // namespace zelko
