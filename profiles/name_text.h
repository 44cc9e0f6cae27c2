// Names the user types in any language (profile names, application ids),
// compared the way a person would: blanks around them do not count, and
// upper and lower case are the same letter for the scripts that have case
// (Latin, Greek, Cyrillic, full-width Latin), not only for ASCII.
#pragma once
#include <string>
#include <string_view>

namespace zelko {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The text without blanks (space, tab, line ends) at either end.
std::string_view TrimOuterBlanks(std::string_view text);

// The text with every upper-case letter of those scripts in lower case;
// everything else, bytes that are not UTF-8 included, as it was.
std::string FoldLetterCase(std::string_view text);

// TrimOuterBlanks then FoldLetterCase: the key two names are compared by.
std::string NameKey(std::string_view text);

// The number of characters (code points) of valid UTF-8 text.
std::size_t CharacterCount(std::string_view text);

}  // namespace zelko
