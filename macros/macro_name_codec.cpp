#include "macros/macro_name_codec.h"

#include <cstdint>

#include "resources/utf16.h"

namespace zelko {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char kLowerHex[] = "0123456789abcdef";

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }

// Decodes one code point from text at pos; advances pos. Nothing on a bad
// sequence (pos then moves past one byte).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    ++pos;
    return std::nullopt;
  }
  if (pos + static_cast<std::size_t>(extra) >= text.size()) {
    ++pos;
    return std::nullopt;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return std::nullopt;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  pos += static_cast<std::size_t>(extra) + 1;
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return cp;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

std::u16string Utf8ToUtf16Lossy(std::string_view text) {
  std::u16string out;
  std::size_t pos = 0;
  while (pos < text.size()) AppendUtf16(out, NextCodePoint(text, pos).value_or(kReplacement));
  return out;
}

std::optional<unsigned> HexValue(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return std::nullopt;
}

}  // namespace

std::optional<std::u16string> Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto cp = NextCodePoint(text, pos);
    if (!cp) return std::nullopt;
    AppendUtf16(out, *cp);
  }
  return out;
}

std::string StrToUnicodeHex(std::string_view text) {
  std::string hex;
  for (char16_t u : Utf8ToUtf16Lossy(text)) {
    for (int shift = 12; shift >= 0; shift -= 4) hex.push_back(kLowerHex[(u >> shift) & 0xF]);
  }
  return hex;
}

std::string UnicodeHexToStr(std::string_view hex) {
  // Groups are cut from the end, so a remainder stands at the start.
  std::u16string units;
  for (std::size_t start = hex.size() % 4; start + 4 <= hex.size(); start += 4) {
    unsigned value = 0;
    bool ok = true;
    for (std::size_t i = 0; i < 4 && ok; ++i) {
      const auto digit = HexValue(hex[start + i]);
      ok = digit.has_value();
      if (ok) value = value * 16 + *digit;
    }
    if (!ok) continue;
    if (value == 0) break;
    units.push_back(static_cast<char16_t>(value));
  }
  return Utf16ToUtf8(units);
}

MacroName MacroNameStrToUnicode(std::string_view name) {
  std::u16string units = Utf8ToUtf16Lossy(name);
  if (units.size() > kMacroNameUnits) {
    units.resize(kMacroNameUnits);
    if (IsHighSurrogate(units.back())) units.pop_back();
  }
  const std::string hex = StrToUnicodeHex(Utf16ToUtf8(units));
  MacroName bytes{};
  for (std::size_t i = 0; i + 1 < hex.size() && i / 2 < bytes.size(); i += 2) {
    bytes[i / 2] = static_cast<std::uint8_t>(*HexValue(hex[i]) * 16 + *HexValue(hex[i + 1]));
  }
  return bytes;
}

std::string MacroNameText(const MacroName& name) {
  std::string hex;
  for (std::uint8_t b : name) {
    hex.push_back(kLowerHex[b >> 4]);
    hex.push_back(kLowerHex[b & 0xF]);
  }
  return UnicodeHexToStr(hex);
}

std::optional<std::string> MacroNameProblem(std::string_view name) {
  if (name.empty()) return std::string("a macro name cannot be empty");
  const auto units = Utf8ToUtf16(name);
  if (!units) return std::string("a macro name must be valid UTF-8 text");
  if (units->size() > kMacroNameUnits) {
    return std::string("a macro name holds at most 16 characters");
  }
  if (units->find(u'\0') != std::u16string::npos) {
    return std::string("a macro name cannot contain a NUL character");
  }
  return std::nullopt;
}

}  // namespace zelko
