// The rules that choose a profile by the application in front: an
// application -> a profile and, when given, a key mode; a default profile
// for every other application; and a switch that turns them all on or off.
// An application is named the way the desktop names it (the X11 WM_CLASS
// class, the Wayland app id, the Windows executable name) and matched
// without regard to case or outer blanks (NameKey).
//
// The set also keeps what it read from the rules file and does not know
// (rules_file.h), so that a rewrite loses none of it.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "keys/button_map.h"

namespace zelko {

struct AppRule {
  std::string app;
  std::string profile;
  std::optional<KeyMode> key_mode;  // nothing: the key mode the profile holds
  friend bool operator==(const AppRule&, const AppRule&) = default;
};

struct DefaultRule {
  std::string profile;
  std::optional<KeyMode> key_mode;
  friend bool operator==(const DefaultRule&, const DefaultRule&) = default;
};

enum class RuleMatch {
  kNothing,  // switching is off, or no rule and no default: leave the mouse as it is
  kRule,     // the application's own rule
  kDefault,  // the default profile
};

struct RuleDecision {
  RuleMatch match = RuleMatch::kNothing;
  std::string profile;
  std::optional<KeyMode> key_mode;
  std::string app;  // the rule's application as written (kRule)
  friend bool operator==(const RuleDecision&, const RuleDecision&) = default;
};

// Where a rule names a profile: an application's rule, or the default.
struct RuleRef {
  bool is_default = false;
  std::string app;  // empty for the default
  friend bool operator==(const RuleRef&, const RuleRef&) = default;
};

// A rule that names a profile the library does not hold (any more).
struct RuleProblem {
  RuleRef rule;
  std::string profile;
  friend bool operator==(const RuleProblem&, const RuleProblem&) = default;
};

class RuleSet {
 public:
  bool enabled() const { return enabled_; }
  void SetEnabled(bool on) { enabled_ = on; }

  const std::optional<DefaultRule>& default_rule() const { return default_; }
  // The default profile, or none. Refused when the profile name is empty or
  // not UTF-8 text.
  [[nodiscard]] Status SetDefault(std::optional<DefaultRule> rule);

  // The rules in the order of the file, new ones last.
  const std::vector<AppRule>& rules() const { return rules_; }
  // The application's rule; nothing when it has none.
  const AppRule* RuleOf(std::string_view app) const;
  // A new rule, or the application's rule replaced in its place (it keeps
  // the keys of the file this program does not know); `replaced` tells
  // which. Refused when the application or the profile is empty or not
  // UTF-8 text (the file could not be read back).
  [[nodiscard]] Status AddOrReplace(AppRule rule, bool* replaced = nullptr);
  // The application's rule removed; false when there was none.
  bool Remove(std::string_view app);

  // The decision the switcher acts on, for the application in front: its
  // rule, else the default, else nothing; nothing at all while off.
  RuleDecision RuleFor(std::string_view app) const;

  // The rules (and the default) that name a profile, compared as profile
  // names are (NameKey): a front end asks before a profile is renamed or
  // deleted.
  std::vector<RuleRef> RulesNaming(std::string_view profile) const;
  // Every rule that names `profile` names `new_name` instead; returns those
  // rules.
  std::vector<RuleRef> RenameProfile(std::string_view profile, std::string_view new_name);
  // The rules naming a profile that is not among `profiles`.
  std::vector<RuleProblem> MissingProfiles(const std::vector<std::string>& profiles) const;

  // What the rules file held that this program does not know: JSON text of
  // an object per place (the whole file, the default, each rule by its
  // application's NameKey). Kept by rules_file.cpp; empty objects are not
  // held.
  struct UnknownKeys {
    std::string top;
    std::string default_rule;
    std::map<std::string, std::string> rules;
    friend bool operator==(const UnknownKeys&, const UnknownKeys&) = default;
  };
  UnknownKeys& unknown_keys() { return unknown_; }
  const UnknownKeys& unknown_keys() const { return unknown_; }

  friend bool operator==(const RuleSet&, const RuleSet&) = default;

 private:
  bool enabled_ = false;
  std::optional<DefaultRule> default_;
  std::vector<AppRule> rules_;
  UnknownKeys unknown_;
};

}  // namespace zelko
