// The buttons of both profiles as zelko77ctl prints them: code and label.
#pragma once
#include <string>
#include <vector>

#include "image/parameter_record.h"
#include "keys/key_label.h"

namespace zelko::cli {

// One line per button, profile 1 first: "Profile 1 button 1: 010100  Left Click".
std::vector<std::string> ButtonListing(const ProfileKeyCodes& codes, const TextLookup& text,
                                       const SlotNameLookup& slot_name);

}  // namespace zelko::cli
