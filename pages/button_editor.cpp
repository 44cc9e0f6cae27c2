#include "pages/button_editor.h"

#include "settings/aim_key.h"
#include "keys/key_function_code.h"

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
