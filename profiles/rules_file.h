// The rules file: one JSON file in the user's config folder
// ($XDG_CONFIG_HOME/zelko77/rules.json, %APPDATA%\zelko77\rules.json):
//
//   {
//     "version": 1,
//     "enabled": true,
//     "default": {"profile": "Desktop"},
//     "rules": [
//       {"app": "steam_app_730", "profile": "Shooter", "key_mode": "B"}
//     ]
//   }
//
// "key_mode" ("A" or "B") may be left out: the profile's own key mode then
// stays. Keys the program does not know, at any level, are kept when it
// rewrites the file. A file that cannot be read is reported with its line
// and column and is never overwritten.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/atomic_file.h"
#include "base/result.h"
#include "profiles/rules.h"

namespace zelko {

inline constexpr int kRulesFileVersion = 1;

struct ParsedRules {
  std::optional<RuleSet> rules;
  // When there are no rules: why, and where (1-based; 0 when the problem
  // has no place, such as an empty file).
  std::string error;
  int line = 0;
  int column = 0;
};

// The rules of a file's text. Refused: text that is not JSON, a value of
// a known key of the wrong kind ("key_mode": "C"), a rule without an
// application or profile, two rules for one application, and a version
// newer than this program reads (it would drop what it does not know).
ParsedRules ParseRulesText(std::string_view text);

// The file's text for a rule set, known keys first, then the unknown ones
// it was read with; two-space indent, a line end at the end.
std::string RulesText(const RuleSet& rules);

// The rules file of the user; nothing when no home folder is known.
std::optional<std::filesystem::path> UserRulesPath();

// The rules of a file, read bounded (regular files only). A missing file
// holds no rules, switched off. The error names the file, the line and the
// column, and says the file is left as it is.
[[nodiscard]] Result<RuleSet> LoadRulesFile(const std::filesystem::path& file);

// The file replaced atomically by the rules (its folder made when
// missing). Refused, the file untouched, when the file there now cannot
// be read as rules: the user's own text is never overwritten by a program
// that could not read it.
[[nodiscard]] Status SaveRulesFile(const std::filesystem::path& file, const RuleSet& rules,
                                   const AtomicWriteHook& hook = {});

}  // namespace zelko
