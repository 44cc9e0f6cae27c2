#include "resources/resources.h"

#include <algorithm>
#include <cctype>

#include "resources/embedded_table.h"

namespace zelko {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

std::optional<ResourceBytes> LookupResource(std::string_view name) {
  for (std::size_t i = 0; i < embedded::kTableSize; ++i) {
    const auto& entry = embedded::kTable[i];
    if (EqualIgnoringCase(entry.name, name)) {
      return ResourceBytes(reinterpret_cast<const std::uint8_t*>(entry.data), entry.size);
    }
  }
  return std::nullopt;
}

std::vector<std::string> ResourceNames() {
  std::vector<std::string> names;
  names.reserve(embedded::kTableSize);
  for (std::size_t i = 0; i < embedded::kTableSize; ++i) names.emplace_back(embedded::kTable[i].name);
  return names;
}

}  // namespace zelko
