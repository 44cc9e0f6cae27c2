// The function text of `set-button` (a catalogue label in one of the three
// languages, a six-digit code, or a keyboard combination such as
// "Ctrl+Shift+A"). The first byte picks the language and the AIM value
// index, the rest is the text.
//
// Properties: a text names a function or says why not, never both; the
// code of a function is six upper-case hexadecimal digits; a combination
// written with names has a label that reads back as the same code.
#include <algorithm>

#include "fuzz/fuzz_check.h"
#include "keys/function_text.h"
#include "keys/key_label.h"
#include "keys/language_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelko;
  if (size == 0) return 0;
  static const TextLookup kLanguages[] = {LanguageTextLookup(1), LanguageTextLookup(2), LanguageTextLookup(3)};
  const TextLookup& language = kLanguages[data[0] % 3];
  const auto aim_value_index = static_cast<std::uint8_t>(data[0] >> 2);
  const std::string_view text = fuzz::Text(data + 1, size - 1);

  const ParsedFunction parsed = ParseButtonFunction(text, language, aim_value_index);
  FUZZ_REQUIRE(parsed.function.has_value() == parsed.error.empty());
  std::string why;
  const auto combination = CombinationCodeOf(text, &why);
  FUZZ_REQUIRE(combination.has_value() == why.empty());
  if (!parsed.function) return 0;

  const std::string& code = parsed.function->code;
  FUZZ_REQUIRE(code.size() == 6);
  FUZZ_REQUIRE(std::all_of(code.begin(), code.end(),
                           [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }));
  const std::string label = KeyCodeToLabel(code, language);
  // A combination written with names (not as a code, which may carry
  // modifier bits no name stands for) reads back from its label.
  if (parsed.function->kind == FunctionKind::kCombination && combination && !label.empty()) {
    const auto again = ParseButtonFunction(label, language, aim_value_index);
    FUZZ_REQUIRE(again.function && again.function->code == code);
  }
  return 0;
}
