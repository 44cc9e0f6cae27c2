#include "profiles/profile_names.h"

#include <array>
#include <cctype>

#include "profiles/name_text.h"

namespace zelko {
namespace {

bool IsControl(unsigned char lead, unsigned char next) {
  // C0 controls and DEL; C1 controls are U+0080..U+009F, encoded C2 80..C2 9F.
  return lead < 0x20 || lead == 0x7F || (lead == 0xC2 && next >= 0x80 && next <= 0x9F);
}

bool IsForbiddenInFileName(char c) {
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  return kForbidden.find(c) != std::string_view::npos;
}

bool IsReservedDeviceName(std::string_view stem) {
  const std::string_view base = stem.substr(0, stem.find('.'));
  std::string upper;
  for (const char c : TrimOuterBlanks(base)) upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  constexpr std::array<std::string_view, 4> kFixed = {"CON", "PRN", "AUX", "NUL"};
  for (const auto fixed : kFixed) {
    if (upper == fixed) return true;
  }
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
         upper[3] <= '9';
}

std::string_view TrimDotsAndBlanks(std::string_view text) {
  const auto trimmed = [](char c) { return c == '.' || c == ' '; };
  while (!text.empty() && trimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && trimmed(text.back())) text.remove_suffix(1);
  return text;
}

// The longest start of `text` of at most `bytes` bytes that ends at a
// character boundary.
std::string_view CutAtCharacter(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace

std::optional<std::string> ProfileNameProblem(std::string_view name) {
  name = TrimOuterBlanks(name);
  if (name.empty()) return std::string("a profile name cannot be empty");
  if (!IsValidUtf8(name)) return std::string("a profile name must be valid UTF-8 text");
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto next = static_cast<unsigned char>(i + 1 < name.size() ? name[i + 1] : 0);
    if (IsControl(static_cast<unsigned char>(name[i]), next)) {
      return std::string("a profile name cannot hold control characters (such as a line break or a tab)");
    }
  }
  if (CharacterCount(name) > kMaxProfileNameCharacters) {
    return "a profile name holds at most " + std::to_string(kMaxProfileNameCharacters) + " characters";
  }
  return std::nullopt;
}

std::string FileStemFor(std::string_view name) {
  std::string stem;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    const auto next = static_cast<unsigned char>(i + 1 < name.size() ? name[i + 1] : 0);
    if (IsControl(byte, next)) {
      stem.push_back('_');
      if (byte == 0xC2) ++i;  // both bytes of a C1 control
    } else if (IsForbiddenInFileName(name[i])) {
      stem.push_back('_');
    } else {
      stem.push_back(name[i]);
    }
  }
  std::string cut(TrimDotsAndBlanks(CutAtCharacter(TrimDotsAndBlanks(stem), kMaxFileStemBytes - 1)));
  if (cut.empty()) return "profile";
  if (IsReservedDeviceName(cut)) cut.insert(cut.begin(), '_');
  return cut;
}

}  // namespace zelko
