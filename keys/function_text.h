// A button function written as text, as the command line takes it: a
// catalogue label in the chosen language ("Right Click", "DPI +"), a code of
// six hexadecimal digits ("010200"), or a keyboard combination written with
// the modifier names Ctrl, Shift, Alt, Win and a key name of the key tables,
// joined by "+" ("Ctrl+Shift+A", "Win+D", "F5", "Ctrl+Shift+").
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "keys/key_label.h"

namespace zelko {

enum class FunctionKind {
  kCatalogue,    // an entry of the button menus; the Left Click rule applies
  kCombination,  // a keyboard combination; exempt from the Left Click rule
  kCode,         // any other code; the Left Click rule applies
};

struct ButtonFunction {
  FunctionKind kind = FunctionKind::kCode;
  int menu_tag = 0;  // catalogue entries only
  std::string code;  // six upper-case hexadecimal digits
};

struct ParsedFunction {
  std::optional<ButtonFunction> function;
  std::string error;  // why the text names no function
};

// Reads the text in this order: six hexadecimal digits; a catalogue label
// (exactly, then without regard to case); a combination. A code that equals a
// catalogue code counts as that entry, and a code of type 0x02 as a
// combination. A label that several entries carry with different codes
// ("Backward", "Forward", "Stop" in the English packs) is an error that lists
// their codes. The AIM entry takes `aim_value_index`.
ParsedFunction ParseButtonFunction(std::string_view text, const TextLookup& language,
                                   std::uint8_t aim_value_index);

// The modifiers and usage of a combination text; nothing when a part is not a
// modifier or key name, or when it names neither modifier nor key.
std::optional<std::string> CombinationCodeOf(std::string_view text, std::string* error = nullptr);

}  // namespace zelko
