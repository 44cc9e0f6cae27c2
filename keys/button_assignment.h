// The button editor's rules, free of any window: assigning a catalogue
// function, a keyboard combination, an AIM key or a device macro to one
// button of one profile of the button map. The rule that guards
// the edits: each profile keeps at least one button labelled Left Click (the
// current language's text of Str210), counting all nine buttons whether the
// layout shows them or not. A combination is exempt from the rule.
//
// The functions return what the window must show (the picked button's new
// caption and, when the rule refused the change, the Str108 text); they
// show nothing themselves.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "image/parameter_record.h"
#include "keys/button_map.h"
#include "keys/key_label.h"

namespace zelko {

// The captions of the nine buttons of one profile, button 1 first.
using ProfileCaptions = std::array<std::string, kButtonCount>;

enum class AssignmentOutcome {
  kStored,           // the code is stored for the button
  kKeepLeftClick,    // refused by the Left Click rule
  kNoFreeSlot,       // no device macro slot was free; nothing changed
  kInvalid,          // a button, code or menu tag that does not exist; nothing changed
};

struct AssignmentResult {
  AssignmentOutcome outcome = AssignmentOutcome::kInvalid;
  std::string caption;  // what the picked button shows now
  std::string message;  // the Str108 text when the rule refused the change
  bool stored() const { return outcome == AssignmentOutcome::kStored; }
};

// The code texts of one profile (1: ModeA, 2: ModeB).
std::array<std::string, kButtonCount>& ProfileCodes(ProfileKeyCodes& codes, int profile);
const std::array<std::string, kButtonCount>& ProfileCodes(const ProfileKeyCodes& codes,
                                                          int profile);

// The labels of one profile's nine codes, as the buttons show them after a
// redraw.
ProfileCaptions ProfileLabels(const ButtonMap& map, int profile, const TextLookup& text,
                              const SlotNameLookup& slot_name = {});

// Stores a code for a button. False, changing nothing, for a bad button or
// a text that is not six hexadecimal digits (either case).
[[nodiscard]] bool StoreButtonCode(ButtonMap& map, ButtonRef ref, std::string_view code);

// True when one of the captions is the Left Click label.
bool KeepsLeftClickButton(const ProfileCaptions& captions, std::string_view left_click_label);

// Assigns `code` with `new_caption` under the Left Click rule: the captions
// of the profile as shown now, with the picked button's replaced by the new
// caption, must hold the Left Click label. Refused: nothing is stored and
// the caption stays the button's own (what its code does).
[[nodiscard]] AssignmentResult AssignUnderLeftClickRule(ButtonMap& map, ButtonRef ref, std::string_view code,
                                          std::string_view new_caption,
                                          const ProfileCaptions& captions,
                                          const TextLookup& text);

// A catalogue entry picked from the menu (KeyStatusOnClick): the code of
// the menu tag (tag 1002 with the current AimValueIndex), the label of the
// entry as caption, under the Left Click rule.
[[nodiscard]] AssignmentResult AssignCatalogueFunction(ButtonMap& map, ButtonRef ref, int menu_tag,
                                         std::uint8_t aim_value_index,
                                         const ProfileCaptions& captions,
                                         const TextLookup& text);

// A combination confirmed in the combination-key dialog (ApplyComboKey):
// stored with the dialog's text as caption, without the Left Click rule.
[[nodiscard]] AssignmentResult AssignCombination(ButtonMap& map, ButtonRef ref,
                                   std::string_view combo_code, std::string_view combo_label);

// The macro steps handed in by the macro library: the slot choice over the
// working code tables (1..7, or 8 when none is free) and the fill of the
// chosen slot, which returns the slot's code (empty when the macro could not
// be placed: the assignment is then invalid and the button keeps its code).
inline constexpr int kNoFreeMacroSlot = 8;
using MacroSlotChoice = std::function<int(const ButtonMap& map)>;
using MacroSlotFill = std::function<std::string(int slot)>;

// A library macro picked for a button (LB_NameClick): the button's code is
// "000000" while the slot is chosen, so that its own slot counts as free.
// No free slot: the previous code comes back and the caption stays. Otherwise
// the macro's name becomes the caption and the Left Click rule applies; met,
// the slot is filled and its code stored; broken, the button gets the left
// click ("010100") back in both tables and shows the Left Click label.
[[nodiscard]] AssignmentResult AssignMacro(ButtonMap& map, ButtonRef ref,
                             std::string_view macro_name, const ProfileCaptions& captions,
                             const TextLookup& text, const MacroSlotChoice& choose_slot,
                             const MacroSlotFill& fill_slot);

}  // namespace zelko
