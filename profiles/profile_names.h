// Profile names and the file names the library derives from them. A name
// may be any text a person types, in any language; the file name keeps as
// much of it as every system allows and nothing that would reach outside
// the library's folder.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

inline constexpr std::size_t kMaxProfileNameCharacters = 100;

// Why a text cannot name a profile, or nothing when it can: it must hold
// something besides blanks, be valid UTF-8, hold no control characters and
// at most kMaxProfileNameCharacters characters. The name is taken without
// the blanks at its ends (TrimOuterBlanks).
[[nodiscard]] std::optional<std::string> ProfileNameProblem(std::string_view name);

// The most bytes of a derived file name, before its extension.
inline constexpr std::size_t kMaxFileStemBytes = 80;

// A file name (without extension) for a valid profile name: path separators
// and the characters Windows forbids (\ / : * ? " < > |) and control
// characters become "_"; dots and blanks at either end go (so neither ".."
// nor a hidden file can come out); a name Windows reserves for a device
// (CON, PRN, AUX, NUL, COM1..9, LPT1..9, also with an extension) gets a "_"
// in front; long names are cut at a character boundary. A name that leaves
// nothing gives "profile". Two names may give the same stem: the library
// numbers the second.
std::string FileStemFor(std::string_view name);

}  // namespace zelko
