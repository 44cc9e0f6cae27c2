#include "keys/button_assignment.h"

#include "keys/ascii_text.h"
#include "keys/function_catalogue.h"
#include "keys/key_function_code.h"

namespace zelko {
namespace {

std::size_t Slot(ButtonRef ref) { return static_cast<std::size_t>(ref.button - 1); }

std::string TextOf(std::string_view id, const TextLookup& text) {
  return text ? text(id) : std::string();
}

AssignmentResult Invalid(const ProfileCaptions& captions, ButtonRef ref) {
  return {AssignmentOutcome::kInvalid, ref.valid() ? captions[Slot(ref)] : std::string(), {}};
}

}  // namespace

std::array<std::string, kButtonCount>& ProfileCodes(ProfileKeyCodes& codes, int profile) {
  return profile == 2 ? codes.ModeB : codes.ModeA;
}

const std::array<std::string, kButtonCount>& ProfileCodes(const ProfileKeyCodes& codes,
                                                          int profile) {
  return profile == 2 ? codes.ModeB : codes.ModeA;
}

ProfileCaptions ProfileLabels(const ButtonMap& map, int profile, const TextLookup& text,
                              const SlotNameLookup& slot_name) {
  ProfileCaptions captions;
  const auto& table = map.Profile(profile);
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    captions[i] = KeyCodeToLabel(ButtonCodeText(table[i]), text, slot_name);
  }
  return captions;
}

bool StoreButtonCode(ButtonMap& map, ButtonRef ref, std::string_view code) {
  if (!ref.valid()) return false;
  const auto bytes = KeyCodeBytes(code);
  if (!bytes) return false;
  map.Code(ref) = ButtonCode{(*bytes)[0], (*bytes)[1], (*bytes)[2]};
  return true;
}

bool KeepsLeftClickButton(const ProfileCaptions& captions, std::string_view left_click_label) {
  for (const auto& caption : captions) {
    if (caption == left_click_label) return true;
  }
  return false;
}

AssignmentResult AssignUnderLeftClickRule(ButtonMap& map, ButtonRef ref, std::string_view code,
                                          std::string_view new_caption,
                                          const ProfileCaptions& captions,
                                          const TextLookup& text) {
  if (!ref.valid() || !IsKeyCodeText(code)) return Invalid(captions, ref);
  const std::string left_click_label = TextOf(kLeftClickLabelId, text);
  ProfileCaptions after = captions;
  after[Slot(ref)] = std::string(new_caption);
  if (!KeepsLeftClickButton(after, left_click_label)) {
    // Refused: the button keeps its code, and its label says what that is.
    return {AssignmentOutcome::kKeepLeftClick, captions[Slot(ref)], TextOf(kKeepLeftClickMessageId, text)};
  }
  (void)StoreButtonCode(map, ref, code);  // button and code were checked above
  return {AssignmentOutcome::kStored, std::string(new_caption), {}};
}

AssignmentResult AssignCatalogueFunction(ButtonMap& map, ButtonRef ref, int menu_tag,
                                         std::uint8_t aim_value_index,
                                         const ProfileCaptions& captions,
                                         const TextLookup& text) {
  const auto* entry = FindCatalogueEntry(menu_tag);
  if (!entry) return Invalid(captions, ref);
  return AssignUnderLeftClickRule(map, ref, MenuTagToKeyCode(menu_tag, aim_value_index),
                                  TextOf(entry->label_id, text), captions, text);
}

AssignmentResult AssignCombination(ButtonMap& map, ButtonRef ref,
                                   std::string_view combo_code, std::string_view combo_label) {
  if (!StoreButtonCode(map, ref, combo_code)) {
    return {AssignmentOutcome::kInvalid, {}, {}};
  }
  return {AssignmentOutcome::kStored, std::string(combo_label), {}};
}

AssignmentResult AssignMacro(ButtonMap& map, ButtonRef ref,
                             std::string_view macro_name, const ProfileCaptions& captions,
                             const TextLookup& text, const MacroSlotChoice& choose_slot,
                             const MacroSlotFill& fill_slot) {
  if (!ref.valid() || !choose_slot || !fill_slot) return Invalid(captions, ref);
  // The button's own slot counts as free while the slot is chosen.
  ButtonMap choosing = map;
  choosing.Code(ref) = ButtonCode{key_type::kDisabled, 0x00, 0x00};
  const int slot = choose_slot(choosing);
  if (slot < 1 || slot >= kNoFreeMacroSlot) {
    return {AssignmentOutcome::kNoFreeSlot, captions[Slot(ref)], {}};
  }

  const std::string left_click_label = TextOf(kLeftClickLabelId, text);
  ProfileCaptions after = captions;
  after[Slot(ref)] = std::string(macro_name);
  if (!KeepsLeftClickButton(after, left_click_label)) {
    (void)StoreButtonCode(map, ref, kLeftClickCode);  // a valid button, a valid code
    return {AssignmentOutcome::kKeepLeftClick, left_click_label,
            TextOf(kKeepLeftClickMessageId, text)};
  }
  const std::string slot_code = fill_slot(slot);
  if (!StoreButtonCode(map, ref, slot_code)) return Invalid(captions, ref);
  return {AssignmentOutcome::kStored, std::string(macro_name), {}};
}

}  // namespace zelko
