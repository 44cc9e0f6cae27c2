#include "keys/function_text.h"

#include <array>
#include <vector>

#include "keys/ascii_text.h"
#include "keys/function_catalogue.h"
#include "keys/key_function_code.h"
#include "keys/key_tables.h"

namespace zelko {
namespace {

struct ModifierName {
  std::string_view name;
  std::uint8_t bit;
};
constexpr std::array<ModifierName, 4> kModifierNames = {{
    {"Ctrl", key_modifier::kCtrl},
    {"Shift", key_modifier::kShift},
    {"Alt", key_modifier::kAlt},
    {"Win", key_modifier::kWin},
}};

std::optional<std::uint8_t> ModifierBit(std::string_view name) {
  for (const auto& modifier : kModifierNames) {
    if (EqualIgnoringCase(modifier.name, name)) return modifier.bit;
  }
  return std::nullopt;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

ButtonFunction FunctionOfCode(const std::string& code) {
  for (const auto& entry : FunctionCatalogue()) {
    if (entry.code == code) return {FunctionKind::kCatalogue, entry.menu_tag, code};
  }
  if (code.compare(0, 2, "02") == 0) return {FunctionKind::kCombination, 0, code};
  return {FunctionKind::kCode, 0, code};
}

// Catalogue entries whose label is the text; exact matches first.
std::vector<const CatalogueEntry*> EntriesLabelled(std::string_view text,
                                                   const TextLookup& language) {
  std::vector<const CatalogueEntry*> exact;
  std::vector<const CatalogueEntry*> folded;
  for (const auto& entry : FunctionCatalogue()) {
    const std::string label = language ? language(entry.label_id) : std::string();
    if (label.empty()) continue;
    if (label == text) exact.push_back(&entry);
    else if (EqualIgnoringCase(label, text)) folded.push_back(&entry);
  }
  return exact.empty() ? folded : exact;
}

}  // namespace

std::optional<std::string> CombinationCodeOf(std::string_view text, std::string* error) {
  const auto fail = [error](std::string why) {
    if (error) *error = std::move(why);
    return std::nullopt;
  };
  std::uint8_t modifiers = 0;
  std::uint8_t usage = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t plus = text.find('+', start);
    const bool last = plus == std::string_view::npos;
    const std::string_view part = Trim(text.substr(start, last ? text.npos : plus - start));
    if (const auto bit = ModifierBit(part)) {
      modifiers |= *bit;
    } else if (last && part.empty() && modifiers != 0) {
      // "Ctrl+Shift+": modifiers and no key.
    } else if (last) {
      const auto key = UsageOfKeyName(part);
      if (!key) return fail("unknown key name \"" + std::string(part) + "\"");
      usage = *key;
    } else {
      return fail("\"" + std::string(part) + "\" is not a modifier (Ctrl, Shift, Alt, Win)");
    }
    if (last) break;
    start = plus + 1;
  }
  return CombinationCode(modifiers, usage);
}

ParsedFunction ParseButtonFunction(std::string_view text, const TextLookup& language,
                                   std::uint8_t aim_value_index) {
  text = Trim(text);
  if (text.empty()) return {std::nullopt, "no function given"};
  if (IsKeyCodeText(text)) return {FunctionOfCode(UpperCaseAscii(text)), {}};

  const auto entries = EntriesLabelled(text, language);
  if (!entries.empty()) {
    const auto code_of = [aim_value_index](const CatalogueEntry* entry) {
      return MenuTagToKeyCode(entry->menu_tag, aim_value_index);
    };
    bool same_code = true;
    for (const auto* entry : entries) same_code = same_code && code_of(entry) == code_of(entries[0]);
    if (same_code) {
      return {ButtonFunction{FunctionKind::kCatalogue, entries[0]->menu_tag, code_of(entries[0])},
              {}};
    }
    std::string choices;
    for (const auto* entry : entries) {
      choices += (choices.empty() ? "" : ", ") + code_of(entry);
    }
    return {std::nullopt, "\"" + std::string(text) + "\" names several functions; give the code: " +
                              choices};
  }

  std::string why;
  if (const auto code = CombinationCodeOf(text, &why)) {
    return {ButtonFunction{FunctionKind::kCombination, 0, *code}, {}};
  }
  return {std::nullopt, "\"" + std::string(text) + "\" is no function label, code or combination (" +
                            why + ")"};
}

}  // namespace zelko
