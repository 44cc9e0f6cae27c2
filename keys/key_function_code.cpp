#include "keys/key_function_code.h"

namespace zelko {
namespace {

std::optional<std::uint8_t> HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
  return std::nullopt;
}

void AppendHexByte(std::string& out, std::uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out.push_back(kDigits[value >> 4]);
  out.push_back(kDigits[value & 0x0F]);
}

}  // namespace

bool IsKeyCodeText(std::string_view text) { return KeyCodeBytes(text).has_value(); }

std::optional<KeyFunctionCode> KeyCodeBytes(std::string_view text) {
  if (text.size() != kKeyCodeTextLength) return std::nullopt;
  KeyFunctionCode code{};
  for (std::size_t i = 0; i < code.size(); ++i) {
    const auto high = HexDigitValue(text[2 * i]);
    const auto low = HexDigitValue(text[2 * i + 1]);
    if (!high || !low) return std::nullopt;
    code[i] = static_cast<std::uint8_t>((*high << 4) | *low);
  }
  return code;
}

std::string KeyCodeText(const KeyFunctionCode& code) {
  std::string text;
  text.reserve(kKeyCodeTextLength);
  for (const auto byte : code) AppendHexByte(text, byte);
  return text;
}

std::string CombinationCode(std::uint8_t modifiers, std::uint8_t usage) {
  return KeyCodeText({key_type::kKeyboardCombination, modifiers, usage});
}

std::string AimKeyCode(std::uint8_t aim_value_index) {
  return KeyCodeText({key_type::kAimKey, aim_value_index, 0x00});
}

}  // namespace zelko
