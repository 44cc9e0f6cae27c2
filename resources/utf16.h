// UTF-16 to UTF-8, for the texts the packs hold.
#pragma once
#include <string>
#include <string_view>

namespace zelko {

// Converts UTF-16 code units to UTF-8. A surrogate without its partner
// becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace zelko
