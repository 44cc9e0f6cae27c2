// The controls of the macro page that its layout and its redraws share:
// the two delay groups' options and the option pictures.
#pragma once
#include <QString>

#include "macros/macro_lines.h"

namespace zelko::macro_page {

// The options of a delay group: option, indicator, caption id.
struct DelayOption {
  DelayMode mode;
  const char* label;
  const char* id;
};
inline constexpr DelayOption kPageOptions[] = {{DelayMode::kRecorded, "RecDelay", "Str414"},
                                               {DelayMode::kDefault, "DelayTime", "Str415"},
                                               {DelayMode::kNone, "NoDelay", "Str416"}};
inline constexpr DelayOption kPanelOptions[] = {{DelayMode::kRecorded, "InsertRecDelay", "Str414"},
                                                {DelayMode::kDefault, "InsertDelayTime", "Str415"},
                                                {DelayMode::kNone, "InsertNoDelay", "Str416"}};

// The picture of an option that is chosen or not.
inline QString Radio(bool on) { return on ? QStringLiteral("RdS_E") : QStringLiteral("RdS_D"); }

}  // namespace zelko::macro_page
