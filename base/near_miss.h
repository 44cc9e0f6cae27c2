// "did you mean --simulate?": the name a mistyped word was probably meant
// to be, by edit distance.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelko {

// Levenshtein distance: insertions, deletions and substitutions, one each.
std::size_t EditDistance(std::string_view a, std::string_view b);

// The name nearest to `typed`, when it is near enough to be a slip of the
// fingers: at most two edits, and fewer than a third of the name's length.
// Nothing when no name is that near, or two names are equally near.
std::optional<std::string> NearMiss(std::string_view typed, const std::vector<std::string>& names);

}  // namespace zelko
