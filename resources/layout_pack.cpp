#include "resources/layout_pack.h"

#include <charconv>
#include <iostream>

#include "resources/ini_text.h"
#include "resources/resources.h"

namespace zelko {
namespace {

void WarnPackAuthor([[maybe_unused]] const std::string& pack,
                    [[maybe_unused]] std::string_view key,
                    [[maybe_unused]] std::string_view problem) {
#ifndef NDEBUG
  std::cerr << "layout pack " << pack << ": key " << key << " " << problem
            << "; the design-time value stays\n";
#endif
}

bool IsSectionLine(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace

std::optional<int> ParseDecimalInt(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  }
  int value = 0;
  const auto* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

LayoutPack LayoutPack::Parse(std::string_view text, std::string_view name) {
  LayoutPack pack;
  pack.name_ = std::string(name);
  const std::string wanted = FoldCase(name);
  bool in_section = false;
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    const auto line = TrimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

    if (IsSectionLine(line)) {
      in_section = FoldCase(TrimBlanks(line.substr(1, line.size() - 2))) == wanted;
      continue;
    }
    if (!in_section || line.empty() || line.front() == ';') continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const auto key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) continue;
    pack.values_.emplace(FoldCase(key), std::string(TrimBlanks(line.substr(equals + 1))));
  }
  return pack;
}

std::optional<std::string> LayoutPack::Text(std::string_view key) const {
  const auto it = values_.find(FoldCase(key));
  if (it == values_.end()) {
    WarnPackAuthor(name_, key, "is missing");
    return std::nullopt;
  }
  return it->second;
}

std::optional<int> LayoutPack::Int(std::string_view key) const {
  const auto text = Text(key);
  if (!text) return std::nullopt;
  const auto value = ParseDecimalInt(*text);
  if (!value) WarnPackAuthor(name_, key, "is not a decimal integer (\"" + *text + "\")");
  return value;
}

int LayoutPack::IntOr(std::string_view key, int design_value) const {
  return Int(key).value_or(design_value);
}

std::optional<LayoutPack> LoadLayoutPack(std::string_view name) {
  const auto bytes = LookupResource(name);
  if (!bytes) return std::nullopt;
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return LayoutPack::Parse(text, name);
}

}  // namespace zelko
