// ASCII case rules for names and codes typed by people ("space bar",
// "0a0300").
#pragma once
#include <string>
#include <string_view>

namespace zelko {

// True when the texts are equal once ASCII letters are folded to one case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The text with ASCII letters in upper case.
std::string UpperCaseAscii(std::string_view text);

}  // namespace zelko
