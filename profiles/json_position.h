// Where things sit in JSON text, for messages a person can act on: the line
// and column of a byte offset, and of the value a path of keys and list
// indices leads to.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelko {

struct TextPosition {
  int line = 1;    // 1-based
  int column = 1;  // 1-based, in characters
  friend bool operator==(const TextPosition&, const TextPosition&) = default;
};

// One step of a path: an object's key, or (when `key` is empty and
// `index` >= 0) a list's element.
struct JsonStep {
  std::string key;
  int index = -1;
};
using JsonPath = std::vector<JsonStep>;

// The line and column of the byte at `offset` (the end of the text when
// beyond it).
TextPosition PositionOfOffset(std::string_view text, std::size_t offset);

// Where the value at `path` starts in `text`, which must be valid JSON
// (the first of repeated keys counts); nothing when the path leads nowhere.
std::optional<TextPosition> PositionOfValue(std::string_view text, const JsonPath& path);

}  // namespace zelko
