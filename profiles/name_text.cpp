#include "profiles/name_text.h"

#include <cstdint>
#include <optional>

#include "resources/utf16.h"

namespace zelko {
namespace {

struct Decoded {
  char32_t code_point;
  std::size_t length;  // bytes
};

// The code point that starts at `at`; nothing when the bytes there are not
// a well-formed UTF-8 sequence.
std::optional<Decoded> DecodeAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(at);
  if (lead < 0x80) return Decoded{lead, 1};
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1Fu, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0Fu, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07u, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  if (at + length > text.size()) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (byte(at + i) & 0x3Fu);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  return Decoded{cp, length};
}

bool InRange(char32_t cp, char32_t first, char32_t last) { return cp >= first && cp <= last; }

// The lower-case letter of an upper-case one of Latin (ASCII, Latin-1,
// Latin Extended-A), Greek, Cyrillic and full-width Latin.
char32_t LowerOf(char32_t cp) {
  if (InRange(cp, 'A', 'Z')) return cp + 0x20;
  if (InRange(cp, 0xC0, 0xDE) && cp != 0xD7) return cp + 0x20;
  // Latin Extended-A pairs: upper case on the even code point here ...
  if ((InRange(cp, 0x100, 0x12F) || InRange(cp, 0x132, 0x137) || InRange(cp, 0x14A, 0x177)) &&
      cp % 2 == 0) {
    return cp + 1;
  }
  // ... and on the odd one here.
  if ((InRange(cp, 0x139, 0x148) || InRange(cp, 0x179, 0x17E)) && cp % 2 == 1) return cp + 1;
  if (cp == 0x178) return 0xFF;  // Ÿ
  if (InRange(cp, 0x391, 0x3A9) && cp != 0x3A2) return cp + 0x20;
  if (InRange(cp, 0x410, 0x42F)) return cp + 0x20;
  if (InRange(cp, 0x400, 0x40F)) return cp + 0x50;
  if (InRange(cp, 0xFF21, 0xFF3A)) return cp + 0x20;
  return cp;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto decoded = DecodeAt(text, at);
    if (!decoded) return false;
    at += decoded->length;
  }
  return true;
}

std::string_view TrimOuterBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string FoldLetterCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto decoded = DecodeAt(text, at);
    if (!decoded) {
      out.push_back(text[at]);
      ++at;
      continue;
    }
    AppendUtf8(out, LowerOf(decoded->code_point));
    at += decoded->length;
  }
  return out;
}

std::string NameKey(std::string_view text) { return FoldLetterCase(TrimOuterBlanks(text)); }

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace zelko
