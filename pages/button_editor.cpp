#include "pages/button_editor.h"

#include <vector>

#include "settings/aim_key.h"
#include "keys/key_function_code.h"
#include "macros/macro_name_codec.h"

namespace zelko {

AssignmentResult AssignMenuEntry(MouseSettings& settings, ButtonRef target, int menu_tag,
                                 const ProfileCaptions& captions, const TextLookup& text) {
  const std::uint8_t aim_value_index = NewAimButtonCode(settings.aim).param1;
  AssignmentResult result =
      AssignCatalogueFunction(settings.buttons, target, menu_tag, aim_value_index, captions, text);
  if (result.stored() && settings.buttons.Code(target).type == key_type::kAimKey &&
      !settings.aim.value_index) {
    // The first AIM button: the model carries the value it got. (With AIM
    // buttons before, the model's value is theirs and the write gives it to
    // this one too.)
    (void)SetAimValue(aim_value_index, settings.buttons, settings.aim);
  }
  return result;
}

AssignmentResult ApplyComboKey(MouseSettings& settings, ButtonRef target, const ComboHandOver& combo) {
  if (!combo.ready) return {};
  return AssignCombination(settings.buttons, target, combo.code, combo.label);
}

AssignmentResult AssignLibraryMacro(MouseSettings& settings, ButtonRef target, const MacroRecord& macro,
                                    DeviceMacroSlots& slots, BaseMacroArea& area,
                                    const ProfileCaptions& captions, const TextLookup& text) {
  const MacroSlotChoice choose = [&slots, &macro](const ButtonMap& map) {
    const ProfileKeyCodes codes = KeyCodeTexts(map);
    std::vector<std::string> all(codes.ModeA.begin(), codes.ModeA.end());
    all.insert(all.end(), codes.ModeB.begin(), codes.ModeB.end());
    return FindBaseMacroIndex(slots, macro.name, all);
  };
  const MacroSlotFill fill = [&](int slot) {
    return FillBaseMacroSlot(macro, slot, slots, area).value_or(std::string());
  };
  return AssignMacro(settings.buttons, target, MacroNameText(macro.name), captions, text, choose, fill);
}

bool FlipLongPress(ButtonMap& buttons, LongPressOption option) {
  bool& flag = option == LongPressOption::kMiddle ? buttons.middle_long_press : buttons.cpi_long_press;
  flag = !flag;
  return flag;
}

ImageChanges LongPressImages(const ButtonMap& buttons) {
  const auto image = [](bool on) { return std::string(on ? "CbS_E" : "CbS_D"); };
  return {{"Img_ComboKey1", image(buttons.middle_long_press)},
          {"Img_ComboKey2", image(buttons.cpi_long_press)}};
}

}  // namespace zelko
