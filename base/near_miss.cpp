#include "base/near_miss.h"

#include <algorithm>
#include <numeric>

namespace zelko {

std::size_t EditDistance(std::string_view a, std::string_view b) {
  // One row of the table at a time: row[j] is the distance between the
  // first i characters of a and the first j of b.
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0u : 1u)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::optional<std::string> NearMiss(std::string_view typed, const std::vector<std::string>& names) {
  std::optional<std::string> best;
  std::size_t best_distance = 0;
  bool tie = false;
  for (const std::string& name : names) {
    const std::size_t distance = EditDistance(typed, name);
    if (distance == 0 || distance > 2 || distance * 3 >= name.size()) continue;
    if (!best || distance < best_distance) {
      best = name;
      best_distance = distance;
      tie = false;
    } else if (distance == best_distance) {
      tie = true;
    }
  }
  if (tie) return std::nullopt;
  return best;
}

}  // namespace zelko
