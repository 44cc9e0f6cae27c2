#include "cli/button_listing.h"

#include "keys/button_assignment.h"

namespace zelko::cli {

std::vector<std::string> ButtonListing(const ProfileKeyCodes& codes, const TextLookup& text,
                                       const SlotNameLookup& slot_name) {
  std::vector<std::string> lines;
  for (int profile = 1; profile <= kProfileCount; ++profile) {
    const auto& table = ProfileCodes(codes, profile);
    for (std::size_t i = 0; i < kButtonCount; ++i) {
      lines.push_back("Profile " + std::to_string(profile) + " button " + std::to_string(i + 1) +
                      ": " + table[i] + "  " + KeyCodeToLabel(table[i], text, slot_name));
    }
  }
  return lines;
}

}  // namespace zelko::cli
