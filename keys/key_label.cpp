#include "keys/key_label.h"

#include <array>

#include "keys/function_catalogue.h"
#include "keys/key_function_code.h"
#include "keys/key_tables.h"
#include "keys/macro_slot_code.h"

namespace zelko {
namespace {

struct ModifierText {
  std::uint8_t bit;
  std::string_view text;
};
constexpr std::array<ModifierText, 4> kModifierTexts = {{
    {key_modifier::kCtrl, "Ctrl+"},
    {key_modifier::kShift, "Shift+"},
    {key_modifier::kAlt, "Alt+"},
    {key_modifier::kWin, "Win+"},
}};

std::string CombinationLabel(std::uint8_t modifiers, std::uint8_t usage) {
  std::string label;
  for (const auto& modifier : kModifierTexts) {
    if (modifiers & modifier.bit) label += modifier.text;
  }
  if (usage != 0) label += KeyboardUsageName(usage);
  return label;
}

std::string TextOf(std::string_view id, const TextLookup& text) {
  return text ? text(id) : std::string();
}

}  // namespace

std::string KeyCodeToLabel(std::string_view code, const TextLookup& text,
                           const SlotNameLookup& slot_name) {
  for (const auto& entry : FunctionCatalogue()) {
    if (!entry.code.empty() && entry.code == code) return TextOf(entry.label_id, text);
  }
  if (code.substr(0, 2) == "0A") return TextOf(kAimLabelId, text);

  const auto bytes = KeyCodeBytes(code);
  if (!bytes) return {};
  switch ((*bytes)[0]) {
    case key_type::kKeyboardCombination:
      return CombinationLabel((*bytes)[1], (*bytes)[2]);
    case key_type::kMacroSlotReleaseMode0:
    case key_type::kMacroSlotReleaseMode1: {
      const auto slot = MacroSlotOfCode(code);
      return slot && slot_name ? slot_name(*slot) : std::string();
    }
    case key_type::kFireMacro: {
      const auto id = FireMacroLabelId(code);
      return id.empty() ? std::string() : TextOf(id, text);
    }
    default:
      return {};
  }
}

}  // namespace zelko
