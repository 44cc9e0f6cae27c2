#include "shell/layout_values.h"

#include <algorithm>

namespace zelko {

std::optional<QColor> LayoutColour(const LayoutLookup& lookup, const std::string& prefix) {
  const auto r = lookup(prefix + "_R");
  const auto g = lookup(prefix + "_G");
  const auto b = lookup(prefix + "_B");
  if (!r || !g || !b) return std::nullopt;
  auto clamp = [](int v) { return std::clamp(v, 0, 255); };
  return QColor(clamp(*r), clamp(*g), clamp(*b));
}

}  // namespace zelko
