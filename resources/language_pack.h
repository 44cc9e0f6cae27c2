// The language packs "lang1".."lang3": every text of the window by id
// ("Str" and three digits), plus "FontName" and "Title". A pack is UTF-16LE
// text (normally with the byte-order mark) in INI form: a section line named
// like the resource and one key=value entry per line, quoted so that a value
// may hold spaces. Texts are held here as UTF-8.
//
// Besides the texts of the design, the packs carry ids of the program's
// own:
//   Str449  the macro page's line saying that the recorder hears only the
//           keys and mouse buttons pressed in the window (no capture of the
//           whole desktop, e.g. under Wayland)
//   Str800..Str860  what differs between two profiles, by setting: the
//           settings' names, the values that are words, and the line
//           "%1: %2 → %3" (profiles/change_text.h)
#pragma once
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace zelko {

inline constexpr int kLanguageCount = 3;

class LanguagePack {
 public:
  // The text of a key, without regard to case; empty when absent.
  std::string Text(std::string_view key) const;
  bool Has(std::string_view key) const;
  std::size_t size() const { return texts_.size(); }
  // Adds a key unless an equal key is already there: the first one counts.
  void Add(std::string_view key, std::string_view text);

 private:
  std::map<std::string, std::string, std::less<>> texts_;  // key folded to lower case
};

// Parses pack bytes. Entries are split on white space (every character up
// to the space) except that a run in double quotes is one entry without its
// quotes, where two double quotes stand for one. "[name]" opens a section,
// "key=value" is an entry with blanks around key and value removed; entries
// before the first section and entries starting with ";" are ignored. The
// pack is the entries of the section named `section`, compared without regard
// to case. Bytes that start 0xFF 0xFE drop that mark; the rest is UTF-16LE.
LanguagePack ParseLanguagePack(std::span<const std::uint8_t> bytes, std::string_view section);

// The resource name of pack 1..3: "lang1", "lang2", "lang3".
std::string LanguagePackName(int language_index);

// LoadLanguagePack: the resource of pack 1..3 parsed afresh; an empty pack
// for any other number.
LanguagePack LoadLanguagePack(int language_index);

// The shipped pack 1..3, parsed once and kept for the life of the process;
// an empty pack for any other number.
const LanguagePack& ShippedLanguagePack(int language_index);

// LangText: the text of an id in pack 1..3; empty when the pack lacks it.
std::string LangText(int language_index, std::string_view id);

// FindTextId: the id ("Str100".."Str700") whose text equals `text` exactly.
// Packs are searched in order and ids in ascending order; every match
// replaces the result, so the last match wins. Empty when none matches.
std::string FindTextId(std::string_view text, std::span<const LanguagePack> packs);
// The same over the three shipped packs.
std::string FindTextId(std::string_view text);

}  // namespace zelko
