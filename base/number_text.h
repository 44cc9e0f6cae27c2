// Numbers typed by the user: hexadecimal with or without 0x, decimal, and
// comma-separated lists.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zelko {

// "7F", "0x7f", "0X7F"; surrounding blanks allowed. Nothing when the text
// is empty, holds anything but hex digits, or exceeds `max`.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text, std::uint32_t max);

// Plain decimal, same rules.
std::optional<std::uint32_t> ParseDecimalNumber(std::string_view text, std::uint32_t max);

// Splits "a,b,c" at commas; an empty text gives no parts.
std::vector<std::string_view> SplitList(std::string_view text, char separator = ',');

}  // namespace zelko
