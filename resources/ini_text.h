// Small text helpers the pack readers share.
#pragma once
#include <string>
#include <string_view>

namespace zelko {

// ASCII letters folded to lower case: keys and section names of the packs
// compare without regard to case.
std::string FoldCase(std::string_view text);

// The text without the control characters and spaces around it.
std::string_view TrimBlanks(std::string_view text);

}  // namespace zelko
