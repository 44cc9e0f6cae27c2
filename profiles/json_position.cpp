#include "profiles/json_position.h"

namespace zelko {
namespace {

// A reader over JSON text that is known to be valid: it only has to find
// where values start and end, never to check them.
class Walker {
 public:
  explicit Walker(std::string_view text) : text_(text) {}

  std::optional<std::size_t> Find(const JsonPath& path) {
    SkipBlanks();
    return FindIn(path, 0);
  }

 private:
  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
      ++at_;
    }
  }
  // A string at `at_` (on its opening quote); returns its raw content.
  std::string_view String() {
    const std::size_t start = ++at_;
    while (at_ < text_.size() && text_[at_] != '"') at_ += text_[at_] == '\\' ? 2 : 1;
    const std::string_view content = text_.substr(start, std::min(at_, text_.size()) - start);
    ++at_;
    return content;
  }
  void SkipValue() {
    if (at_ >= text_.size()) return;
    const char c = text_[at_];
    if (c == '"') {
      String();
    } else if (c == '{' || c == '[') {
      const char close = c == '{' ? '}' : ']';
      ++at_;
      SkipBlanks();
      while (at_ < text_.size() && text_[at_] != close) {
        if (c == '{') {
          String();
          SkipBlanks();
          ++at_;  // ':'
          SkipBlanks();
        }
        SkipValue();
        SkipBlanks();
        if (at_ < text_.size() && text_[at_] == ',') ++at_;
        SkipBlanks();
      }
      ++at_;
    } else {
      while (at_ < text_.size() && std::string_view(",]} \t\r\n").find(text_[at_]) == std::string_view::npos) ++at_;
    }
  }
  std::optional<std::size_t> FindIn(const JsonPath& path, std::size_t depth) {
    if (depth == path.size()) return at_;
    if (at_ >= text_.size()) return std::nullopt;
    const JsonStep& step = path[depth];
    const char c = text_[at_];
    if ((c == '{' && step.key.empty()) || (c == '[' && (!step.key.empty() || step.index < 0)) ||
        (c != '{' && c != '[')) {
      return std::nullopt;
    }
    const char close = c == '{' ? '}' : ']';
    ++at_;
    SkipBlanks();
    for (int index = 0; at_ < text_.size() && text_[at_] != close; ++index) {
      bool wanted = index == step.index;
      if (c == '{') {
        wanted = String() == step.key;
        SkipBlanks();
        ++at_;  // ':'
        SkipBlanks();
      }
      if (wanted) return FindIn(path, depth + 1);
      SkipValue();
      SkipBlanks();
      if (at_ < text_.size() && text_[at_] == ',') ++at_;
      SkipBlanks();
    }
    return std::nullopt;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

TextPosition PositionOfOffset(std::string_view text, std::size_t offset) {
  TextPosition position;
  offset = std::min(offset, text.size());
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\n') {
      ++position.line;
      position.column = 1;
    } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      ++position.column;
    }
  }
  return position;
}

std::optional<TextPosition> PositionOfValue(std::string_view text, const JsonPath& path) {
  const auto offset = Walker(text).Find(path);
  if (!offset) return std::nullopt;
  return PositionOfOffset(text, *offset);
}

}  // namespace zelko
