#include "base/number_text.h"

namespace zelko {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

std::optional<std::uint32_t> ParseDigits(std::string_view text, int base, std::uint32_t max) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > max) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::uint32_t max) {
  text = Trim(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  return ParseDigits(text, 16, max);
}

std::optional<std::uint32_t> ParseDecimalNumber(std::string_view text, std::uint32_t max) {
  return ParseDigits(Trim(text), 10, max);
}

std::vector<std::string_view> SplitList(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  if (text.empty()) return parts;
  std::size_t start = 0;
  while (true) {
    const auto end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

}  // namespace zelko
