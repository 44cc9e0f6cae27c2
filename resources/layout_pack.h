// Layout packs: the INI-style text resources that hold the look of the
// window. The general pack "org" holds program-wide switches; "org1".."org3"
// hold the positions, sizes, fonts and colours for languages 1..3.
//
// Format (plain 8-bit text, taken byte for byte):
//   [org1]                 one section, named like the resource
//   ; a comment            lines starting with ";" are comments
//   //*****************    lines without "=" are ignored (separators)
//   M_L_W = 190            key = value; blanks around both are removed
// Keys compare without regard to case; of two equal keys the first counts.
// Lines outside the section named like the pack are ignored. Every value is
// a decimal integer (an optional sign and digits) except `Web` and `Path`,
// which are text.
//
// A key that is missing, or whose value is not a decimal integer, gives no
// value: the caller keeps the control's design-time value. Debug builds
// (NDEBUG not defined) say so on stderr so that pack authors find their
// mistakes.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zelko {

class LayoutPack {
 public:
  LayoutPack() = default;
  // The lines of `text` inside section `name`.
  static LayoutPack Parse(std::string_view text, std::string_view name);

  const std::string& name() const { return name_; }
  std::size_t size() const { return values_.size(); }

  // The trimmed text of a key, if the pack holds it.
  std::optional<std::string> Text(std::string_view key) const;
  // The value of a key as a decimal integer; nothing when missing or
  // malformed ("12px", "0x10", "", out of range).
  std::optional<int> Int(std::string_view key) const;
  // Int, or `design_value` when the pack gives none.
  int IntOr(std::string_view key, int design_value) const;

 private:
  std::string name_;
  std::map<std::string, std::string, std::less<>> values_;  // key folded to lower case
};

// Reads a decimal integer: optional "+" or "-", then digits only, within
// the range of int.
std::optional<int> ParseDecimalInt(std::string_view text);

// The layout pack resource of that name ("org", "org1"), or nothing when no
// resource has the name.
std::optional<LayoutPack> LoadLayoutPack(std::string_view name);

}  // namespace zelko
