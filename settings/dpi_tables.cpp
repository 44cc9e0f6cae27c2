#include "settings/dpi_tables.h"

#include <cctype>

namespace zelko {

std::optional<int> DpiValueIndexOf(int dpi) {
  for (int i = 0; i < kDpiValueCount; ++i) {
    if (kDpiValues[static_cast<std::size_t>(i)] == dpi) return i;
  }
  return std::nullopt;
}

std::optional<int> PaletteIndexOf(std::string_view name) {
  for (int i = 0; i < kPaletteSize; ++i) {
    const auto candidate = kPalette[static_cast<std::size_t>(i)].name;
    if (candidate.size() != name.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < name.size() && same; ++k) {
      same = std::tolower(static_cast<unsigned char>(candidate[k])) ==
             std::tolower(static_cast<unsigned char>(name[k]));
    }
    if (same) return i;
  }
  return std::nullopt;
}

int OrientationIndexOfCode(std::uint8_t code) {
  for (std::size_t i = 0; i < kSensorOrientations.size(); ++i) {
    if (kSensorOrientations[i].code == code) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace zelko
