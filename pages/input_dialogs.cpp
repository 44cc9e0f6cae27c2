#include "pages/input_dialogs.h"

#include <cstdio>

#include "keys/key_tables.h"
#include "macros/macro_name_codec.h"

namespace zelko {
namespace {

// A strict integer: an optional minus sign and digits only. Too many digits
// saturate, which the range rules then bring back.
std::optional<long long> StrictInteger(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const bool negative = text.front() == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  if (digits.empty()) return std::nullopt;
  long long value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value > 1'000'000'000 ? value : value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

std::string Clamped(std::string_view text, long long low, long long high) {
  const auto value = StrictInteger(text);
  if (!value) return std::string(text);
  if (*value < low) return std::to_string(low);
  if (*value > high) return std::to_string(high);
  return std::string(text);
}

}  // namespace

bool MacroNameFits(std::string_view text) {
  const auto units = Utf8ToUtf16(text);
  return units && units->size() <= kMacroNameDialogLength;
}

OneKey OneKeyOf(int virtual_key, EditLineKind kind) {
  const KeyIndex index = VirtualKeyToKeyIndex(virtual_key);
  OneKey key;
  key.label = std::string(KeyIndexName(index));
  char usage[3];
  std::snprintf(usage, sizeof usage, "%02X", KeyIndexToUsage(index));
  key.event = key.label + " CODE:" + (kind == EditLineKind::kKeyPress ? "82" : "02") + usage;
  return key;
}

bool DelayFieldTakes(char32_t typed) { return typed >= U'0' && typed <= U'9'; }

bool ValueFieldTakes(char32_t typed) { return DelayFieldTakes(typed) || typed == U'-'; }

std::string CorrectedDelayText(std::string_view text) {
  if (text.empty()) return "0";
  return Clamped(text, 0, kMaxDialogDelayMs);
}

std::string CorrectedValueText(std::string_view text, EditLineKind kind) {
  const bool move = kind == EditLineKind::kMoveX || kind == EditLineKind::kMoveY;
  if (!move && kind != EditLineKind::kRepeat) return std::string(text);
  if (text == "-") return std::string(text);
  if (text.empty()) return "0";
  return move ? Clamped(text, -128, 127) : Clamped(text, 0, 255);
}

}  // namespace zelko
