// The geometry of the skin for one language: every key of the layout pack
// org<n> in the order the pack lists it. The pack files are written from
// this, and the panels and backgrounds are drawn from the same values.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelko::skin {

struct Point {
  int x = 0;
  int y = 0;
};

struct PackLine {
  std::string key;  // empty for a separator row
  int value = 0;
  std::string text;  // the separator's caption
};

class SkinLayout {
 public:
  explicit SkinLayout(int language) : language_(language) {}

  int language() const { return language_; }
  std::string SectionName() const { return "org" + std::to_string(language_); }
  const std::vector<PackLine>& lines() const { return lines_; }

  // Lookup; the generator only asks for keys it wrote, so a missing key is
  // a programming error and ends the generator with a message.
  int Get(std::string_view key) const;
  std::optional<int> Find(std::string_view key) const;
  Point At(std::string_view prefix) const;  // prefix_X, prefix_Y
  // A button of families A and B, or a key frame, shown by this pack.
  bool Enabled(std::string_view prefix) const { return Get(std::string(prefix) + "_Enable") == 1; }
  // Placed inside the window (not parked at 8000 or beyond).
  bool Inside(std::string_view prefix) const;

  // Builders, used by BuildLayout.
  void Separator(std::string text);
  void Value(std::string key, int value);
  void Colour(const std::string& prefix, unsigned rgb);  // prefix_R, _G, _B
  void Place(const std::string& prefix, Point p);         // prefix_X, _Y
  void Button(const std::string& prefix, bool enabled, Point p);  // _Enable, _X, _Y
  void Row(const std::string& prefix, Point p, int gap);  // _X, _Y, _D

 private:
  int language_;
  std::vector<PackLine> lines_;
};

SkinLayout BuildLayout(int language);

// The pack file's text (8-bit, CR LF line ends).
std::string PackText(const SkinLayout& layout);

}  // namespace zelko::skin
