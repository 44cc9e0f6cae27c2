// UTF-16 to UTF-8, for the texts the packs hold, and one code point in UTF-8.
#pragma once
#include <string>
#include <string_view>

namespace zelko {

// Converts UTF-16 code units to UTF-8. A surrogate without its partner
// becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Appends code point `cp` (at most U+10FFFF) to `out` in UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace zelko
