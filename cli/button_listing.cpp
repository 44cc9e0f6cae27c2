#include "cli/button_listing.h"

#include "keys/button_assignment.h"
#include "keys/language_text.h"
#include "macros/device_slots.h"

namespace zelko::cli {

ProfileKeyCodes ButtonLabels(const Workspace& workspace, int language) {
  const DeviceMacroSlots slots = ReadDeviceSlots(workspace.base_macro_area);
  const ButtonMap map = DecodeButtonMap(workspace.record);
  const SlotNameLookup slot_name = [&slots](int slot) { return slots.ShownName(slot); };
  const TextLookup text = LanguageTextLookup(language);

  ProfileKeyCodes labels;
  for (int profile = 1; profile <= kProfileCount; ++profile) {
    const ProfileCaptions captions =
        ProfileLabels(map, profile, text, slot_name);
    auto& table = ProfileCodes(labels, profile);
    for (std::size_t i = 0; i < kButtonCount; ++i) table[i] = captions[i];
  }
  return labels;
}

}  // namespace zelko::cli
