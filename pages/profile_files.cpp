#include "pages/profile_files.h"

#include "base/number_text.h"

namespace zelko {

std::string DialogFilter(std::string_view filter) {
  const auto parts = SplitList(filter, '|');
  std::string out;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    const std::string_view description = parts[i];
    const std::string_view pattern = i + 1 < parts.size() ? parts[i + 1] : description;
    if (!out.empty()) out += ";;";
    out += std::string(description) + " (" + std::string(pattern) + ")";
  }
  return out;
}

std::string ProfileRefusalText(const std::string& problem) {
  return "The profile was not loaded: " + problem + ".";
}

}  // namespace zelko
